#pragma once
#include <filesystem>
#include <string>

namespace frost::frostcard {

// A program folder of its own for one run of the card, removed afterwards, so that runs never
// collide with each other or with a live card.
class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // Copies `card` into the folder as "Frostmail.exe"; false (with `error`) when it cannot.
  bool PlaceCard(const std::string& card, std::string& error) const;
  std::filesystem::path Card() const { return path_ / "Frostmail.exe"; }

 private:
  std::filesystem::path path_;
};

}  // namespace frost::frostcard
