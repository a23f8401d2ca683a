#pragma once
#include <cstdint>
#include <fstream>
#include <string>

namespace frost {

// A 16-bit stereo PCM WAV file written block by block; the header's sizes are filled in when
// it is closed (or destroyed).
class WavWriter {
 public:
  WavWriter(const std::string& path, int sampleRate);
  ~WavWriter();
  WavWriter(const WavWriter&) = delete;
  WavWriter& operator=(const WavWriter&) = delete;

  bool Ok() const { return file_.good(); }
  // Full scale is 1; louder samples are clipped.
  void Write(const float* left, const float* right, int frames);
  void Close();

 private:
  void WriteHeader();
  std::ofstream file_;
  int sample_rate_;
  std::uint32_t data_bytes_ = 0;
};

}  // namespace frost
