#include "toolkit/cursor_image.h"

#include <stb_image.h>

#include <memory>

#include "toolkit/errors.h"

namespace frost {

CursorImage LoadCursorImage(std::span<const std::uint8_t> bytes, PixelPoint hotSpot) {
  int width = 0, height = 0, channels = 0;
  std::unique_ptr<stbi_uc, void (*)(void*)> rgba(
      stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height,
                            &channels, 4),
      stbi_image_free);
  if (!rgba || width <= 0 || height <= 0) {
    throw RuntimeError(error::kInvalidPicture, "Invalid picture");
  }
  CursorImage image{width, height, {}, hotSpot};
  image.argb.resize(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < image.argb.size(); ++i) {
    const stbi_uc* p = rgba.get() + i * 4;
    image.argb[i] = (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[0]} << 16) |
                    (std::uint32_t{p[1]} << 8) | p[2];
  }
  return image;
}

}  // namespace frost
