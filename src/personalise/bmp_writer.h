#pragma once
#include <cstdint>
#include <vector>

#include "toolkit/bitmap.h"

namespace frost {

// `picture` as a 24-bit Windows bitmap file: the file and info headers, then the rows from the
// bottom up, each pixel blue, green, red, each row padded to a multiple of four bytes.
std::vector<std::uint8_t> EncodeBmp(const Bitmap& picture);

}  // namespace frost
