#include "platform/win32/win32_file_io.h"

#include <utility>

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_prelude.h"
#include "toolkit/errors.h"

namespace frost {

UniqueHandle::UniqueHandle(UniqueHandle&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)) {}

UniqueHandle& UniqueHandle::operator=(UniqueHandle&& other) noexcept {
  Reset(std::exchange(other.handle_, nullptr));
  return *this;
}

void UniqueHandle::Reset(void* handle) {
  if (handle_ != nullptr)
    CloseHandle(handle_);
  handle_ = handle;
}

void ThrowFileError(unsigned long windowsError, const std::string& path) {
  switch (windowsError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      throw RuntimeError(error::kFileNotFound, "File not found: " + path);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      throw RuntimeError(error::kPermissionDenied, "Permission denied: " + path);
    default:
      throw RuntimeError(error::kPathFileAccess, "Path/File access error: " + path +
                                                     " (Windows error " +
                                                     std::to_string(windowsError) + ")");
  }
}

UniqueHandle OpenFile(const std::string& path, FileAccess access) {
  const DWORD rights = access == FileAccess::Read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
  const DWORD disposition = access == FileAccess::Read        ? OPEN_EXISTING
                            : access == FileAccess::ReadWrite ? OPEN_ALWAYS
                            : access == FileAccess::Replace   ? CREATE_ALWAYS
                                                              : CREATE_NEW;
  HANDLE file = CreateFileW(Widen(path).c_str(), rights, FILE_SHARE_READ, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    ThrowFileError(GetLastError(), path);
  return UniqueHandle(file);
}

std::int64_t LengthOf(const UniqueHandle& file, const std::string& path) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size))
    ThrowFileError(GetLastError(), path);
  return size.QuadPart;
}

namespace {

OVERLAPPED At(std::int64_t offset) {
  OVERLAPPED where{};
  where.Offset = static_cast<DWORD>(offset & 0xFFFFFFFF);
  where.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return where;
}

}  // namespace

std::size_t ReadAt(const UniqueHandle& file, std::span<std::uint8_t> bytes, std::int64_t offset,
                   const std::string& path) {
  OVERLAPPED where = At(offset);
  DWORD count = 0;
  if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &count, &where) &&
      GetLastError() != ERROR_HANDLE_EOF) {
    ThrowFileError(GetLastError(), path);
  }
  return count;
}

void WriteAllAt(const UniqueHandle& file, std::span<const std::uint8_t> bytes, std::int64_t offset,
                const std::string& path) {
  while (!bytes.empty()) {
    OVERLAPPED where = At(offset);
    DWORD count = 0;
    if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &count, &where))
      ThrowFileError(GetLastError(), path);
    bytes = bytes.subspan(count);
    offset += count;
  }
}

}  // namespace frost
