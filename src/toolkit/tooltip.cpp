#include "toolkit/tooltip.h"

#include <algorithm>

#include "toolkit/control_paint.h"

namespace frost {
namespace {

const FontSpec kToolTipFont{"Arial", 8};
constexpr Color kToolTipBack = RGB(255, 255, 225);
constexpr Color kToolTipInk = RGB(0, 0, 0);
constexpr int kPaddingX = 3;
constexpr int kPaddingY = 1;
// The tip sits below the arrow cursor's tail, as the system's tooltips do.
constexpr int kBelowCursor = 20;

}  // namespace

void DrawToolTip(Bitmap& frame, TextEngine& engine, std::string_view text, PixelPoint mouse) {
  const TextExtent extent = engine.Measure(kToolTipFont, text);
  const int width = extent.width + 2 * (kPaddingX + 1);
  const int height = extent.height + 2 * (kPaddingY + 1);
  int left = std::min(mouse.x, frame.Width() - width);
  int top = mouse.y + kBelowCursor;
  if (top + height > frame.Height())
    top = mouse.y - height - 2;
  left = std::max(left, 0);
  top = std::max(top, 0);
  const PixelRect box{left, top, left + width, top + height};
  const PixelRect all = frame.Bounds();
  FillRect(frame, all, box, kToolTipBack);
  FrameRect(frame, all, box, kToolTipInk);
  DrawText(frame, box, {left + 1 + kPaddingX, top + 1 + kPaddingY}, engine, kToolTipFont, text,
           kToolTipInk);
}

}  // namespace frost
