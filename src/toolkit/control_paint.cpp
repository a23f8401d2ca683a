#include "toolkit/control_paint.h"

#include <algorithm>

#include "toolkit/raster.h"

namespace frost {

void FillRect(Bitmap& frame, const PixelRect& clip, const PixelRect& rect, Color color) {
  const PixelRect area = rect.Intersect(clip).Intersect(frame.Bounds());
  if (area.Empty())
    return;
  for (int y = area.top; y < area.bottom; ++y) {
    std::uint32_t* row = frame.Row(y);
    std::fill(row + area.left, row + area.right, color.value);
  }
}

void FrameRect(Bitmap& frame, const PixelRect& clip, const PixelRect& rect, Color color) {
  if (rect.Empty())
    return;
  RasterBox(frame, clip.Intersect(frame.Bounds()), {rect.left, rect.top},
            {rect.right - 1, rect.bottom - 1}, Pen{color, 1});
}

void DrawText(Bitmap& frame, const PixelRect& clip, PixelPoint at, TextEngine& engine,
              const FontSpec& font, std::string_view text, Color color) {
  if (text.empty())
    return;
  RasterMask(frame, clip.Intersect(frame.Bounds()), at, engine.Render(font, text), color);
}

}  // namespace frost
