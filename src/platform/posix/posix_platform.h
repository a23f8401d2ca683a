#pragma once
#include <string>

#include "platform/platform.h"
#include "platform/posix/posix_file_io.h"

namespace frost {

// What ShellExecuteOpen returns when the program or address was handed on; failures are
// small numbers (2: file not found, 5: access denied, 31: nothing to open it with).
inline constexpr int kShellExecuteStarted = 42;

// "frostmail-<uid>.lock" in the user's private folder; empty (no guard) when there is none, which
// is said once on stderr.
std::string DefaultLockPath();

struct PosixPlatformOptions {
  // The file the card runs as; empty: the running program itself.
  std::string program_path;
  // The single-instance lock file; empty: no guard, every run counts as the only one.
  std::string lock_path = DefaultLockPath();
};

// The OS services of Linux, shared by the desktop and the headless backends: files,
// processes, environment, the single-instance guard and the compiled-in resources.
// Sound and the message box are left to the backends.
class PosixPlatform : public Platform {
 public:
  PosixPlatform() : PosixPlatform(PosixPlatformOptions{}) {}
  explicit PosixPlatform(PosixPlatformOptions options);

  // Lets a headless render run the card "as" a program file somewhere else.
  void SetProgramPath(std::string path) { program_path_ = std::move(path); }
  // Takes effect at the next AcquireSingleInstance; a guard already held stays held.
  void SetLockPath(std::string path) { lock_path_ = std::move(path); }
  const std::string& LockPath() const { return lock_path_; }

  bool FileExists(const std::string& path) override;
  void WriteCompleteCopy(const std::string& from, const std::string& to,
                         const std::function<void(BinaryFile&)>& finish) override;
  bool FilesIdentical(const std::string& a, const std::string& b) override;
  void DeleteFile(const std::string& path) override;
  std::int64_t FileLength(const std::string& path) override;
  std::unique_ptr<BinaryFile> OpenBinary(const std::string& path, FileMode mode) override;
  void WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) override;

  std::string ProgramPath() override;
  std::optional<std::string> Environment(const std::string& name) override;
  std::string PrivateFolder() override;
  int ShellExecuteOpen(const std::string& file) override;

  bool AcquireSingleInstance() override;
  void ReleaseSingleInstance() override;

  std::optional<std::vector<std::uint8_t>> LoadResource(const std::string& type, int id) override;

 protected:
  // The two steps of WriteCompleteCopy that headless runs replace to inject failures: the copy
  // under its temporary name as a byte file (errors naming `name`), and the final rename.
  virtual std::unique_ptr<BinaryFile> OpenCopyTarget(FileDescriptor file, const std::string& name);
  virtual void RenameIntoPlace(const std::string& from, const std::string& to);

 private:
  std::string program_path_;
  std::string lock_path_;
  FileDescriptor lock_;
};

}  // namespace frost
