#pragma once
#include <optional>

#include "toolkit/backend.h"
#include "toolkit/picture_box.h"

namespace frost {

// The window region of a picture: one 1-pixel-high rectangle per horizontal run of pixels
// whose colour differs from the top-left pixel's (the key colour). nullopt when every pixel has
// the key colour. Reads the picture's bitmap directly, not pixel by pixel through a slow call.
std::optional<Region> MakeRegionFromPicture(const PictureBox& box);
std::optional<Region> MakeRegionFromBitmap(const Bitmap& pixels, int width, int height);

}  // namespace frost
