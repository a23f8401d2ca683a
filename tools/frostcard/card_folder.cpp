#include "card_folder.h"

#include <stdlib.h>

#include <stdexcept>
#include <system_error>

namespace frost::frostcard {

namespace fs = std::filesystem;

TemporaryFolder::TemporaryFolder() {
  std::string pattern = (fs::temp_directory_path() / "frostcard-XXXXXX").string();
  if (!mkdtemp(pattern.data()))
    throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

bool TemporaryFolder::PlaceCard(const std::string& card, std::string& error) const {
  std::error_code copyError;
  fs::copy_file(card, Card(), copyError);
  if (copyError)
    error = "cannot copy the card " + card + ": " + copyError.message();
  return !copyError;
}

HeadlessCard::HeadlessCard(const TemporaryFolder& folder, double twipsPerPixel, std::uint64_t seed)
    : backend(twipsPerPixel), random(seed) {
  platform.SetProgramPath(folder.Card().string());
  platform.SetLockPath((folder.Path() / "instance.lock").string());
  form.SeedFromClock = false;
}

}  // namespace frost::frostcard
