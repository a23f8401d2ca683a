#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
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
inline constexpr int kTailSize = kAreaEnd - 1;                                 // 181 bytes
inline constexpr std::uint8_t kMarker = '~';
}  // namespace greeting_area

using GreetingLines = std::array<std::string, greeting_area::kFieldCount>;

// The lines the card is delivered with (fields 3 to 6 filled, the others empty).
GreetingLines DefaultGreetingLines();

// The 502 bytes of an area holding `lines` (single-byte text, at most 40 bytes each).
std::vector<std::uint8_t> MakeGreetingArea(const GreetingLines& lines);

// Where the reader takes its bytes from: a file of `length` bytes and the byte at a 0-based
// offset of it (nothing when that read fails).
struct GreetingByteSource {
  std::int64_t length = 0;
  std::function<std::optional<std::uint8_t>(std::int64_t offset)> byteAt;
};

// The stored lines, single-byte text up to each field's first NUL, in field order from line 1.
// The marker is looked for at its place first; only a file without "~" there is searched from
// its end backwards, as the card always did, and then fewer than eight fields may follow the
// "~" found. Empty when there is no marker. Reads nothing but the file's last 502 bytes; a
// failed read ends its line.
std::vector<std::string> ReadGreetingArea(const GreetingByteSource& source);

// Writes the marker and the eight fields of `lines` (each cut to 40 bytes) over the last 502
// bytes of `file`, leaving the tail as it is. False, with nothing written, when `file` is
// shorter than the area.
bool WriteGreetingArea(std::span<std::uint8_t> file, const GreetingLines& lines);

}  // namespace frost
