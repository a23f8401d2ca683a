#pragma once
#include <memory>

#include "toolkit/text.h"

namespace frost {

// Text through FreeType, with faces found by fontconfig: "Arial" and "Times New Roman" resolve
// to their metric-compatible Liberation faces. A name fontconfig cannot find falls back to its
// default face, with one warning line on stderr per name. Faces are opened once and kept.
// Metrics follow GDI's: the line height is the font's Windows ascent plus descent, glyph
// advances are whole pixels, and there is no kerning. Bytes that are not UTF-8 are taken as
// Latin-1, the card's own single-byte greeting text.
class FreeTypeTextEngine : public TextEngine {
 public:
  // Font sizes in points become points * pixelsPerInch / 72 pixels (96 at 15 twips per pixel).
  explicit FreeTypeTextEngine(double pixelsPerInch = 96);
  ~FreeTypeTextEngine() override;
  FreeTypeTextEngine(const FreeTypeTextEngine&) = delete;
  FreeTypeTextEngine& operator=(const FreeTypeTextEngine&) = delete;

  TextExtent Measure(const FontSpec& font, std::string_view text) override;
  CoverageMask Render(const FontSpec& font, std::string_view text) override;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace frost
