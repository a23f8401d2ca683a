#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace frost {

// The greeting data area at the very end of the card's program file: a "~" marker 502 bytes
// before the end, eight 40-byte NUL-padded line fields, then a 181-byte tail that is never
// read or written. Stored cards depend on this layout byte for byte.
namespace greeting_area {
inline constexpr int kMarkerOffset = 501;
inline constexpr int kFieldSize = 40;
inline constexpr int kFieldCount = 8;
inline constexpr int kAreaEnd = kMarkerOffset - kFieldSize * kFieldCount + 1;  // 182
inline constexpr int kSize = kMarkerOffset + 1;                                // 502 bytes
inline constexpr std::uint8_t kMarker = '~';
}  // namespace greeting_area

// The lines the card is delivered with (fields 3 to 6 filled, the others empty).
std::array<std::string, greeting_area::kFieldCount> DefaultGreetingLines();

// The 502 bytes of an area holding `lines` (single-byte text, at most 40 bytes each).
std::vector<std::uint8_t> MakeGreetingArea(
    const std::array<std::string, greeting_area::kFieldCount>& lines);

}  // namespace frost
