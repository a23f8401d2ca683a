#include <algorithm>
#include <atomic>
#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_binary_file.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_prelude.h"
#include "toolkit/errors.h"

namespace frost {

namespace {

// Volume and file index name a file whatever path leads to it.
std::optional<std::pair<DWORD, ULONGLONG>> IdentityOf(const std::string& path) {
  HANDLE file =
      CreateFileW(Widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return std::nullopt;
  const UniqueHandle owner(file);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file, &info))
    return std::nullopt;
  return std::pair{info.dwVolumeSerialNumber,
                   (ULONGLONG{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

void RefuseCopyOntoItself(const std::string& from, const std::string& to) {
  const auto target = IdentityOf(to);
  if (target && target == IdentityOf(from))
    throw RuntimeError(error::kPermissionDenied, "Permission denied: " + to + " is the source");
}

constexpr std::size_t kChunk = 64 * 1024;

// The new file of a copy in progress: a name of this process's own next to the target, so that
// the final rename stays on one volume (its name, which errors show, begins with the target's).
// Removed again unless it was renamed into place.
class TemporaryCopy {
 public:
  explicit TemporaryCopy(const std::string& to)
      : path_(to + "." + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter_++) +
              ".part"),
        file_(OpenFile(path_, FileAccess::CreateNew)) {}
  ~TemporaryCopy() {
    file_.Reset();  // Windows deletes no file that is still open
    if (!placed_)
      DeleteFileW(Widen(path_).c_str());
  }
  TemporaryCopy(const TemporaryCopy&) = delete;
  TemporaryCopy& operator=(const TemporaryCopy&) = delete;

  UniqueHandle TakeFile() { return std::move(file_); }
  const std::string& Path() const { return path_; }
  void Placed() { placed_ = true; }

 private:
  static inline std::atomic<unsigned> counter_ = 0;
  std::string path_;
  UniqueHandle file_;
  bool placed_ = false;
};

// The count of bytes copied.
std::int64_t CopyContents(const UniqueHandle& source, const std::string& from, BinaryFile& target) {
  std::vector<std::uint8_t> buffer(kChunk);
  std::int64_t offset = 0;
  while (const std::size_t count = ReadAt(source, buffer, offset, from)) {
    target.PutBytes(offset + 1, std::span(buffer).first(count));
    offset += static_cast<std::int64_t>(count);
  }
  return offset;
}

}  // namespace

bool Win32Platform::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void Win32Platform::WriteCompleteCopy(const std::string& from, const std::string& to,
                                      const std::function<void(BinaryFile&)>& finish) {
  RefuseCopyOntoItself(from, to);
  const UniqueHandle source = OpenFile(from, FileAccess::Read);
  TemporaryCopy temporary(to);
  {
    Win32BinaryFile copy(temporary.TakeFile(), to);
    const std::int64_t length = CopyContents(source, from, copy);
    if (finish)
      finish(copy);
    copy.Flush();
    if (const std::int64_t written = copy.Length(); written != length) {
      throw RuntimeError(error::kPathFileAccess, "Path/File access error: " + to +
                                                     " (the copy holds " + std::to_string(written) +
                                                     " of " + std::to_string(length) + " bytes)");
    }
  }  // closed: Windows renames no open file
  if (!MoveFileExW(Widen(temporary.Path()).c_str(), Widen(to).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ThrowFileError(GetLastError(), to);
  }
  temporary.Placed();
}

bool Win32Platform::FilesIdentical(const std::string& a, const std::string& b) {
  const UniqueHandle first = OpenFile(a, FileAccess::Read);
  const UniqueHandle second = OpenFile(b, FileAccess::Read);
  if (LengthOf(first, a) != LengthOf(second, b))
    return false;
  std::vector<std::uint8_t> x(kChunk), y(kChunk);
  for (std::int64_t offset = 0;; offset += kChunk) {
    const std::size_t count = ReadAt(first, x, offset, a);
    if (ReadAt(second, std::span(y).first(count), offset, b) != count ||
        !std::equal(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(count), y.begin())) {
      return false;
    }
    if (count < x.size())
      return true;
  }
}

void Win32Platform::DeleteFile(const std::string& path) {
  if (!DeleteFileW(Widen(path).c_str()))
    ThrowFileError(GetLastError(), path);
}

std::int64_t Win32Platform::FileLength(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data))
    ThrowFileError(GetLastError(), path);
  return (std::int64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

std::unique_ptr<BinaryFile> Win32Platform::OpenBinary(const std::string& path, FileMode mode) {
  const FileAccess access = mode == FileMode::Read ? FileAccess::Read : FileAccess::ReadWrite;
  return std::make_unique<Win32BinaryFile>(OpenFile(path, access), path);
}

void Win32Platform::WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  WriteAllAt(OpenFile(path, FileAccess::Replace), bytes, 0, path);
}

}  // namespace frost
