#include "startup/embedded_pictures.h"

#include <array>

#include "resources/embedded.h"
#include "toolkit/cursor_image.h"
#include "toolkit/errors.h"
#include "toolkit/picture.h"

namespace frost {
namespace {

// The hand cursor and the window icon are the toolkit's own drawings and no pictures of the
// card; they stay in the compiled-in table.
std::span<const std::uint8_t> ResourceBytes(std::string_view name) {
  auto bytes = resources::FindByName(name);
  if (!bytes) {
    throw RuntimeError(error::kInvalidPicture,
                       "the card's picture \"" + std::string(name) + "\" is missing");
  }
  return *bytes;
}

}  // namespace

Picture EmbeddedPicture(OsServices& os, int id) {
  const auto bytes = os.LoadResource("PICTURE", id);
  if (!bytes) {
    throw RuntimeError(error::kInvalidPicture,
                       "the card's picture " + std::to_string(id) + " is missing");
  }
  return LoadPicture(*bytes);
}

const CursorImage& HandCursor() {
  static const CursorImage cursor = [] {
    auto hotSpot = resources::HandCursorHotSpot();
    return LoadCursorImage(ResourceBytes("HandCursor"), PixelPoint{hotSpot.x, hotSpot.y});
  }();
  return cursor;
}

std::span<const CursorImage> WindowIcon() {
  static const std::array<CursorImage, 4> icon = {
      LoadCursorImage(ResourceBytes("Icon16"), PixelPoint{}),
      LoadCursorImage(ResourceBytes("Icon24"), PixelPoint{}),
      LoadCursorImage(ResourceBytes("Icon32"), PixelPoint{}),
      LoadCursorImage(ResourceBytes("Icon48"), PixelPoint{})};
  return icon;
}

}  // namespace frost
