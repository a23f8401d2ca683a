#pragma once
#include <memory>

#include "toolkit/text.h"

namespace frost {

// Text through GDI, as Windows itself draws it: fonts made with CreateFontW from the card's
// faces, sizes and italics, measured with GetTextExtentPoint32W, and drawn in white on black
// into a DIB section whose brightness is the coverage the toolkit blends over its surface.
// Grey-scale antialiasing: one coverage value a pixel. The line height is the font's
// (tmHeight). Fonts are made once and kept.
class GdiTextEngine : public TextEngine {
 public:
  // Font sizes in points become points * pixelsPerInch / 72 pixels (96 at 15 twips per pixel).
  explicit GdiTextEngine(double pixelsPerInch = 96);
  ~GdiTextEngine() override;
  GdiTextEngine(const GdiTextEngine&) = delete;
  GdiTextEngine& operator=(const GdiTextEngine&) = delete;

  TextExtent Measure(const FontSpec& font, std::string_view text) override;
  CoverageMask Render(const FontSpec& font, std::string_view text) override;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace frost
