#pragma once
// Internal to the rasteriser: the span fills every primitive ends in, and the pen geometry the
// primitives share.
#include <algorithm>
#include <cstdint>

#include "toolkit/raster.h"

namespace frost::raster {

// The part of `clip` that lies on the bitmap.
inline PixelRect DrawableArea(const Bitmap& target, const PixelRect& clip) {
  return clip.Intersect(target.Bounds());
}

inline bool WithinLimits(PixelPoint p) {
  return p.x >= -kRasterCoordinateLimit && p.x <= kRasterCoordinateLimit &&
         p.y >= -kRasterCoordinateLimit && p.y <= kRasterCoordinateLimit;
}
inline bool WithinLimits(const PixelRect& r) {
  return WithinLimits(PixelPoint{r.left, r.top}) && WithinLimits(PixelPoint{r.right, r.bottom});
}

// floor and ceil for values well within int range; the library calls cost more than a whole
// row of a stroke on CPUs without SSE4.1's rounding instruction.
inline int FloorToInt(double v) {
  const int i = static_cast<int>(v);
  return v < i ? i - 1 : i;
}
inline int CeilToInt(double v) {
  const int i = static_cast<int>(v);
  return v > i ? i + 1 : i;
}

// Pixels left..right-1 of row y, clipped; `area` is already within the bitmap.
inline void FillSpan(Bitmap& target, const PixelRect& area, int y, int left, int right, Color c) {
  if (y < area.top || y >= area.bottom)
    return;
  left = std::max(left, area.left);
  right = std::min(right, area.right);
  if (left < right)
    std::fill(target.Row(y) + left, target.Row(y) + right, c.value);
}

inline void FillRect(Bitmap& target, const PixelRect& area, const PixelRect& rect, Color c) {
  const PixelRect r = rect.Intersect(area);
  if (r.Empty())
    return;
  if (r.Width() == 1) {  // a box's side: one store per row
    std::uint32_t* p = target.Row(r.top) + r.left;
    for (int y = r.top; y < r.bottom; ++y, p += target.Width()) *p = c.value;
    return;
  }
  for (int y = r.top; y < r.bottom; ++y) {
    std::fill(target.Row(y) + r.left, target.Row(y) + r.right, c.value);
  }
}

// A pen of width w covers offsets lo..hi around the pixel it is centred on; an even width puts
// its extra row above and its extra column to the left, as GDI does.
struct PenExtent {
  int lo;
  int hi;
};
inline PenExtent ExtentOf(int width) {
  width = std::max(width, 1);
  return {-(width / 2), (width - 1) / 2};
}

}  // namespace frost::raster
