#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/posix/posix_binary_file.h"
#include "platform/posix/posix_platform.h"
#include "toolkit/errors.h"

namespace frost {

namespace {

// The copy keeps the source's permission bits, above all the executable bit (the card
// starts the copies it makes), and stays writable by its owner, who writes greetings into it.
mode_t CopyMode(const struct stat& source) {
  return (source.st_mode & 07777) | S_IWUSR;
}

void RefuseCopyOntoItself(const struct stat& source, const struct stat& target,
                          const std::string& to) {
  if (source.st_dev == target.st_dev && source.st_ino == target.st_ino) {
    throw RuntimeError(error::kPermissionDenied, "Permission denied: " + to + " is the source");
  }
}

void CopyContents(const FileDescriptor& source, const std::string& from,
                  const FileDescriptor& target, const std::string& to) {
  std::vector<std::uint8_t> buffer(64 * 1024);
  off_t offset = 0;
  while (std::size_t count = ReadSome(source, buffer, from)) {
    WriteAllAt(target, std::span(buffer).first(count), offset, to);
    offset += static_cast<off_t>(count);
  }
}

struct stat StatPath(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    ThrowFileError(errno, path);
  }
  return status;
}

}  // namespace

bool PosixPlatform::FileExists(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

void PosixPlatform::CopyFile(const std::string& from, const std::string& to) {
  FileDescriptor source = OpenFile(from, O_RDONLY);
  const struct stat source_status = StatOpenFile(source, from);
  // Not truncated on open: a copy onto itself must be refused before it empties the file.
  FileDescriptor target = OpenFile(to, O_WRONLY | O_CREAT, CopyMode(source_status));
  RefuseCopyOntoItself(source_status, StatOpenFile(target, to), to);
  if (::ftruncate(target.Get(), 0) != 0 || ::fchmod(target.Get(), CopyMode(source_status)) != 0) {
    ThrowFileError(errno, to);
  }
  CopyContents(source, from, target, to);
}

void PosixPlatform::DeleteFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0) {
    ThrowFileError(errno, path);
  }
}

std::int64_t PosixPlatform::FileLength(const std::string& path) {
  return StatPath(path).st_size;
}

std::unique_ptr<BinaryFile> PosixPlatform::OpenBinary(const std::string& path, FileMode mode) {
  const int flags = mode == FileMode::Read ? O_RDONLY : O_RDWR | O_CREAT;
  return std::make_unique<PosixBinaryFile>(OpenFile(path, flags), path);
}

// Never through a symbolic link, and only into a plain file of the user's own with no other name:
// a link planted where the card writes must not make it overwrite someone's file. Emptied only
// once it has been opened and checked.
void PosixPlatform::WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  FileDescriptor file = OpenFile(path, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK);
  const struct stat status = StatOpenFile(file, path);
  if (!S_ISREG(status.st_mode) || status.st_nlink != 1 || status.st_uid != ::geteuid())
    ThrowFileError(EACCES, path);
  if (::ftruncate(file.Get(), 0) != 0)
    ThrowFileError(errno, path);
  WriteAllAt(file, bytes, 0, path);
}

}  // namespace frost
