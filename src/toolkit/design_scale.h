#pragma once
#include "toolkit/numeric.h"

namespace frost {

// The card was laid out on a screen of 15 twips per pixel; every length and font size it uses is
// scaled from there so that the card keeps its size in pixels on any screen.
inline constexpr double kDesignTwipsPerPixel = 15;

// The card's sx or sy: the screen's twips per pixel over the design value.
inline double DesignScale(double twipsPerPixel) {
  return twipsPerPixel / kDesignTwipsPerPixel;
}

// A font size designed at 15 twips per pixel, for this screen, whole points as the card rounds
// it (from the horizontal factor).
inline double ScaledFontSize(double size, double twipsPerPixelX) {
  return Int(size / (kDesignTwipsPerPixel / twipsPerPixelX));
}

}  // namespace frost
