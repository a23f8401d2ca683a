#pragma once
#include <string_view>

#include "toolkit/bitmap.h"
#include "toolkit/text.h"

namespace frost {

// How long the mouse must rest on a control before its tooltip appears.
inline constexpr double kToolTipDelaySeconds = 0.6;

// Draws a tooltip box (light yellow, black border, black 8 pt text) just below the mouse,
// kept inside the frame.
void DrawToolTip(Bitmap& frame, TextEngine& engine, std::string_view text, PixelPoint mouse);

}  // namespace frost
