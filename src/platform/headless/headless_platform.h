#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/posix_platform_with_sound.h"

namespace frost {

struct MessageBoxCall {
  std::string text;
  std::string caption;
  bool operator==(const MessageBoxCall&) const = default;
};

// Failures a test makes the file and process services report, as a full disk, a failing
// device or another process holding a file would.
struct FileFaults {
  // Every copy runs out of space after this many bytes ("No space left on device").
  std::optional<std::int64_t> space_for_bytes;
  // The k-th single-byte write into a copy fails (counted from 1 over all copies).
  std::optional<int> failing_byte_write;
  // This many renames of finished copies into place are refused, as while a peer holds the
  // target open.
  int refused_renames = 0;
  // What starting a program returns; anything up to 32 is a failure and starts nothing.
  int start_result = kShellExecuteStarted;
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
  // Records the file or address and reports success, as the shell call does, unless a fault
  // makes the start fail.
  int ShellExecuteOpen(const std::string& file) override;

  std::vector<MessageBoxCall> message_boxes;
  std::vector<std::string> opened_files;
  FileFaults faults;
  int byte_writes = 0;  // single-byte writes into copies so far

 protected:
  std::unique_ptr<BinaryFile> OpenCopyTarget(FileDescriptor file, const std::string& name) override;
  void RenameIntoPlace(const std::string& from, const std::string& to) override;
};

}  // namespace frost
