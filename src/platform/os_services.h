#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace frost {

// A file opened for byte-addressed access (positions count from 1, as the card's file access
// does). Failures raise RuntimeError with the usual numbers (53 not found, 70 denied, 75 path).
class BinaryFile {
 public:
  virtual ~BinaryFile() = default;
  virtual std::int64_t Length() = 0;
  virtual std::uint8_t GetByte(std::int64_t position) = 0;
  // Reads up to bytes.size() bytes from `position` on; the count read, fewer at the end.
  virtual std::size_t GetBytes(std::int64_t position, std::span<std::uint8_t> bytes) = 0;
  virtual void PutByte(std::int64_t position, std::uint8_t value) = 0;
  virtual void PutBytes(std::int64_t position, std::span<const std::uint8_t> bytes) = 0;
  // Pushes what was written down to the disk, so that a failure to store it shows here.
  virtual void Flush() = 0;
};

enum class FileMode { Read, ReadWrite };

// What ShellExecuteOpen returns when the program or address was handed on without the shell's
// own answer; failures are small numbers (2: file not found, 5: access denied, 31: nothing to
// open it with), and anything above 32 is success.
inline constexpr int kShellExecuteStarted = 42;

// A new, empty file made beside a target, under a name of its own.
struct NewFile {
  std::string path;
  std::unique_ptr<BinaryFile> file;
};

// The operating system's services to the card: files, the running program and its environment,
// starting programs, the single-instance guard and the program's own resources. One
// implementation per operating system; subsystem code sees only this and the toolkit.
class OsServices {
 public:
  virtual ~OsServices() = default;

  // --- files (paths use the OS separator; "\\" in the card's own paths is mapped by the caller)
  virtual bool FileExists(const std::string& path) = 0;
  virtual void DeleteFile(const std::string& path) = 0;
  virtual std::int64_t FileLength(const std::string& path) = 0;
  virtual std::unique_ptr<BinaryFile> OpenBinary(const std::string& path, FileMode mode) = 0;
  virtual void WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) = 0;

  // Puts a complete copy of `from` at `to`, never a partial one: the bytes go to a new file in
  // the folder of `to`, `finish` may change them there (keeping the length) and may throw to
  // abandon the copy, and only a copy that is flushed and as long as `from` is renamed over `to`.
  // On any failure the new file is removed and `to` stays as it was. The copy keeps the
  // permission bits of `from`. Failures name `to`.
  void WriteCompleteCopy(const std::string& from, const std::string& to,
                         const std::function<void(BinaryFile&)>& finish);
  // True when the two files hold the same bytes.
  bool FilesIdentical(const std::string& a, const std::string& b);

  // --- the steps of a complete copy
  // An empty file in the folder of `target`, with the permission bits of `like`; its errors
  // name `target`. Whoever makes it removes it unless it is renamed into place.
  virtual NewFile CreateFileBeside(const std::string& target, const std::string& like) = 0;
  // Renames `from` over `to` in one step that survives a crash; errors name `to`.
  virtual void RenameIntoPlace(const std::string& from, const std::string& to) = 0;

  // --- the running program and its environment
  virtual std::string ProgramPath() = 0;  // full path of the running program file
  virtual std::optional<std::string> Environment(const std::string& name) = 0;
  // A folder only this user can reach (the tune goes there without a Windows folder); raises
  // RuntimeError when none can be made safely.
  virtual std::string PrivateFolder() = 0;
  // Starts a program or opens a document / web address with the "open" verb. Returns > 32 on
  // success, as the shell call does.
  virtual int ShellExecuteOpen(const std::string& file) = 0;

  // --- single instance: true if this is the only running card; the guard is held until
  // released (or the process ends).
  virtual bool AcquireSingleInstance() = 0;
  virtual void ReleaseSingleInstance() = 0;

  // --- the program's own resources, by type and id ("CUSTOM" 101 is the tune, "PICTURE" 2xx
  // the pictures), from the compiled-in table, whose Windows entries point into the program's
  // resource script
  virtual std::optional<std::vector<std::uint8_t>> LoadResource(const std::string& type, int id);
};

}  // namespace frost
