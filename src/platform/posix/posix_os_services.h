#pragma once
#include <string>

#include "platform/os_services.h"
#include "platform/posix/posix_file_io.h"

namespace frost {

// "frostmail-<uid>.lock" in the user's private folder; empty (no guard) when there is none, which
// is said once on stderr.
std::string DefaultLockPath();

struct PosixOsOptions {
  // The file the card runs as; empty: the running program itself.
  std::string program_path;
  // The single-instance lock file; empty: no guard, every run counts as the only one.
  std::string lock_path = DefaultLockPath();
};

// The OS services of Linux: files, processes, environment, the single-instance guard and the
// compiled-in resources.
class PosixOsServices : public OsServices {
 public:
  PosixOsServices() : PosixOsServices(PosixOsOptions{}) {}
  explicit PosixOsServices(PosixOsOptions options);

  // Lets a headless render run the card "as" a program file somewhere else.
  void SetProgramPath(std::string path) { program_path_ = std::move(path); }
  // The guard's lock file; empty: no guard. Takes effect at the next AcquireSingleInstance; a
  // guard already held stays held.
  void SetInstanceGuard(std::string lockPath) { lock_path_ = std::move(lockPath); }

  bool FileExists(const std::string& path) override;
  void DeleteFile(const std::string& path) override;
  std::int64_t FileLength(const std::string& path) override;
  std::unique_ptr<BinaryFile> OpenBinary(const std::string& path, FileMode mode) override;
  void WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
  // A hidden name next to the target, so that the final rename stays on one file system.
  NewFile CreateFileBeside(const std::string& target, const std::string& like) override;
  void RenameIntoPlace(const std::string& from, const std::string& to) override;

  std::string ProgramPath() override;
  std::optional<std::string> Environment(const std::string& name) override;
  std::string PrivateFolder() override;
  int ShellExecuteOpen(const std::string& file) override;

  bool AcquireSingleInstance() override;
  void ReleaseSingleInstance() override;

 private:
  std::string program_path_;
  std::string lock_path_;
  FileDescriptor lock_;
};

}  // namespace frost
