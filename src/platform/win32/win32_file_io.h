#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace frost {

// An owned kernel handle (a file, a mutex), closed when it goes out of scope. Held as void*
// so that this header needs no Windows header.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(void* handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept;
  UniqueHandle& operator=(UniqueHandle&& other) noexcept;
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  void* Get() const { return handle_; }
  bool IsOpen() const { return handle_ != nullptr; }
  void Reset(void* handle = nullptr);

 private:
  void* handle_ = nullptr;
};

// Raises the run-time error the card expects for a failed file call (a Win32 error code): 53
// when the file or its folder is missing, 70 when access is refused or the file is in use
// (a running program), 75 for anything else.
[[noreturn]] void ThrowFileError(unsigned long windowsError, const std::string& path);

enum class FileAccess { Read, ReadWrite, Replace, CreateNew };

// CreateFileW: Read opens an existing file, ReadWrite opens or creates one, Replace creates an
// empty one, CreateNew creates one that must not exist yet. Others may read the file meanwhile;
// nobody else may write it. The handle is not inherited by started programs.
UniqueHandle OpenFile(const std::string& path, FileAccess access);

std::int64_t LengthOf(const UniqueHandle& file, const std::string& path);

// Reads at an offset; returns how many bytes there were (fewer at the end of the file).
std::size_t ReadAt(const UniqueHandle& file, std::span<std::uint8_t> bytes, std::int64_t offset,
                   const std::string& path);
void WriteAllAt(const UniqueHandle& file, std::span<const std::uint8_t> bytes, std::int64_t offset,
                const std::string& path);

}  // namespace frost
