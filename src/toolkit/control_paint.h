#pragma once
#include <string_view>

#include "toolkit/bitmap.h"
#include "toolkit/text.h"

namespace frost {

// Drawing helpers shared by the lightweight controls and the tooltip; all clipped to `clip`.
void FillRect(Bitmap& frame, const PixelRect& clip, const PixelRect& rect, Color color);
// A one-pixel outline just inside `rect`.
void FrameRect(Bitmap& frame, const PixelRect& clip, const PixelRect& rect, Color color);
// Text whose top-left corner is `at`, without background.
void DrawText(Bitmap& frame, const PixelRect& clip, PixelPoint at, TextEngine& engine,
              const FontSpec& font, std::string_view text, Color color);

}  // namespace frost
