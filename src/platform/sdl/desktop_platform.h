#pragma once
#include <string>

#include "platform/posix/posix_platform_with_sound.h"

namespace frost {

// The platform of the Linux desktop card: the OS services of Linux, sound through the
// synthesiser's output and message boxes through SDL.
class DesktopPlatform : public PosixPlatformWithSound {
 public:
  explicit DesktopPlatform(SoundOutput& sound, PosixPlatformOptions options = {})
      : PosixPlatformWithSound(sound, std::move(options)) {}

  // Blocks until the box is closed; shown without a parent, so it also works before the
  // card's window exists. Where no box can be shown, the text goes to stderr.
  void MessageBox(const std::string& text, const std::string& caption) override;
};

}  // namespace frost
