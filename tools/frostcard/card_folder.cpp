#include "card_folder.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>
#include <system_error>

#include "personalise/greeting_area.h"

namespace frost::frostcard {

namespace fs = std::filesystem;

namespace {

// Every card file ends in its greeting data area, which starts with the marker.
bool HasGreetingArea(const std::string& file) {
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  const auto size = static_cast<std::streamoff>(in.tellg());
  if (!in || size < greeting_area::kSize)
    return false;
  in.seekg(size - greeting_area::kSize);
  return in.get() == greeting_area::kMarker;
}

}  // namespace

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
  if (fs::is_regular_file(card) && !HasGreetingArea(card)) {
    error = card + " is not a card: it has no greeting data area";
    return false;
  }
  std::error_code copyError;
  fs::copy_file(card, Card(), copyError);
  if (copyError)
    error = "cannot copy the card " + card + ": " + copyError.message();
  return !copyError;
}

HeadlessCard::HeadlessCard(const TemporaryFolder& folder, double twipsPerPixel, std::uint64_t seed)
    : backend(twipsPerPixel), random(seed) {
  platform.os.SetProgramPath(folder.Card().string());
  platform.os.SetInstanceGuard((folder.Path() / "instance.lock").string());
  form.SeedFromClock = false;
}

}  // namespace frost::frostcard
