#pragma once
#include <span>
#include <string_view>

#include "toolkit/backend.h"
#include "toolkit/bitmap.h"

namespace frost {

// The pictures the card window carries, decoded from the compiled-in resources by the name of
// the control that holds them ("PictureSanta", "Image1", "ImageClose", ...).
Picture EmbeddedPicture(std::string_view controlName);
const CursorImage& HandCursor();
// The window icon, 16, 24, 32 and 48 pixels.
std::span<const CursorImage> WindowIcon();

}  // namespace frost
