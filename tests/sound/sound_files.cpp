#include "sound/sound_files.h"

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>

namespace frost::testing {

namespace {

constexpr int kTicksPerQuarter = 480;
constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds a quarter note: 120 bpm
constexpr double kAudibleRms = 0.001;            // -60 dBFS

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) out.push_back(value >> shift);
}

void PutVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::vector<std::uint8_t> groups{static_cast<std::uint8_t>(value & 0x7F)};
  while ((value >>= 7) != 0) groups.push_back(static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
  out.insert(out.end(), groups.rbegin(), groups.rend());
}

// Reads a Standard MIDI File's numbers; throws when it runs past the end.
class SmfReader {
 public:
  explicit SmfReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint32_t Fixed(int count) {
    std::uint32_t value = 0;
    while (count-- > 0) value = (value << 8) | Byte();
    return value;
  }
  std::uint32_t Variable() {
    std::uint32_t value = 0;
    std::uint8_t byte;
    do {
      byte = Byte();
      value = (value << 7) | (byte & 0x7F);
    } while ((byte & 0x80) != 0);
    return value;
  }
  std::uint8_t Byte() {
    if (at_ >= bytes_.size())
      throw std::runtime_error("MIDI file ends early");
    return bytes_[at_++];
  }
  std::uint8_t Peek() const {
    if (at_ >= bytes_.size())
      throw std::runtime_error("MIDI file ends early");
    return bytes_[at_];
  }
  void Skip(std::size_t count) { at_ += count; }
  std::size_t At() const { return at_; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

// Walks one track: its tempo changes into `tempos` (tick -> tempo); returns its last tick.
std::uint64_t ReadTrack(SmfReader& reader, std::size_t end,
                        std::map<std::uint64_t, std::uint32_t>& tempos) {
  std::uint64_t tick = 0;
  std::uint8_t status = 0;
  while (reader.At() < end) {
    tick += reader.Variable();
    if ((reader.Peek() & 0x80) != 0)
      status = reader.Byte();  // else running status
    if (status == 0xFF) {
      const std::uint8_t type = reader.Byte();
      const std::uint32_t length = reader.Variable();
      if (type == 0x51 && length == 3) {
        tempos[tick] = reader.Fixed(3);
      } else {
        reader.Skip(length);
      }
    } else if (status == 0xF0 || status == 0xF7) {
      reader.Skip(reader.Variable());
    } else {
      const std::uint8_t kind = status & 0xF0;
      reader.Skip(kind == 0xC0 || kind == 0xD0 ? 1 : 2);
    }
  }
  return tick;
}

std::int32_t ReadLittleEndian(const char* bytes, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(bytes[i]);
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::vector<std::uint8_t> MakeScaleTune(int notes, int program) {
  std::vector<std::uint8_t> track;
  const std::uint8_t header[] = {0x00, 0xFF, 0x51,
                                 0x03, 0x07, 0xA1,
                                 0x20,  // tempo 500000
                                 0x00, 0xC0, static_cast<std::uint8_t>(program)};
  track.insert(track.end(), std::begin(header), std::end(header));
  for (int i = 0; i < notes; ++i) {
    const auto key = static_cast<std::uint8_t>(60 + 2 * i % 24);
    PutVariableLength(track, 0);
    track.insert(track.end(), {0x90, key, 100});
    PutVariableLength(track, kTicksPerQuarter);
    track.insert(track.end(), {0x80, key, 0});
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});

  std::vector<std::uint8_t> smf = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1};
  PutBigEndian(smf, kTicksPerQuarter, 2);
  smf.insert(smf.end(), {'M', 'T', 'r', 'k'});
  PutBigEndian(smf, static_cast<std::uint32_t>(track.size()), 4);
  smf.insert(smf.end(), track.begin(), track.end());
  return smf;
}

std::vector<std::uint8_t> MakeToneWave(double seconds, int rate) {
  const auto frames = static_cast<std::uint32_t>(seconds * rate);
  std::vector<std::uint8_t> wave = {'R', 'I', 'F', 'F'};
  const auto putLittleEndian = [&](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) wave.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  putLittleEndian(36 + 2 * frames, 4);
  wave.insert(wave.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  putLittleEndian(16, 4);
  putLittleEndian(1, 2);  // PCM
  putLittleEndian(1, 2);  // mono
  putLittleEndian(rate, 4);
  putLittleEndian(2 * rate, 4);
  putLittleEndian(2, 2);
  putLittleEndian(16, 2);
  wave.insert(wave.end(), {'d', 'a', 't', 'a'});
  putLittleEndian(2 * frames, 4);
  for (std::uint32_t i = 0; i < frames; ++i) {
    const double sample = 0.5 * std::sin(2 * 3.141592653589793 * 440 * i / rate);
    putLittleEndian(static_cast<std::uint16_t>(static_cast<std::int16_t>(sample * 32767)), 2);
  }
  return wave;
}

double TuneSeconds(std::span<const std::uint8_t> smf) {
  SmfReader reader(smf);
  reader.Skip(10);  // "MThd", header length, format
  const std::uint32_t trackCount = reader.Fixed(2);
  const std::uint32_t division = reader.Fixed(2);
  std::map<std::uint64_t, std::uint32_t> tempos{{0, kDefaultTempo}};
  std::uint64_t lastTick = 0;
  for (std::uint32_t track = 0; track < trackCount; ++track) {
    reader.Skip(4);  // "MTrk"
    const std::size_t length = reader.Fixed(4);
    lastTick = std::max(lastTick, ReadTrack(reader, reader.At() + length, tempos));
  }
  double seconds = 0;
  for (auto change = tempos.begin(); change != tempos.end() && change->first < lastTick; ++change) {
    const auto next = std::next(change);
    const std::uint64_t until = next == tempos.end() ? lastTick : std::min(next->first, lastTick);
    seconds += (until - change->first) * (change->second / 1e6) / division;
  }
  return seconds;
}

std::optional<WaveSamples> ReadWave(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), {}};
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
    return std::nullopt;
  }
  WaveSamples wave;
  int bits = 0;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const std::string id = bytes.substr(at, 4);
    const std::size_t size = ReadLittleEndian(&bytes[at + 4], 4);
    const char* body = &bytes[at + 8];
    if (id == "fmt ") {
      wave.channels = ReadLittleEndian(body + 2, 2);
      wave.rate = ReadLittleEndian(body + 4, 4);
      bits = ReadLittleEndian(body + 14, 2);
    } else if (id == "data" && bits == 16 && wave.channels > 0 && wave.rate > 0) {
      const std::size_t count = std::min(size, bytes.size() - at - 8) / 2;
      for (std::size_t i = 0; i < count; ++i) {
        wave.samples.push_back(static_cast<std::int16_t>(ReadLittleEndian(body + 2 * i, 2)) /
                               32768.0);
      }
      return wave;
    }
    at += 8 + size + (size & 1);
  }
  return std::nullopt;
}

