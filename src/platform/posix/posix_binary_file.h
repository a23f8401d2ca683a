#pragma once
#include <string>

#include "platform/os_services.h"
#include "platform/posix/posix_file_io.h"

namespace frost {

// Byte access to an open file; positions count from 1. Reading past the end yields 0 and
// raises nothing, as the card's binary file access does.
class PosixBinaryFile : public BinaryFile {
 public:
  PosixBinaryFile(FileDescriptor file, std::string path)
      : file_(std::move(file)), path_(std::move(path)) {}

  std::int64_t Length() override;
  std::uint8_t GetByte(std::int64_t position) override;
  std::size_t GetBytes(std::int64_t position, std::span<std::uint8_t> bytes) override;
  void PutByte(std::int64_t position, std::uint8_t value) override;
  void PutBytes(std::int64_t position, std::span<const std::uint8_t> bytes) override;
  void Flush() override;

 private:
  off_t OffsetOf(std::int64_t position) const;

  FileDescriptor file_;
  std::string path_;
};

}  // namespace frost
