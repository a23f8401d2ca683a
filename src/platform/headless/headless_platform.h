#pragma once
#include <string>
#include <vector>

#include "platform/posix/posix_platform_with_sound.h"

namespace frost {

struct MessageBoxCall {
  std::string text;
  std::string caption;
  bool operator==(const MessageBoxCall&) const = default;
};

// Headless runs share no single-instance guard, so that renders can run side by side; a
// test that wants a second instance gives two platforms the same lock path.
inline PosixPlatformOptions HeadlessOptions() {
  return {.program_path = "", .lock_path = ""};
}

// The platform of tests and headless renders: real files and environment, sound calls to
// the given output, and message boxes and started programs recorded instead of shown or run.
class HeadlessPlatform : public PosixPlatformWithSound {
 public:
  explicit HeadlessPlatform(SoundOutput& sound, PosixPlatformOptions options = HeadlessOptions())
      : PosixPlatformWithSound(sound, std::move(options)) {}

  void MessageBox(const std::string& text, const std::string& caption) override;
  // Records the file or address and reports success, as the shell call does.
  int ShellExecuteOpen(const std::string& file) override;

  std::vector<MessageBoxCall> message_boxes;
  std::vector<std::string> opened_files;
};

}  // namespace frost
