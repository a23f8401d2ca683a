#include "personalise/greeting_area.h"

#include <algorithm>

namespace frost {

std::array<std::string, greeting_area::kFieldCount> DefaultGreetingLines() {
  return {"", "", "Season's Greetings", "Merry Christmas", "Happy New Year", "Love Peace Joy",
          "", ""};
}

std::vector<std::uint8_t> MakeGreetingArea(
    const std::array<std::string, greeting_area::kFieldCount>& lines) {
  std::vector<std::uint8_t> area(greeting_area::kSize, 0);
  area[0] = greeting_area::kMarker;
  for (int k = 0; k < greeting_area::kFieldCount; ++k) {
    const std::string& line = lines[k];
    const auto length = std::min<std::size_t>(line.size(), greeting_area::kFieldSize);
    std::copy_n(line.begin(), length, area.begin() + 1 + k * greeting_area::kFieldSize);
  }
  return area;
}

}  // namespace frost
