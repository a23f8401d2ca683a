#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/posix/posix_binary_file.h"
#include "platform/posix/posix_platform.h"
#include "toolkit/errors.h"

namespace frost {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

// The copy keeps the source's permission bits, above all the executable bit (the card
// starts the copies it makes), and stays writable by its owner, who writes greetings into it.
mode_t CopyMode(const struct stat& source) {
  return (source.st_mode & 07777) | S_IWUSR;
}

// The new file of a copy in progress: a hidden name next to the target, so that the final
// rename stays on one file system. Removed again unless it was renamed into place.
class TemporaryCopy {
 public:
  TemporaryCopy(const std::string& to, mode_t mode) {
    const std::size_t slash = to.rfind('/');
    const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
    path_ = to.substr(0, name) + "." + to.substr(name) + ".XXXXXX";
    file_.Reset(::mkostemp(path_.data(), O_CLOEXEC));
    if (!file_.IsOpen()) {
      ThrowFileError(errno, to);
    }
    if (::fchmod(file_.Get(), mode) != 0) {
      const int failure = errno;
      ::unlink(path_.c_str());
      ThrowFileError(failure, to);
    }
  }
  ~TemporaryCopy() {
    if (!placed_) {
      ::unlink(path_.c_str());
    }
  }
  TemporaryCopy(const TemporaryCopy&) = delete;
  TemporaryCopy& operator=(const TemporaryCopy&) = delete;

  FileDescriptor TakeFile() { return std::move(file_); }
  const std::string& Path() const { return path_; }
  void Placed() { placed_ = true; }

 private:
  std::string path_;
  FileDescriptor file_;
  bool placed_ = false;
};

void CopyContents(const FileDescriptor& source, const std::string& from, BinaryFile& target) {
  std::vector<std::uint8_t> buffer(kChunk);
  std::int64_t position = 1;
  while (std::size_t count = ReadSome(source, buffer, from)) {
    target.PutBytes(position, std::span(buffer).first(count));
    position += static_cast<std::int64_t>(count);
  }
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

// Reads until `bytes` is full or the file ends; the count read.
std::size_t ReadUpTo(const FileDescriptor& file, std::span<std::uint8_t> bytes,
                     const std::string& path) {
  std::size_t total = 0;
  while (total < bytes.size()) {
    const std::size_t count = ReadSome(file, bytes.subspan(total), path);
    if (count == 0) {
      break;
    }
    total += count;
  }
  return total;
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

void PosixPlatform::WriteCompleteCopy(const std::string& from, const std::string& to,
                                      const std::function<void(BinaryFile&)>& finish) {
  FileDescriptor source = OpenFile(from, O_RDONLY);
  const struct stat source_status = StatOpenFile(source, from);
  TemporaryCopy temporary(to, CopyMode(source_status));
  {
    std::unique_ptr<BinaryFile> copy = OpenCopyTarget(temporary.TakeFile(), to);
    CopyContents(source, from, *copy);
    if (finish) {
      finish(*copy);
    }
    copy->Flush();
    if (const std::int64_t length = copy->Length(); length != source_status.st_size) {
      throw RuntimeError(error::kPathFileAccess,
                         "Path/File access error: " + to + " (the copy holds " +
                             std::to_string(length) + " of " +
                             std::to_string(source_status.st_size) + " bytes)");
    }
  }
  RenameIntoPlace(temporary.Path(), to);
  temporary.Placed();
  SyncFolderOf(to);
}

std::unique_ptr<BinaryFile> PosixPlatform::OpenCopyTarget(FileDescriptor file,
                                                          const std::string& name) {
  return std::make_unique<PosixBinaryFile>(std::move(file), name);
}

void PosixPlatform::RenameIntoPlace(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) {
    ThrowFileError(errno, to);
  }
}

bool PosixPlatform::FilesIdentical(const std::string& a, const std::string& b) {
  FileDescriptor first = OpenFile(a, O_RDONLY);
  FileDescriptor second = OpenFile(b, O_RDONLY);
  if (StatOpenFile(first, a).st_size != StatOpenFile(second, b).st_size) {
    return false;
  }
  std::vector<std::uint8_t> x(kChunk), y(kChunk);
  for (;;) {
    const std::size_t count = ReadUpTo(first, x, a);
    if (ReadUpTo(second, std::span(y).first(count), b) != count ||
        !std::equal(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(count), y.begin())) {
      return false;
    }
    if (count < x.size()) {
      return true;
    }
  }
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
