#pragma once
#include "platform/sound_output.h"

namespace frost {

// The Windows card's sound: the card's media control strings go to the real mciSendString,
// wave files and system sounds to PlaySound, the device counts come from winmm. Windows plays
// the tune with its own MIDI synthesiser.
class Win32Sound : public SoundOutput {
 public:
  int PlaySound(const char* name, std::uint32_t flags) override;
  std::uint32_t SendMciCommand(const std::string& command) override;
  int WaveOutDeviceCount() override;
  int MidiOutDeviceCount() override;
  void Beep() override;
};

}  // namespace frost
