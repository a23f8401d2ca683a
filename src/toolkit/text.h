#pragma once
#include <string>
#include <string_view>

#include "toolkit/raster.h"

namespace frost {

struct FontSpec {
  std::string name = "Arial";
  double size = 8.25;  // points
  bool italic = false;
  bool bold = false;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct TextExtent {
  int width = 0;   // pixels
  int height = 0;  // pixels: the font's line height
  friend bool operator==(const TextExtent&, const TextExtent&) = default;
};

// Text rasterisation supplied by the backend (FreeType + fontconfig on Linux, GDI on Windows).
// Text is UTF-8. Sizes are computed for the screen's pixels per inch given at construction.
// Measuring and rendering use the same engine, so an auto-sized label fits what Print draws.
class TextEngine {
 public:
  virtual ~TextEngine() = default;
  virtual TextExtent Measure(const FontSpec& font, std::string_view text) = 0;
  // The text's coverage, its top-left corner being the text's top-left (the current point).
  virtual CoverageMask Render(const FontSpec& font, std::string_view text) = 0;
};

}  // namespace frost
