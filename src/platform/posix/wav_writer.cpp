#include "platform/posix/wav_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace frost {
namespace {

constexpr int kChannels = 2;
constexpr int kBytesPerSample = 2;
constexpr std::uint32_t kHeaderBytes = 44;

template <std::size_t N>
void PutLittleEndian(std::ofstream& file, std::uint32_t value) {
  std::array<char, N> bytes;
  for (std::size_t i = 0; i < N; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  file.write(bytes.data(), N);
}

std::int16_t ToSample(float value) {
  return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
}

}  // namespace

WavWriter::WavWriter(const std::string& path, int sampleRate)
    : file_(path, std::ios::binary | std::ios::trunc), sample_rate_(sampleRate) {
  WriteHeader();
}

WavWriter::~WavWriter() {
  Close();
}

void WavWriter::WriteHeader() {
  file_.write("RIFF", 4);
  PutLittleEndian<4>(file_, kHeaderBytes - 8 + data_bytes_);
  file_.write("WAVEfmt ", 8);
  PutLittleEndian<4>(file_, 16);
  PutLittleEndian<2>(file_, 1);  // PCM
  PutLittleEndian<2>(file_, kChannels);
  PutLittleEndian<4>(file_, static_cast<std::uint32_t>(sample_rate_));
  PutLittleEndian<4>(file_, static_cast<std::uint32_t>(sample_rate_ * kChannels * kBytesPerSample));
  PutLittleEndian<2>(file_, kChannels * kBytesPerSample);
  PutLittleEndian<2>(file_, 8 * kBytesPerSample);
  file_.write("data", 4);
  PutLittleEndian<4>(file_, data_bytes_);
}

void WavWriter::Write(const float* left, const float* right, int frames) {
  std::vector<std::int16_t> interleaved(static_cast<std::size_t>(frames) * kChannels);
  for (int i = 0; i < frames; ++i) {
    interleaved[2 * i] = ToSample(left[i]);
    interleaved[2 * i + 1] = ToSample(right[i]);
  }
  // WAV is little-endian, as every machine the card runs on.
  file_.write(reinterpret_cast<const char*>(interleaved.data()),
              static_cast<std::streamsize>(interleaved.size() * sizeof(std::int16_t)));
  data_bytes_ += static_cast<std::uint32_t>(interleaved.size() * sizeof(std::int16_t));
}

void WavWriter::Close() {
  if (!file_.is_open())
    return;
  file_.seekp(0);
  WriteHeader();
  file_.close();
}

}  // namespace frost
