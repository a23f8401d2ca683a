#include "startup/embedded_pictures.h"

#include <array>

#include "resources/embedded.h"
#include "toolkit/cursor_image.h"
#include "toolkit/errors.h"
#include "toolkit/picture.h"

namespace frost {
namespace {

std::span<const std::uint8_t> ResourceBytes(std::string_view name) {
  auto bytes = resources::FindByName(name);
  if (!bytes) {
    throw RuntimeError(error::kInvalidPicture,
                       "the card's picture \"" + std::string(name) + "\" is missing");
  }
  return *bytes;
}

}  // namespace

Picture EmbeddedPicture(std::string_view controlName) {
  return LoadPicture(ResourceBytes(controlName));
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
