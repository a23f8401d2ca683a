#include "personalise/greeting_area.h"

#include <algorithm>

namespace frost {
namespace {

using namespace greeting_area;

std::optional<std::int64_t> FindMarker(const GreetingByteSource& source) {
  const std::int64_t atItsPlace = source.length - kSize;
  if (atItsPlace >= 0 && source.byteAt(atItsPlace) == kMarker)
    return atItsPlace;
  // Cards whose marker is elsewhere were read by the "~" nearest the end; they still are.
  for (std::int64_t offset = source.length - 1; offset >= std::max<std::int64_t>(atItsPlace, 0);
       --offset) {
    if (source.byteAt(offset) == kMarker)
      return offset;
  }
  return std::nullopt;
}

std::string ReadField(const GreetingByteSource& source, std::int64_t start) {
  std::string line;
  for (int i = 0; i < kFieldSize; ++i) {
    const std::optional<std::uint8_t> byte = source.byteAt(start + i);
    if (!byte || *byte == 0)
      break;
    line += static_cast<char>(*byte);
  }
  return line;
}

}  // namespace

GreetingLines DefaultGreetingLines() {
  return {"", "", "Season's Greetings", "Merry Christmas", "Happy New Year", "Love Peace Joy",
          "", ""};
}

std::vector<std::uint8_t> MakeGreetingArea(const GreetingLines& lines) {
  std::vector<std::uint8_t> area(kSize, 0);
  WriteGreetingArea(area, lines);
  return area;
}

std::vector<std::string> ReadGreetingArea(const GreetingByteSource& source) {
  std::vector<std::string> lines;
  const std::optional<std::int64_t> marker = FindMarker(source);
  if (!marker)
    return lines;
  // A field is read while it starts at least 182 bytes before the end, so never in the tail.
  for (std::int64_t start = *marker + 1; start <= source.length - kAreaEnd - 1;
       start += kFieldSize) {
    lines.push_back(ReadField(source, start));
  }
  return lines;
}

bool WriteGreetingArea(std::span<std::uint8_t> file, const GreetingLines& lines) {
  if (file.size() < static_cast<std::size_t>(kSize))
    return false;
  const auto area = file.last(kSize);
  area[0] = kMarker;
  for (int k = 0; k < kFieldCount; ++k) {
    const auto field = area.subspan(1 + k * kFieldSize, kFieldSize);
    std::ranges::fill(field, 0);
    const auto length = std::min<std::size_t>(lines[k].size(), kFieldSize);
    std::copy_n(lines[k].begin(), length, field.begin());
  }
  return true;
}

}  // namespace frost
