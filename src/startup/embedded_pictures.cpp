#include "startup/embedded_pictures.h"

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

const CursorImage& WindowIcon() {
  static const CursorImage icon = LoadCursorImage(ResourceBytes("Icon32"), PixelPoint{});
  return icon;
}

}  // namespace frost
