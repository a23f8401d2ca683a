#include "frame_composer.h"

#include <algorithm>

namespace frost::frostcard {

FrameComposer::FrameComposer(int windowWidth, int windowHeight, Rgb outside)
    : width_((std::max(windowWidth, 2) + 1) / 2 * 2),
      height_((std::max(windowHeight, 2) + 1) / 2 * 2),
      outside_(outside.r | outside.g << 8 | outside.b << 16),
      pixels_(static_cast<std::size_t>(width_) * height_) {}

const std::vector<std::uint32_t>& FrameComposer::Compose(const Bitmap& frame,
                                                         const std::optional<Region>& region) {
  std::fill(pixels_.begin(), pixels_.end(), outside_);
  if (!region) {
    CopyRect(frame, frame.Bounds());
  } else {
    for (const PixelRect& rect : region->rects) CopyRect(frame, rect);
  }
  return pixels_;
}

void FrameComposer::CopyRect(const Bitmap& frame, const PixelRect& rect) {
  const PixelRect inside = rect.Intersect(frame.Bounds()).Intersect({0, 0, width_, height_});
  if (inside.Empty())
    return;
  for (int y = inside.top; y < inside.bottom; ++y) {
    const std::uint32_t* from = frame.Row(y) + inside.left;
    std::copy(from, from + inside.Width(),
              pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_ + inside.left);
  }
}

}  // namespace frost::frostcard
