#pragma once
#include <string>

#include "platform/os_services.h"
#include "platform/win32/win32_file_io.h"

namespace frost {

// The named mutex of the single-instance guard, in the session namespace: one card per
// logged-on user session.
inline constexpr const char* kSingleInstanceMutex = "Local\\Frostmail-single-instance";

struct Win32OsOptions {
  // The file the card runs as; empty: the running program itself.
  std::string program_path;
  // The guard's mutex name; empty: no guard, every run counts as the only one.
  std::string mutex_name = kSingleInstanceMutex;
};

// The OS services of Windows: files with wide-character paths, the running program, starting
// programs and opening addresses, the environment, the single-instance guard and the resources
// of the program's resource script. OsServices::DeleteFile shares its name with a macro of the
// Windows headers; windows_prelude.h keeps that out of the way.
class Win32OsServices : public OsServices {
 public:
  explicit Win32OsServices(Win32OsOptions options = {});

  // Lets a headless run take the card "as" a program file somewhere else.
  void SetProgramPath(std::string path) { program_path_ = std::move(path); }
  // The guard's mutex name; empty: no guard. Takes effect at the next AcquireSingleInstance; a
  // guard already held stays held.
  void SetInstanceGuard(std::string mutexName) { mutex_name_ = std::move(mutexName); }

  bool FileExists(const std::string& path) override;
  void DeleteFile(const std::string& path) override;
  std::int64_t FileLength(const std::string& path) override;
  std::unique_ptr<BinaryFile> OpenBinary(const std::string& path, FileMode mode) override;
  void WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
  // A uniquely named ".part" file beside the target. A copy onto the source itself is refused:
  // Windows would not let the copy replace a file the card runs from.
  NewFile CreateFileBeside(const std::string& target, const std::string& like) override;
  void RenameIntoPlace(const std::string& from, const std::string& to) override;

  std::string ProgramPath() override;
  std::optional<std::string> Environment(const std::string& name) override;
  std::string PrivateFolder() override;
  // A program file (".exe") is started with CreateProcessW; anything else (a document, a web
  // address) is opened with the shell's "open" verb.
  int ShellExecuteOpen(const std::string& file) override;

  bool AcquireSingleInstance() override;
  void ReleaseSingleInstance() override;

 private:
  std::string program_path_;
  std::string mutex_name_;
  UniqueHandle instance_;
};

}  // namespace frost
