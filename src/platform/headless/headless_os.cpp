#include "platform/headless/headless_os.h"

#include <algorithm>

#include "toolkit/errors.h"

namespace frost {
namespace {

// The error the card sees for a file call that failed for `why`, worded as the OS words it.
[[noreturn]] void ThrowWriteError(const std::string& path, const std::string& why) {
  throw RuntimeError(error::kPathFileAccess, "Path/File access error: " + path + " (" + why + ")");
}

// A copy's file that fails where the faults say: bytes beyond the space left are not written,
// and the chosen single-byte write fails with an I/O error.
class FaultyCopyFile : public BinaryFile {
 public:
  FaultyCopyFile(std::unique_ptr<BinaryFile> file, std::string name, HeadlessOs& os)
      : file_(std::move(file)), name_(std::move(name)), os_(os) {}

  std::int64_t Length() override { return file_->Length(); }
  std::uint8_t GetByte(std::int64_t position) override { return file_->GetByte(position); }
  std::size_t GetBytes(std::int64_t position, std::span<std::uint8_t> bytes) override {
    return file_->GetBytes(position, bytes);
  }
  void PutByte(std::int64_t position, std::uint8_t value) override {
    if (++os_.byte_writes == os_.faults.failing_byte_write)
      Fail("Input/output error");
    PutBytes(position, std::span(&value, 1));
  }
  void PutBytes(std::int64_t position, std::span<const std::uint8_t> bytes) override {
    const auto space = os_.faults.space_for_bytes;
    const std::int64_t end = position - 1 + static_cast<std::int64_t>(bytes.size());
    if (space && end > *space) {
      const std::int64_t fits = std::max<std::int64_t>(0, *space - (position - 1));
      file_->PutBytes(position, bytes.first(static_cast<std::size_t>(fits)));
      Fail("No space left on device");
    }
    file_->PutBytes(position, bytes);
  }
  void Flush() override { file_->Flush(); }

 private:
  [[noreturn]] void Fail(const std::string& why) const { ThrowWriteError(name_, why); }

  std::unique_ptr<BinaryFile> file_;
  std::string name_;
  HeadlessOs& os_;
};

}  // namespace

NewFile HeadlessOs::CreateFileBeside(const std::string& target, const std::string& like) {
  NewFile made = native_.CreateFileBeside(target, like);
  made.file = std::make_unique<FaultyCopyFile>(std::move(made.file), target, *this);
  return made;
}

void HeadlessOs::RenameIntoPlace(const std::string& from, const std::string& to) {
  if (faults.refused_renames > 0) {
    --faults.refused_renames;
    ThrowWriteError(to, "Device or resource busy");
  }
  native_.RenameIntoPlace(from, to);
}

int HeadlessOs::ShellExecuteOpen(const std::string& file) {
  if (faults.start_result <= 32)
    return faults.start_result;
  opened_files.push_back(file);
  return kShellExecuteStarted;
}

}  // namespace frost
