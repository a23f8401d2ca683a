#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/native_os.h"

namespace frost {

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

// The OS services of tests and headless renders: the real files, environment and resources of
// the OS it runs on, with started programs recorded instead of run and the faults a test asks
// for injected into complete copies. By default no single-instance guard is shared, so that
// renders run side by side; a test that wants a second instance gives two the same guard.
class HeadlessOs : public OsServices {
 public:
  explicit HeadlessOs(NativeOsOptions options = UnguardedOsOptions())
      : native_(std::move(options)) {}

  void SetProgramPath(std::string path) { native_.SetProgramPath(std::move(path)); }
  void SetInstanceGuard(std::string guard) { native_.SetInstanceGuard(std::move(guard)); }

  bool FileExists(const std::string& path) override { return native_.FileExists(path); }
  void DeleteFile(const std::string& path) override { native_.DeleteFile(path); }
  std::int64_t FileLength(const std::string& path) override { return native_.FileLength(path); }
  std::unique_ptr<BinaryFile> OpenBinary(const std::string& path, FileMode mode) override {
    return native_.OpenBinary(path, mode);
  }
  void WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) override {
    native_.WriteWholeFile(path, bytes);
  }
  // The new file fails where the faults say; renames are refused while they say so.
  NewFile CreateFileBeside(const std::string& target, const std::string& like) override;
  void RenameIntoPlace(const std::string& from, const std::string& to) override;

  std::string ProgramPath() override { return native_.ProgramPath(); }
  std::optional<std::string> Environment(const std::string& name) override {
    return native_.Environment(name);
  }
  std::string PrivateFolder() override { return native_.PrivateFolder(); }
  // Records the file or address and reports success, as the shell call does, unless a fault
  // makes the start fail.
  int ShellExecuteOpen(const std::string& file) override;

  bool AcquireSingleInstance() override { return native_.AcquireSingleInstance(); }
  void ReleaseSingleInstance() override { native_.ReleaseSingleInstance(); }

  std::vector<std::string> opened_files;
  FileFaults faults;
  int byte_writes = 0;  // single-byte writes into copies so far

 private:
  NativeOsServices native_;
};

}  // namespace frost
