#include "platform/posix/posix_file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "toolkit/errors.h"

namespace frost {

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  Reset(std::exchange(other.fd_, -1));
  return *this;
}

void FileDescriptor::Reset(int fd) {
  if (fd_ >= 0) {
    ::close(fd_);
  }
  fd_ = fd;
}

void ThrowFileError(int error_number, const std::string& path) {
  switch (error_number) {
    case ENOENT:
    case ENOTDIR:
      throw RuntimeError(error::kFileNotFound, "File not found: " + path);
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      throw RuntimeError(error::kPermissionDenied, "Permission denied: " + path);
    default:
      throw RuntimeError(error::kPathFileAccess, "Path/File access error: " + path + " (" +
                                                     std::strerror(error_number) + ")");
  }
}

FileDescriptor OpenFile(const std::string& path, int flags, mode_t mode) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    ThrowFileError(errno, path);
  }
  return FileDescriptor(fd);
}

void WriteAllAt(const FileDescriptor& file, std::span<const std::uint8_t> bytes, off_t offset,
                const std::string& path) {
  while (!bytes.empty()) {
    ssize_t count = ::pwrite(file.Get(), bytes.data(), bytes.size(), offset);
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count < 0) {
      ThrowFileError(errno, path);
    }
    bytes = bytes.subspan(static_cast<std::size_t>(count));
    offset += count;
  }
}

struct stat StatOpenFile(const FileDescriptor& file, const std::string& path) {
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) {
    ThrowFileError(errno, path);
  }
  return status;
}

}  // namespace frost
