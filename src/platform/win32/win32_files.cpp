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

}  // namespace

bool Win32Platform::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void Win32Platform::CopyFile(const std::string& from, const std::string& to) {
  RefuseCopyOntoItself(from, to);
  const std::string part = to + ".part";
  const std::wstring wide_part = Widen(part);
  if (!CopyFileW(Widen(from).c_str(), wide_part.c_str(), FALSE))
    ThrowFileError(GetLastError(), GetLastError() == ERROR_FILE_NOT_FOUND ? from : part);
  // A copy keeps the source's attributes; the card writes greetings into its copies.
  const DWORD attributes = GetFileAttributesW(wide_part.c_str());
  SetFileAttributesW(wide_part.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
  if (!MoveFileExW(wide_part.c_str(), Widen(to).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD failure = GetLastError();
    DeleteFileW(wide_part.c_str());
    ThrowFileError(failure, to);
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
