#pragma once
#include <cstdint>
#include <string>

namespace frost {

// Play flags of the multimedia call, by their published values; the outputs read the same
// flags the sound module writes.
namespace snd {
inline constexpr std::uint32_t kAsync = 0x1;
inline constexpr std::uint32_t kNoDefault = 0x2;
inline constexpr std::uint32_t kLoop = 0x8;
inline constexpr std::uint32_t kNoStop = 0x10;
inline constexpr std::uint32_t kNoWait = 0x2000;
inline constexpr std::uint32_t kAlias = 0x10000;
inline constexpr std::uint32_t kFileName = 0x20000;
}  // namespace snd

// Where the card's sound calls end up: a real synthesiser and audio output on the desktop,
// a recorder in headless runs and tests.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  virtual int PlaySound(const char* name, std::uint32_t flags) = 0;      // non-zero on success
  virtual std::uint32_t SendMciCommand(const std::string& command) = 0;  // 0 on success
  virtual int WaveOutDeviceCount() = 0;
  virtual int MidiOutDeviceCount() = 0;
  virtual void Beep() = 0;
};

}  // namespace frost
