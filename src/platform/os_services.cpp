#include "platform/os_services.h"

#include <algorithm>
#include <vector>

#include "resources/embedded.h"
#include "toolkit/errors.h"

namespace frost {
namespace {

constexpr std::size_t kChunk = 64 * 1024;

// The new file of a copy in progress, removed again unless it was renamed into place.
class CopyInProgress {
 public:
  CopyInProgress(OsServices& os, NewFile made) : os_(os), made_(std::move(made)) {}
  ~CopyInProgress() {
    made_.file.reset();  // Windows deletes no file that is still open
    if (!placed_) {
      try {
        os_.DeleteFile(made_.path);
      } catch (...) {
        // Nothing more can be done, and a destructor may not throw; the failure that got here
        // is the one to report.
      }
    }
  }
  CopyInProgress(const CopyInProgress&) = delete;
  CopyInProgress& operator=(const CopyInProgress&) = delete;

  BinaryFile& File() { return *made_.file; }
  // Closes the file (Windows renames no open file) and renames it over `to`.
  void PlaceAt(const std::string& to) {
    made_.file.reset();
    os_.RenameIntoPlace(made_.path, to);
    placed_ = true;
  }

 private:
  OsServices& os_;
  NewFile made_;
  bool placed_ = false;
};

void CopyContents(BinaryFile& source, BinaryFile& target) {
  std::vector<std::uint8_t> buffer(kChunk);
  std::int64_t position = 1;
  while (const std::size_t count = source.GetBytes(position, buffer)) {
    target.PutBytes(position, std::span(buffer).first(count));
    position += static_cast<std::int64_t>(count);
  }
}

}  // namespace

void OsServices::WriteCompleteCopy(const std::string& from, const std::string& to,
                                   const std::function<void(BinaryFile&)>& finish) {
  std::unique_ptr<BinaryFile> source = OpenBinary(from, FileMode::Read);
  const std::int64_t length = source->Length();
  CopyInProgress copy(*this, CreateFileBeside(to, from));
  CopyContents(*source, copy.File());
  source.reset();
  if (finish)
    finish(copy.File());
  copy.File().Flush();
  if (const std::int64_t written = copy.File().Length(); written != length) {
    throw RuntimeError(error::kPathFileAccess, "Path/File access error: " + to +
                                                   " (the copy holds " + std::to_string(written) +
                                                   " of " + std::to_string(length) + " bytes)");
  }
  copy.PlaceAt(to);
}

bool OsServices::FilesIdentical(const std::string& a, const std::string& b) {
  const std::unique_ptr<BinaryFile> first = OpenBinary(a, FileMode::Read);
  const std::unique_ptr<BinaryFile> second = OpenBinary(b, FileMode::Read);
  if (first->Length() != second->Length())
    return false;
  std::vector<std::uint8_t> x(kChunk), y(kChunk);
  for (std::int64_t position = 1;; position += kChunk) {
    const std::size_t count = first->GetBytes(position, x);
    if (second->GetBytes(position, std::span(y).first(count)) != count ||
        !std::equal(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(count), y.begin())) {
      return false;
    }
    if (count < x.size())
      return true;
  }
}

std::optional<std::vector<std::uint8_t>> OsServices::LoadResource(const std::string& type, int id) {
  const auto bytes = resources::Find(type, id);
  if (!bytes)
    return std::nullopt;
  return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

}  // namespace frost
