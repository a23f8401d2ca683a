#pragma once
#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <span>
#include <string>

namespace frost {

// An owned file descriptor, closed when it goes out of scope.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(FileDescriptor&& other) noexcept;
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Reset(); }

  int Get() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }
  void Reset(int fd = -1);

 private:
  int fd_ = -1;
};

// Raises the run-time error the card expects for a failed file call: 53 when the file is
// missing, 70 when access is refused (also a running program, which Linux will not write),
// 75 for anything else.
[[noreturn]] void ThrowFileError(int error_number, const std::string& path);

// open(2) with close-on-exec, so that no started program inherits the card's files.
FileDescriptor OpenFile(const std::string& path, int flags, mode_t mode = 0666);

void WriteAllAt(const FileDescriptor& file, std::span<const std::uint8_t> bytes, off_t offset,
                const std::string& path);

struct stat StatOpenFile(const FileDescriptor& file, const std::string& path);

}  // namespace frost
