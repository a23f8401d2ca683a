#pragma once
#include "platform/posix/posix_platform.h"
#include "platform/sound_output.h"

namespace frost {

// A Linux platform whose sound calls go to a SoundOutput: a synthesiser on the desktop, a
// recorder headless. The backends built on it add only their user interface services.
class PosixPlatformWithSound : public PosixPlatform {
 public:
  PosixPlatformWithSound(SoundOutput& sound, PosixPlatformOptions options)
      : PosixPlatform(std::move(options)), sound_(sound) {}

  int PlaySound(const char* name, std::uint32_t flags) override {
    return sound_.PlaySound(name, flags);
  }
  std::uint32_t SendMciCommand(const std::string& command) override {
    return sound_.SendMciCommand(command);
  }
  int WaveOutDeviceCount() override { return sound_.WaveOutDeviceCount(); }
  int MidiOutDeviceCount() override { return sound_.MidiOutDeviceCount(); }
  void Beep() override { sound_.Beep(); }

 private:
  SoundOutput& sound_;
};

}  // namespace frost
