#include <atomic>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_binary_file.h"
#include "platform/win32/win32_os_services.h"
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

// A name of this process's own next to the target, so that the final rename stays on one volume
// (its name, which errors show, begins with the target's).
std::string PartName(const std::string& target) {
  static std::atomic<unsigned> counter = 0;
  return target + "." + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++) +
         ".part";
}

}  // namespace

bool Win32OsServices::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

NewFile Win32OsServices::CreateFileBeside(const std::string& target, const std::string& like) {
  RefuseCopyOntoItself(like, target);
  std::string path = PartName(target);
  UniqueHandle file = OpenFile(path, FileAccess::CreateNew);
  return {std::move(path), std::make_unique<Win32BinaryFile>(std::move(file), target)};
}

void Win32OsServices::RenameIntoPlace(const std::string& from, const std::string& to) {
  if (!MoveFileExW(Widen(from).c_str(), Widen(to).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ThrowFileError(GetLastError(), to);
  }
}

void Win32OsServices::DeleteFile(const std::string& path) {
  if (!DeleteFileW(Widen(path).c_str()))
    ThrowFileError(GetLastError(), path);
}

std::int64_t Win32OsServices::FileLength(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data))
    ThrowFileError(GetLastError(), path);
  return (std::int64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

std::unique_ptr<BinaryFile> Win32OsServices::OpenBinary(const std::string& path, FileMode mode) {
  const FileAccess access = mode == FileMode::Read ? FileAccess::Read : FileAccess::ReadWrite;
  return std::make_unique<Win32BinaryFile>(OpenFile(path, access), path);
}

void Win32OsServices::WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  WriteAllAt(OpenFile(path, FileAccess::Replace), bytes, 0, path);
}

}  // namespace frost
