#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The card's compiled-in assets: pictures, icons, the hand cursor and the tune. On
// Windows the same assets also go into the .rc file under the same types and ids.
namespace frost::resources {

struct Resource {
  std::string_view type;  // "CUSTOM", "PICTURE", "CURSOR", "ICON"
  std::string_view name;  // the control or role it belongs to: "PictureSanta", "Tune", ...
  int id;                 // unique within its type; the tune is "CUSTOM" 101
  std::span<const std::uint8_t> bytes;
};

std::span<const Resource> All();
std::optional<std::span<const std::uint8_t>> Find(std::string_view type, int id);
std::optional<std::span<const std::uint8_t>> FindByName(std::string_view name);

// Pixel of the 32 x 32 hand cursor ("HandCursor") that points: the tip of the finger.
struct CursorHotSpot {
  int x, y;
};
CursorHotSpot HandCursorHotSpot();

}  // namespace frost::resources
