#pragma once
#include <cstdint>

namespace frost {

// A colour as the card stores it: r + 256 g + 65536 b, so a colour read back with Point equals
// the colour written.
struct Color {
  std::uint32_t value = 0;

  constexpr int Red() const { return static_cast<int>(value & 0xFF); }
  constexpr int Green() const { return static_cast<int>((value >> 8) & 0xFF); }
  constexpr int Blue() const { return static_cast<int>((value >> 16) & 0xFF); }
  friend constexpr bool operator==(Color, Color) = default;
};

// Components above 255 count as 255 and below 0 as 0.
constexpr Color RGB(int r, int g, int b) {
  auto clamp = [](int c) { return static_cast<std::uint32_t>(c < 0 ? 0 : (c > 255 ? 255 : c)); };
  return Color{clamp(r) + 256u * clamp(g) + 65536u * clamp(b)};
}

// The 16 classic console colours (0 black ... 12 light red ... 15 white).
Color QBColor(int index);

}  // namespace frost
