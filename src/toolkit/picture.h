#pragma once
#include <cstdint>
#include <span>

#include "toolkit/bitmap.h"

namespace frost {

// Decodes a JPEG, GIF or PNG held in memory. A corrupt or truncated picture raises
// RuntimeError(error::kInvalidPicture); it never crashes.
Picture LoadPicture(std::span<const std::uint8_t> bytes);

}  // namespace frost
