#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/os_services.h"
#include "platform/sound_output.h"

namespace frost {

// The sound module: device detection, playing wave and MIDI files or a system sound, and
// stopping, through the sound output's calls only.
class BasSound {
 public:
  explicit BasSound(SoundOutput& output) : output_(output) {}

  // Bit 1: a wave output device is present; bit 2: a MIDI output device is present.
  int GetSoundDevices();
  // fileName == nullopt is the null name (stops wave output). async defaults to true,
  // loop to false.
  bool PlaySoundFile(const std::optional<std::string>& fileName,
                     std::optional<bool> async = std::nullopt,
                     std::optional<bool> loop = std::nullopt);
  // which: 2 closes the MCI device "filename", 1 stops wave output; omitted, both. Never fails.
  void StopSoundFile(std::optional<int> which = std::nullopt);

 private:
  bool PlayWaveFile(const std::string& fileName, std::uint32_t flags);
  bool PlaySequence(const std::string& fileName, std::uint32_t flags);
  bool PlayAlias(const std::optional<std::string>& alias, std::uint32_t flags);

  SoundOutput& output_;
};

// The music step of the load: writes the tune (resource "CUSTOM" 101) to the Windows folder's
// "mm.mid" (the temporary folder's when the Windows folder is unset or cannot be written) and
// plays it once. Never fails.
void PlayCardMusic(OsServices& os, BasSound& sound);

}  // namespace frost
