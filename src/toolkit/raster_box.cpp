// Box outlines ("Line ... B"): four bands of the pen's width and, for wide pens, the round
// joins at the corners.
#include <algorithm>

#include "toolkit/raster_span.h"

namespace frost {

void RasterBox(Bitmap& target, const PixelRect& clip, PixelPoint a, PixelPoint b, const Pen& pen) {
  const PixelRect area = raster::DrawableArea(target, clip);
  if (area.Empty() || !raster::WithinLimits(a) || !raster::WithinLimits(b))
    return;
  const int left = std::min(a.x, b.x), right = std::max(a.x, b.x);
  const int top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
  const auto [lo, hi] = raster::ExtentOf(pen.width);
  const Color c = pen.color;
  raster::FillRect(target, area, {left, top + lo, right + 1, top + hi + 1}, c);
  raster::FillRect(target, area, {left, bottom + lo, right + 1, bottom + hi + 1}, c);
  raster::FillRect(target, area, {left + lo, top, left + hi + 1, bottom + 1}, c);
  raster::FillRect(target, area, {right + lo, top, right + hi + 1, bottom + 1}, c);
  if (pen.width > 1) {
    // Wide pens join their strokes with round joins, so a corner is the pen's own dot.
    for (PixelPoint corner : {PixelPoint{left, top}, PixelPoint{right, top},
                              PixelPoint{left, bottom}, PixelPoint{right, bottom}}) {
      RasterDot(target, area, corner, pen);
    }
  }
}

}  // namespace frost
