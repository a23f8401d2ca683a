#include "platform/headless/headless_platform.h"

#include <algorithm>
#include <cerrno>

namespace frost {
namespace {

// A copy's file that fails where the platform's faults say: bytes beyond the space left are not
// written, and the chosen single-byte write fails with an I/O error.
class FaultyCopyFile : public BinaryFile {
 public:
  FaultyCopyFile(std::unique_ptr<BinaryFile> file, std::string name, HeadlessPlatform& platform)
      : file_(std::move(file)), name_(std::move(name)), platform_(platform) {}

  std::int64_t Length() override { return file_->Length(); }
  std::uint8_t GetByte(std::int64_t position) override { return file_->GetByte(position); }
  void PutByte(std::int64_t position, std::uint8_t value) override {
    if (++platform_.byte_writes == platform_.faults.failing_byte_write)
      ThrowFileError(EIO, name_);
    PutBytes(position, std::span(&value, 1));
  }
  void PutBytes(std::int64_t position, std::span<const std::uint8_t> bytes) override {
    const auto space = platform_.faults.space_for_bytes;
    const std::int64_t end = position - 1 + static_cast<std::int64_t>(bytes.size());
    if (space && end > *space) {
      const std::int64_t fits = std::max<std::int64_t>(0, *space - (position - 1));
      file_->PutBytes(position, bytes.first(static_cast<std::size_t>(fits)));
      ThrowFileError(ENOSPC, name_);
    }
    file_->PutBytes(position, bytes);
  }
  void Flush() override { file_->Flush(); }

 private:
  std::unique_ptr<BinaryFile> file_;
  std::string name_;
  HeadlessPlatform& platform_;
};

}  // namespace

void HeadlessPlatform::MessageBox(const std::string& text, const std::string& caption) {
  message_boxes.push_back({text, caption});
}

int HeadlessPlatform::ShellExecuteOpen(const std::string& file) {
  if (faults.start_result <= 32)
    return faults.start_result;
  opened_files.push_back(file);
  return kShellExecuteStarted;
}

std::unique_ptr<BinaryFile> HeadlessPlatform::OpenCopyTarget(FileDescriptor file,
                                                             const std::string& name) {
  return std::make_unique<FaultyCopyFile>(PosixPlatform::OpenCopyTarget(std::move(file), name),
                                          name, *this);
}

void HeadlessPlatform::RenameIntoPlace(const std::string& from, const std::string& to) {
  if (faults.refused_renames > 0) {
    --faults.refused_renames;
    ThrowFileError(EBUSY, to);
  }
  PosixPlatform::RenameIntoPlace(from, to);
}

}  // namespace frost
