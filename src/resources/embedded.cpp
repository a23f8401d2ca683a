#include "resources/embedded.h"

#include <algorithm>

namespace frost::resources {

namespace generated {
// Built from the list in resources/CMakeLists.txt.
std::span<const Resource> Table();
}  // namespace generated

namespace {

template <typename Matches>
std::optional<std::span<const std::uint8_t>> FindFirst(Matches matches) {
  const auto table = generated::Table();
  // An empty entry is one the Windows program's resources lack.
  const auto found = std::find_if(table.begin(), table.end(), [&](const Resource& r) {
    return !r.bytes.empty() && matches(r);
  });
  if (found == table.end())
    return std::nullopt;
  return found->bytes;
}

}  // namespace

std::span<const Resource> All() {
  return generated::Table();
}

std::optional<std::span<const std::uint8_t>> Find(std::string_view type, int id) {
  return FindFirst([&](const Resource& r) { return r.type == type && r.id == id; });
}

std::optional<std::span<const std::uint8_t>> FindByName(std::string_view name) {
  return FindFirst([&](const Resource& r) { return r.name == name; });
}

// Read from resources/cursor/hand.hotspot by the build.
CursorHotSpot HandCursorHotSpot() {
  return {FROST_HAND_HOT_SPOT_X, FROST_HAND_HOT_SPOT_Y};
}

}  // namespace frost::resources
