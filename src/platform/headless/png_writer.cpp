#include <bit>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "platform/headless/headless_backend.h"

// Static, so that another user of the writer cannot clash with it; the library's own code is not
// held to our warning level.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace frost {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;
static_assert(std::endian::native == std::endian::little, "pixels are written byte by byte");

}  // namespace

void WritePng(const std::string& path, const Bitmap& frame, const std::optional<Region>& region) {
  if (frame.Empty())
    throw std::runtime_error("cannot write an empty frame to " + path);
  // The Color layout r + 256 g + 65536 b is, byte by byte, R G B and a free byte: the alpha.
  std::vector<std::uint32_t> rgba(frame.Pixels().begin(), frame.Pixels().end());
  const std::uint32_t outside = region ? 0u : kOpaque;
  for (std::uint32_t& pixel : rgba) pixel = (pixel & 0x00FFFFFFu) | outside;
  if (region) {
    const PixelRect bounds = frame.Bounds();
    for (const PixelRect& rect : region->rects) {
      const PixelRect inside = rect.Intersect(bounds);
      for (int y = inside.top; y < inside.bottom; ++y) {
        for (int x = inside.left; x < inside.right; ++x) {
          rgba[static_cast<std::size_t>(y) * frame.Width() + x] |= kOpaque;
        }
      }
    }
  }
  if (!stbi_write_png(path.c_str(), frame.Width(), frame.Height(), 4, rgba.data(),
                      frame.Width() * 4)) {
    throw std::runtime_error("cannot write " + path);
  }
}

}  // namespace frost