double WaveSamples::Seconds() const {
  return static_cast<double>(samples.size()) / (channels * rate);
}

double WaveSamples::Rms(double from, double to) const {
  const auto index = [&](double seconds) {
    return std::clamp<std::size_t>(
        static_cast<std::size_t>(std::max(0.0, seconds) * rate) * channels, 0, samples.size());
  };
  const std::size_t begin = index(from), end = index(to);
  double sumOfSquares = 0;
  for (std::size_t i = begin; i < end; ++i) sumOfSquares += samples[i] * samples[i];
  return end > begin ? std::sqrt(sumOfSquares / (end - begin)) : 0.0;
}

std::optional<WaveMeasure> MeasureWave(const std::string& path) {
  const auto wave = ReadWave(path);
  if (!wave)
    return std::nullopt;
  WaveMeasure measure{wave->Seconds(), wave->Rms(0, wave->Seconds()), 0, 0};
  for (double sample : wave->samples) measure.peak = std::max(measure.peak, std::abs(sample));
  for (double at = 0; at < measure.seconds; at += 0.01) {
    if (wave->Rms(at, at + 0.01) > kAudibleRms)
      measure.audible_until = std::min(at + 0.01, measure.seconds);
  }
  return measure;
}

void WriteBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double ResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0)
      return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}

}  // namespace frost::testing
