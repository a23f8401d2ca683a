#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/sound_output.h"

namespace frost {

struct PlaySoundCall {
  std::optional<std::string> name;  // nullopt: the null name that stops wave output
  std::uint32_t flags = 0;
  bool operator==(const PlaySoundCall&) const = default;
};

// The sound output of tests and headless renders: plays nothing, records every call, and
// answers with the device counts and results it is given.
class RecordingSound : public SoundOutput {
 public:
  int PlaySound(const char* name, std::uint32_t flags) override;
  std::uint32_t SendMciCommand(const std::string& command) override;
  int WaveOutDeviceCount() override { return wave_devices; }
  int MidiOutDeviceCount() override { return midi_devices; }
  void Beep() override;

  // What was asked for, by kind, and all calls in order as one line each
  // ("mci open ...", "PlaySound <null> 0x12010", "Beep").
  std::vector<std::string> mci_commands;
  std::vector<PlaySoundCall> played_sounds;
  int beeps = 0;
  std::vector<std::string> transcript;
  // Told of every command string as it is sent, so that a renderer can time the music.
  std::function<void(const std::string& command)> on_mci_command;

  // How the recorded devices answer.
  int wave_devices = 1;
  int midi_devices = 1;
  std::uint32_t mci_result = 0;
  int play_sound_result = 1;
};

}  // namespace frost
