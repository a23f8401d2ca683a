#pragma once
// Internal to the rasteriser: the span fills every primitive ends in, and the pen geometry the
// primitives share.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

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

// `count` pixels from `at`, four to a store: at -O2 the compiler leaves a plain fill loop
// scalar, and spans are where every primitive spends its time.
inline void FillPixels(std::uint32_t* at, std::ptrdiff_t count, std::uint32_t value) {
  using Quad = std::uint32_t __attribute__((vector_size(16)));
  const Quad quad = {value, value, value, value};
  for (; count >= 4; count -= 4, at += 4) std::memcpy(at, &quad, sizeof quad);
  for (; count > 0; --count) *at++ = value;
}

// Pixels left..right-1 of row y, clipped; `area` is already within the bitmap.
inline void FillSpan(Bitmap& target, const PixelRect& area, int y, int left, int right, Color c) {
  if (y < area.top || y >= area.bottom)
    return;
  left = std::max(left, area.left);
  right = std::min(right, area.right);
  if (left < right)
    FillPixels(target.Row(y) + left, right - left, c.value);
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
  for (int y = r.top; y < r.bottom; ++y) FillPixels(target.Row(y) + r.left, r.Width(), c.value);
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
