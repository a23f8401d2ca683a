#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/posix/posix_binary_file.h"
#include "platform/posix/posix_os_services.h"
#include "toolkit/errors.h"

namespace frost {

namespace {

// The copy keeps the source's permission bits, above all the executable bit (the card
// starts the copies it makes), and stays writable by its owner, who writes greetings into it.
mode_t CopyMode(const struct stat& source) {
  return (source.st_mode & 07777) | S_IWUSR;
}

// The rename is durable only once the folder is synced; a file system that refuses to sync a
// folder does not undo the rename, so that failure is not reported.
void SyncFolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
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

bool PosixOsServices::FileExists(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

NewFile PosixOsServices::CreateFileBeside(const std::string& target, const std::string& like) {
  const mode_t mode = CopyMode(StatPath(like));
  const std::size_t slash = target.rfind('/');
  const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
  std::string path = target.substr(0, name) + "." + target.substr(name) + ".XXXXXX";
  FileDescriptor file(::mkostemp(path.data(), O_CLOEXEC));
  if (!file.IsOpen())
    ThrowFileError(errno, target);
  if (::fchmod(file.Get(), mode) != 0) {
    const int failure = errno;
    ::unlink(path.c_str());
    ThrowFileError(failure, target);
  }
  return {path, std::make_unique<PosixBinaryFile>(std::move(file), target)};
}

void PosixOsServices::RenameIntoPlace(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) {
    ThrowFileError(errno, to);
  }
  SyncFolderOf(to);
}

void PosixOsServices::DeleteFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0) {
    ThrowFileError(errno, path);
  }
}

std::int64_t PosixOsServices::FileLength(const std::string& path) {
  return StatPath(path).st_size;
}

std::unique_ptr<BinaryFile> PosixOsServices::OpenBinary(const std::string& path, FileMode mode) {
  const int flags = mode == FileMode::Read ? O_RDONLY : O_RDWR | O_CREAT;
  return std::make_unique<PosixBinaryFile>(OpenFile(path, flags), path);
}

// Never through a symbolic link, and only into a plain file of the user's own with no other name:
// a link planted where the card writes must not make it overwrite someone's file. Emptied only
// once it has been opened and checked.
void PosixOsServices::WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  FileDescriptor file = OpenFile(path, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK);
  const struct stat status = StatOpenFile(file, path);
  if (!S_ISREG(status.st_mode) || status.st_nlink != 1 || status.st_uid != ::geteuid())
    ThrowFileError(EACCES, path);
  if (::ftruncate(file.Get(), 0) != 0)
    ThrowFileError(errno, path);
  WriteAllAt(file, bytes, 0, path);
}

}  // namespace frost
