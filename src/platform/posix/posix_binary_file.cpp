#include "platform/posix/posix_binary_file.h"

#include <unistd.h>

#include <cerrno>

#include "platform/record_position.h"

namespace frost {

std::int64_t PosixBinaryFile::Length() {
  return StatOpenFile(file_, path_).st_size;
}

std::uint8_t PosixBinaryFile::GetByte(std::int64_t position) {
  std::uint8_t value = 0;
  GetBytes(position, std::span(&value, 1));
  return value;
}

std::size_t PosixBinaryFile::GetBytes(std::int64_t position, std::span<std::uint8_t> bytes) {
  const off_t offset = OffsetOf(position);
  std::size_t total = 0;
  while (total < bytes.size()) {
    const ssize_t count = ::pread(file_.Get(), bytes.data() + total, bytes.size() - total,
                                  offset + static_cast<off_t>(total));
    if (count < 0 && errno == EINTR)
      continue;
    if (count < 0)
      ThrowFileError(errno, path_);
    if (count == 0)
      break;
    total += static_cast<std::size_t>(count);
  }
  return total;
}

void PosixBinaryFile::PutByte(std::int64_t position, std::uint8_t value) {
  PutBytes(position, std::span(&value, 1));
}

void PosixBinaryFile::PutBytes(std::int64_t position, std::span<const std::uint8_t> bytes) {
  WriteAllAt(file_, bytes, OffsetOf(position), path_);
}

void PosixBinaryFile::Flush() {
  if (::fsync(file_.Get()) != 0) {
    ThrowFileError(errno, path_);
  }
}

off_t PosixBinaryFile::OffsetOf(std::int64_t position) const {
  return static_cast<off_t>(RecordOffset(position, path_));
}

}  // namespace frost
