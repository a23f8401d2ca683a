#include "platform/win32/win32_binary_file.h"

#include "platform/record_position.h"
#include "platform/win32/windows_prelude.h"

namespace frost {

std::int64_t Win32BinaryFile::Length() {
  return LengthOf(file_, path_);
}

std::uint8_t Win32BinaryFile::GetByte(std::int64_t position) {
  std::uint8_t value = 0;
  GetBytes(position, std::span(&value, 1));
  return value;
}

std::size_t Win32BinaryFile::GetBytes(std::int64_t position, std::span<std::uint8_t> bytes) {
  return ReadAt(file_, bytes, OffsetOf(position), path_);
}

void Win32BinaryFile::PutByte(std::int64_t position, std::uint8_t value) {
  PutBytes(position, std::span(&value, 1));
}

void Win32BinaryFile::PutBytes(std::int64_t position, std::span<const std::uint8_t> bytes) {
  WriteAllAt(file_, bytes, OffsetOf(position), path_);
}

void Win32BinaryFile::Flush() {
  if (!FlushFileBuffers(file_.Get()))
    ThrowFileError(GetLastError(), path_);
}

std::int64_t Win32BinaryFile::OffsetOf(std::int64_t position) const {
  return RecordOffset(position, path_);
}

}  // namespace frost
