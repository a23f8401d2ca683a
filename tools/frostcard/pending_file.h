#pragma once
#include <string>

namespace frost::frostcard {

// A file written under a temporary name beside its target and renamed into place once it is
// complete, so that a failure, or an interrupt, never leaves a half-written file behind.
class PendingFile {
 public:
  // Raises std::runtime_error when the target's folder cannot be written.
  explicit PendingFile(const std::string& target);
  // Removes the temporary file unless it was committed.
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  const std::string& Path() const { return path_; }
  // Puts the complete file in the target's place; raises std::runtime_error when it cannot.
  void Commit();

 private:
  std::string target_;
  std::string path_;
  bool committed_ = false;
};

}  // namespace frost::frostcard
