// Text measured and rendered by the FreeType engine, and how fonts resolve.
#include "platform/freetype/freetype_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace frost {
namespace {

FontSpec Font(std::string name, double size, bool italic = false, bool bold = false) {
  return FontSpec{std::move(name), size, italic, bold};
}

// Columns and rows of the mask that hold any ink.
struct Ink {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // right, bottom included
};
Ink InkOf(const CoverageMask& mask) {
  Ink ink;
  for (int y = 0; y < mask.height; ++y) {
    for (int x = 0; x < mask.width; ++x) {
      if (mask.coverage[static_cast<std::size_t>(y) * mask.width + x] == 0)
        continue;
      ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

class TextEngineTest : public ::testing::Test {
 protected:
  FreeTypeTextEngine engine{96};
};

TEST_F(TextEngineTest, WidthGrowsWithTextLengthAndFontSize) {
  const FontSpec arial = Font("Arial", 12);
  EXPECT_GT(engine.Measure(arial, "Merry Christmas").width, engine.Measure(arial, "Merry").width);
  EXPECT_EQ(engine.Measure(arial, "").width, 0);
  const TextExtent small = engine.Measure(Font("Arial", 10), "Born to you this day");
  const TextExtent large = engine.Measure(Font("Arial", 20), "Born to you this day");
  EXPECT_NEAR(static_cast<double>(large.width) / small.width, 2.0, 0.2);
  EXPECT_NEAR(static_cast<double>(large.height) / small.height, 2.0, 0.2);
}

TEST_F(TextEngineTest, SizeInPointsBecomesPixelsAtTheEnginesPixelsPerInch) {
  // 16.8 points at 96 pixels per inch is a 22.4-pixel em; the line is a little taller.
  const TextExtent extent = engine.Measure(Font("Arial", 16.8), "Frostmail");
  EXPECT_GE(extent.height, 23);
  EXPECT_LE(extent.height, 28);
  FreeTypeTextEngine larger(120);
  const TextExtent scaled = larger.Measure(Font("Arial", 16.8), "Frostmail");
  EXPECT_NEAR(static_cast<double>(scaled.width) / extent.width, 1.25, 0.1);
}

TEST_F(TextEngineTest, RenderedInkLiesInTheMeasuredBox) {
  for (const FontSpec& font : {Font("Arial", 16.8), Font("Times New Roman", 15, true)}) {
    const std::string text = "Peace on earth, goodwill";
    const TextExtent extent = engine.Measure(font, text);
    const CoverageMask mask = engine.Render(font, text);
    ASSERT_EQ(mask.coverage.size(), static_cast<std::size_t>(mask.width) * mask.height);
    EXPECT_EQ(mask.height, extent.height);
    EXPECT_GE(mask.width, extent.width);
    EXPECT_LE(mask.width, extent.width + 4);  // an italic overhang at most
    const Ink ink = InkOf(mask);
    EXPECT_LE(ink.left, 2);
    EXPECT_GE(ink.right, extent.width - 4);
    EXPECT_GT(ink.bottom - ink.top, extent.height / 2);
  }
}

TEST_F(TextEngineTest, CardFontsResolveToTheirMetricCompatibleFacesWithoutWarning) {
  ::testing::internal::CaptureStderr();
  const std::string text = "Glory to God in the highest";
  EXPECT_EQ(engine.Measure(Font("Arial", 16.8, true), text),
            engine.Measure(Font("Liberation Sans", 16.8, true), text));
  EXPECT_EQ(engine.Measure(Font("Times New Roman", 15, true), text),
            engine.Measure(Font("Liberation Serif", 15, true), text));
  EXPECT_NE(engine.Measure(Font("Arial", 15), text),
            engine.Measure(Font("Times New Roman", 15), text));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST_F(TextEngineTest, StylesChangeTheGlyphs) {
  const std::string text = "Hello World";
  EXPECT_NE(engine.Render(Font("Arial", 14), text).coverage,
            engine.Render(Font("Arial", 14, true), text).coverage);
  EXPECT_GT(engine.Measure(Font("Arial", 14, false, true), text).width,
            engine.Measure(Font("Arial", 14), text).width);
}

TEST_F(TextEngineTest, MissingFontFallsBackWithOneWarningPerName) {
  ::testing::internal::CaptureStderr();
  const TextExtent first = engine.Measure(Font("No Such Face Anywhere", 12), "Noel");
  engine.Render(Font("No Such Face Anywhere", 12, true), "Noel");
  engine.Measure(Font("no such face anywhere", 20), "Noel");
  const std::string warnings = ::testing::internal::GetCapturedStderr();
  EXPECT_GT(first.width, 0);
  EXPECT_GT(first.height, 0);
  EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 1) << warnings;
  EXPECT_NE(warnings.find("No Such Face Anywhere"), std::string::npos) << warnings;
}

TEST_F(TextEngineTest, Utf8AndSingleByteLatin1GiveTheSameLetters) {
  const FontSpec font = Font("Arial", 14);
  EXPECT_EQ(engine.Render(font, "No\xC3\xABl").coverage, engine.Render(font, "No\xEBl").coverage);
  EXPECT_GT(engine.Measure(font, "No\xC3\xABl").width, engine.Measure(font, "Nol").width);
}

TEST_F(TextEngineTest, AbsurdSizesAreClampedNotFatal) {
  EXPECT_GT(engine.Measure(Font("Arial", 0), "x").height, 0);
  EXPECT_GT(engine.Measure(Font("Arial", -5), "x").height, 0);
  EXPECT_GT(engine.Measure(Font("Arial", 1e9), "x").height, 0);
}

}  // namespace
}  // namespace frost
