#pragma once
#include <cstdint>
#include <span>

#include "toolkit/backend.h"

namespace frost {

// Decodes a picture with its alpha channel (PNG) into a cursor or icon image. A corrupt
// picture raises RuntimeError(error::kInvalidPicture).
CursorImage LoadCursorImage(std::span<const std::uint8_t> bytes, PixelPoint hotSpot);

}  // namespace frost
