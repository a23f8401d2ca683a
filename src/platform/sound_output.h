#pragma once
#include <cstdint>
#include <string>

namespace frost {

// Where the platform's sound calls end up: a real synthesiser and audio output on the desktop,
// a recorder in headless runs and tests.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  virtual int PlaySound(const char* name, std::uint32_t flags) = 0;  // non-zero on success
  virtual std::uint32_t SendMciCommand(const std::string& command) = 0;  // 0 on success
  virtual int WaveOutDeviceCount() = 0;
  virtual int MidiOutDeviceCount() = 0;
  virtual void Beep() = 0;
};

}  // namespace frost
