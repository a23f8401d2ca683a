#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace frost {

// Play flags of the multimedia call, by their published values.
namespace snd {
inline constexpr std::uint32_t kAsync = 0x1;
inline constexpr std::uint32_t kNoDefault = 0x2;
inline constexpr std::uint32_t kLoop = 0x8;
inline constexpr std::uint32_t kNoStop = 0x10;
inline constexpr std::uint32_t kNoWait = 0x2000;
inline constexpr std::uint32_t kAlias = 0x10000;
inline constexpr std::uint32_t kFileName = 0x20000;
}  // namespace snd

// The sound module: device detection, playing wave and MIDI files or a system sound, and
// stopping, through the platform's sound calls only.
class BasSound {
 public:
  explicit BasSound(Platform& platform) : platform_(platform) {}

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
  Platform& platform_;
};

// The music step of the load: writes the tune (resource "CUSTOM" 101) to the Windows folder's
// "mm.mid" and plays it once. Never fails.
void PlayCardMusic(Platform& platform, BasSound& sound);

}  // namespace frost
