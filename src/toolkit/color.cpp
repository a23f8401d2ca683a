#include "toolkit/color.h"

#include <array>

#include "toolkit/errors.h"

namespace frost {

Color QBColor(int index) {
  // The console palette: dark colours, light grey, dark grey, then the bright ones.
  static constexpr std::array<Color, 16> kPalette = {
      RGB(0, 0, 0),       RGB(0, 0, 128),   RGB(0, 128, 0),   RGB(0, 128, 128),
      RGB(128, 0, 0),     RGB(128, 0, 128), RGB(128, 128, 0), RGB(192, 192, 192),
      RGB(128, 128, 128), RGB(0, 0, 255),   RGB(0, 255, 0),   RGB(0, 255, 255),
      RGB(255, 0, 0),     RGB(255, 0, 255), RGB(255, 255, 0), RGB(255, 255, 255)};
  if (index < 0 || index >= static_cast<int>(kPalette.size())) {
    throw RuntimeError(error::kInvalidCall, "Invalid procedure call or argument");
  }
  return kPalette[static_cast<std::size_t>(index)];
}

}  // namespace frost
