#include "toolkit/bitmap.h"

#include <algorithm>

namespace frost {

Bitmap::Bitmap(int width, int height, Color fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill.value) {}

void Bitmap::Fill(Color c) {
  std::fill(pixels_.begin(), pixels_.end(), c.value);
}

void Bitmap::Resize(int width, int height, Color fill) {
  Bitmap resized(width, height, fill);
  const int keptWidth = std::min(width_, resized.width_);
  const int keptHeight = std::min(height_, resized.height_);
  for (int y = 0; y < keptHeight; ++y) {
    std::copy_n(Row(y), keptWidth, resized.Row(y));
  }
  *this = std::move(resized);
}

void CopyRect(const Bitmap& from, const PixelRect& rect, Bitmap& to) {
  const PixelRect area = rect.Intersect(from.Bounds()).Intersect(to.Bounds());
  if (area.Empty())
    return;
  for (int y = area.top; y < area.bottom; ++y) {
    std::copy_n(from.Row(y) + area.left, area.Width(), to.Row(y) + area.left);
  }
}

}  // namespace frost
