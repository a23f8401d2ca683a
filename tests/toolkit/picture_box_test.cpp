// The drawing surface as the painters use it: twips, the current point, the stroke settings and
// the kept bitmap against the screen.
#include "toolkit/picture_box.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "pixel_rows.h"
#include "platform/headless/headless_backend.h"
#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/form.h"
#include "toolkit/random.h"

namespace frost {
namespace {

using testing::CountPixels;
using ::testing::ElementsAre;
using testing::Rows;

constexpr Color kBack = RGB(108, 79, 19);
constexpr Color kInk = RGB(255, 200, 60);
constexpr double kTpp = 15;  // twips per pixel
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Picture1 on a shown window, 40 x 30 pixels, back colour as on the card.
class PictureBoxTest : public ::testing::Test {
 protected:
  PictureBoxTest() {
    app.SetPacing(0);
    form.Move(0, 0, 60 * kTpp, 40 * kTpp);
    form.SetVisible(true);
    pic.Move(0, 0, 40 * kTpp, 30 * kTpp);
    pic.SetBackColor(kBack);
  }

  // Twips of a pixel position.
  static double T(double pixels) { return pixels * kTpp; }

  // Rows of the top-left corner of a bitmap, `width` x `height`.
  static std::vector<std::string> Corner(const Bitmap& bitmap, int width, int height) {
    Bitmap corner(width, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) corner.Set(x, y, bitmap.At(x, y));
    }
    return Rows(corner, kBack);
  }

  HeadlessBackend backend{kTpp};
  Random random{1};
  Application app{backend, random};
  Form form{app, "Form1"};
  PictureBox pic{form, &form, "Picture1"};
};

void ExpectOverflow(auto&& call) {
  try {
    call();
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), error::kOverflow);
  }
}

// --- geometry ---------------------------------------------------------------------------------

TEST_F(PictureBoxTest, CardSurfaceIsSizedInWholePixels) {
  pic.Move(0, 0, 7750, 9120);
  EXPECT_EQ(pic.Image().Width(), 517);
  EXPECT_EQ(pic.Image().Height(), 608);
  EXPECT_DOUBLE_EQ(pic.ScaleWidth(), 517 * kTpp);
  pic.SetScaleMode(ScaleMode::Pixels);
  EXPECT_DOUBLE_EQ(pic.ScaleWidth(), 517);
  EXPECT_DOUBLE_EQ(pic.ScaleHeight(), 608);
}

TEST_F(PictureBoxTest, ResizingKeepsTheContentAndFillsNewPixelsWithTheBackColour) {
  pic.SetAutoRedraw(true);
  pic.PSet(T(5), T(6), kInk);
  pic.SetWidth(T(50));
  EXPECT_EQ(pic.Image().Width(), 50);
  EXPECT_EQ(pic.Image().At(5, 6), kInk);
  EXPECT_EQ(pic.Image().At(45, 6), kBack);
  pic.SetHeight(-100);
  EXPECT_TRUE(pic.Image().Empty());
  pic.Line(0, 0, T(10), T(10), kInk);  // nothing to draw on, nothing fails
  pic.Print("Noel");
}

TEST_F(PictureBoxTest, TwipPositionsMapToTheNearestPixel) {
  pic.SetAutoRedraw(true);
  pic.PSet(22, 7, kInk);  // 1.47, 0.47 pixels
  pic.PSet(23, 8, kInk);  // 1.53, 0.53 pixels
  EXPECT_THAT(Corner(pic.Image(), 3, 2), ElementsAre("010", "001"));
}

TEST_F(PictureBoxTest, PixelScaleModeTakesPixels) {
  pic.SetAutoRedraw(true);
  pic.SetScaleMode(ScaleMode::Pixels);
  pic.Line(0, 1, 3, 1, kInk);
  EXPECT_THAT(Corner(pic.Image(), 4, 2), ElementsAre("0000", "1110"));
}

// --- lines and boxes --------------------------------------------------------------------------

TEST_F(PictureBoxTest, LineLeavesOutItsEndPixelAndMovesTheCurrentPoint) {
  pic.SetAutoRedraw(true);
  pic.Line(0, 0, T(4), 0, kInk);
  EXPECT_THAT(Corner(pic.Image(), 8, 1), ElementsAre("11110000"));
  EXPECT_EQ(pic.CurrentX, T(4));
  EXPECT_EQ(pic.CurrentY, 0);
}

TEST_F(PictureBoxTest, LineToContinuesFromTheCurrentPoint) {
  pic.SetAutoRedraw(true);
  pic.Line(0, T(1), T(3), T(1), kInk);
  pic.LineTo(T(3), T(4), kInk);
  pic.LineTo(T(6), T(4), kInk);
  EXPECT_THAT(Corner(pic.Image(), 7, 5),
              ElementsAre("0000000", "1111000", "0001000", "0001000", "0001110"));
  EXPECT_EQ(pic.CurrentX, T(6));
  EXPECT_EQ(pic.CurrentY, T(4));
}

TEST_F(PictureBoxTest, DrawWidthThreeLineIsThreePixelsThick) {
  pic.SetAutoRedraw(true);
  pic.DrawWidth = 3;
  pic.Line(T(2), T(2), T(6), T(2), kInk);
  EXPECT_THAT(Corner(pic.Image(), 9, 5),
              ElementsAre("000000000", "001111100", "011111110", "001111100", "000000000"));
}

TEST_F(PictureBoxTest, DrawWidthZeroDrawsAsOne) {
  pic.SetAutoRedraw(true);
  pic.DrawWidth = 0;
  pic.Line(T(1), T(1), T(20), T(13), kInk);
  const Bitmap zero = pic.Image();
  pic.Cls();
  pic.DrawWidth = 1;
  pic.Line(T(1), T(1), T(20), T(13), kInk);
  EXPECT_EQ(pic.Image(), zero);
  EXPECT_GT(CountPixels(zero, kInk), 0);
}

TEST_F(PictureBoxTest, BoxIsAnOutlineWithAnUntouchedInside) {
  pic.SetAutoRedraw(true);
  pic.FillStyle = FillStyle::Solid;  // boxes are never filled
  pic.Box(T(5), T(4), T(1), T(1), kInk);
  EXPECT_THAT(Corner(pic.Image(), 7, 6),
              ElementsAre("0000000", "0111110", "0100010", "0100010", "0111110", "0000000"));
  EXPECT_EQ(pic.CurrentX, T(1));
  EXPECT_EQ(pic.CurrentY, T(1));
}

// --- circles ----------------------------------------------------------------------------------

TEST_F(PictureBoxTest, CircleRadiusReachesAlongBothAxesAndTheCentreBecomesCurrent) {
  pic.SetAutoRedraw(true);
  pic.Circle(T(20), T(15), T(10), kInk);
  const Bitmap& image = pic.Image();
  EXPECT_EQ(image.At(10, 15), kInk);
  EXPECT_EQ(image.At(30, 15), kInk);
  EXPECT_EQ(image.At(20, 5), kInk);
  EXPECT_EQ(image.At(20, 25), kInk);
  EXPECT_EQ(image.At(9, 15), kBack);
  EXPECT_EQ(image.At(20, 4), kBack);
  EXPECT_EQ(image.At(20, 15), kBack);
  EXPECT_EQ(pic.CurrentX, T(20));
  EXPECT_EQ(pic.CurrentY, T(15));
}

// The extreme inked columns and rows of the image.
PixelRect InkBounds(const Bitmap& image, Color ink) {
  PixelRect r{image.Width(), image.Height(), -1, -1};
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      if (image.At(x, y) != ink)
        continue;
      r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
           std::max(r.bottom, y + 1)};
    }
  }
  return r;
}

TEST_F(PictureBoxTest, AspectTwoMakesTheRadiusVerticalAndHalvesTheWidth) {
  pic.SetAutoRedraw(true);
  pic.Circle(T(20), T(15), T(10), kInk, std::nullopt, std::nullopt, 2.0);
  EXPECT_EQ(InkBounds(pic.Image(), kInk), (PixelRect{15, 5, 26, 26}));
}

TEST_F(PictureBoxTest, AspectHalfKeepsTheRadiusHorizontalAndHalvesTheHeight) {
  pic.SetAutoRedraw(true);
  pic.Circle(T(20), T(15), T(10), kInk, std::nullopt, std::nullopt, 0.5);
  EXPECT_EQ(InkBounds(pic.Image(), kInk), (PixelRect{10, 10, 31, 21}));
}

TEST_F(PictureBoxTest, ArcFromZeroToHalfPiLiesInTheUpperRightQuadrant) {
  pic.SetAutoRedraw(true);
  pic.Circle(T(20), T(15), T(10), kInk, 0.0, std::numbers::pi / 2);
  const PixelRect ink = InkBounds(pic.Image(), kInk);
  EXPECT_EQ(ink, (PixelRect{20, 5, 31, 16}));
}

TEST_F(PictureBoxTest, SolidFillStyleFillsTheCircleWithTheFillColour) {
  pic.SetAutoRedraw(true);
  pic.FillColor = RGB(1, 2, 3);
  pic.Circle(T(10), T(10), T(5), kInk);
  EXPECT_EQ(pic.Image().At(10, 10), kBack);
  pic.FillStyle = FillStyle::Solid;
  pic.Circle(T(10), T(10), T(5), kInk);
  EXPECT_EQ(pic.Image().At(10, 10), RGB(1, 2, 3));
  EXPECT_EQ(pic.Image().At(6, 10), RGB(1, 2, 3));
  EXPECT_EQ(pic.Image().At(5, 10), kInk);
}

TEST_F(PictureBoxTest, CircleBelowHalfAPixelIsADotOfTheDrawWidth) {
  pic.SetAutoRedraw(true);
  pic.DrawWidth = 3;
  pic.Circle(T(2), T(2), 7, kInk);
  EXPECT_THAT(Corner(pic.Image(), 5, 5), ElementsAre("00000", "00100", "01110", "00100", "00000"));
}

TEST_F(PictureBoxTest, NegativeRadiusCountsByItsSize) {
  pic.SetAutoRedraw(true);
  pic.Circle(T(20), T(15), T(-6), kInk);
  const Bitmap negative = pic.Image();
  pic.Cls();
  pic.Circle(T(20), T(15), T(6), kInk);
  EXPECT_EQ(pic.Image(), negative);
}

// A ball as the tree paints one: circles one twip apart from the radius down to 1 twip.
void PaintBall(PictureBox& pic, double radius, Color colour) {
  for (double r = radius; r >= 1; r -= 1) pic.Circle(20 * kTpp, 15 * kTpp, r, colour);
}

TEST_F(PictureBoxTest, ABallOfOnePixelRingsIsSolid) {
  pic.SetAutoRedraw(true);
  PaintBall(pic, T(14), kInk);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool inDisc = std::hypot(x - 20, y - 15) <= 14.5;
      ASSERT_EQ(pic.Image().At(x, y), inDisc ? kInk : kBack) << x << "," << y;
    }
  }
}

TEST_F(PictureBoxTest, ABallRepaintedWithTwoPixelRingsKeepsNoneOfItsOldColour) {
  constexpr Color kBrighter = RGB(255, 240, 120);
  pic.SetAutoRedraw(true);
  PaintBall(pic, T(13), kInk);
  pic.DrawWidth = 2;
  PaintBall(pic, T(13), kBrighter);
  EXPECT_EQ(CountPixels(pic.Image(), kInk), 0);
  // It grew evenly on all sides (half a pixel): the ball is symmetric about its centre.
  for (int y = 1; y < 30; ++y) {
    for (int x = 1; x < 40; ++x) {
      const bool here = pic.Image().At(x, y) == kBrighter;
      ASSERT_EQ(here, pic.Image().At(40 - x, 30 - y) == kBrighter) << x << "," << y;
    }
  }
}

// --- dots -------------------------------------------------------------------------------------

TEST_F(PictureBoxTest, PSetDrawsADotOfTheDrawWidthAndMovesTheCurrentPoint) {
  pic.SetAutoRedraw(true);
  pic.PSet(T(1), T(1), kInk);
  pic.DrawWidth = 3;
  pic.PSet(T(5), T(2), kInk);
  EXPECT_THAT(Corner(pic.Image(), 8, 4),
              ElementsAre("00000000", "01000100", "00001110", "00000100"));
  EXPECT_EQ(pic.CurrentX, T(5));
  EXPECT_EQ(pic.CurrentY, T(2));
}

// --- transparent pen --------------------------------------------------------------------------

TEST_F(PictureBoxTest, TransparentDrawStyleMovesTheCurrentPointAndChangesNoPixel) {
  pic.SetAutoRedraw(true);
  const Bitmap before = pic.Image();
  pic.DrawStyle = DrawStyle::Transparent;
  pic.DrawWidth = 2;
  pic.Line(T(1), T(1), T(30), T(20), kInk);
  EXPECT_EQ(pic.CurrentX, T(30));
  EXPECT_EQ(pic.CurrentY, T(20));
  pic.LineTo(T(3), T(25), kInk);
  pic.Box(T(2), T(2), T(12), T(9), kInk);
  EXPECT_EQ(pic.CurrentX, T(12));
  pic.PSet(T(7), T(8), kInk);
  pic.Circle(T(20), T(15), T(8), kInk);
  EXPECT_EQ(pic.CurrentX, T(20));
  EXPECT_EQ(pic.CurrentY, T(15));
  EXPECT_EQ(pic.Image(), before);
}

TEST_F(PictureBoxTest, TransparentDrawStyleStillFillsASolidCircle) {
  pic.SetAutoRedraw(true);
  pic.DrawStyle = DrawStyle::Transparent;
  pic.FillStyle = FillStyle::Solid;
  pic.FillColor = RGB(9, 9, 9);
  pic.Circle(T(10), T(10), T(5), kInk);
  EXPECT_EQ(pic.Image().At(10, 10), RGB(9, 9, 9));
  EXPECT_EQ(pic.Image().At(5, 10), RGB(9, 9, 9));
  EXPECT_EQ(CountPixels(pic.Image(), kInk), 0);
}

// --- kept bitmap and screen -------------------------------------------------------------------

TEST_F(PictureBoxTest, AutoRedrawOnDrawsIntoTheKeptBitmapWhichTheScreenShows) {
  pic.SetAutoRedraw(true);
  pic.PSet(T(3), T(3), kInk);
  EXPECT_EQ(pic.Image().At(3, 3), kInk);
  EXPECT_EQ(pic.ScreenBitmap(), pic.Image());
}

TEST_F(PictureBoxTest, ClsWithAutoRedrawOffRemovesExactlyTheTransientDots) {
  pic.SetAutoRedraw(true);
  pic.Box(T(2), T(2), T(30), T(20), kInk);
  const Bitmap scene = pic.Image();
  pic.SetAutoRedraw(false);
  pic.DrawWidth = 2;
  for (int i = 0; i < 10; ++i) pic.PSet(T(4 + 3 * i), T(5 + i), RGB(255, 255, 255));
  EXPECT_EQ(CountPixels(pic.ScreenBitmap(), RGB(255, 255, 255)), 40);
  EXPECT_EQ(pic.Image(), scene);
  pic.Cls();
  EXPECT_EQ(pic.ScreenBitmap(), scene);
  EXPECT_EQ(pic.Image(), scene);
}

TEST_F(PictureBoxTest, ClsWithAutoRedrawOnFillsWithTheBackColourAndResetsTheCurrentPoint) {
  pic.SetAutoRedraw(true);
  pic.Line(T(1), T(1), T(20), T(20), kInk);
  pic.Cls();
  EXPECT_EQ(CountPixels(pic.Image(), kBack), 40 * 30);
  EXPECT_EQ(pic.CurrentX, 0);
  EXPECT_EQ(pic.CurrentY, 0);
}

TEST_F(PictureBoxTest, PointReadsTheBitmapTheCurrentModeDrawsInto) {
  pic.SetAutoRedraw(true);
  pic.PSet(T(4), T(4), RGB(300, 75, 20));
  EXPECT_EQ(pic.Point(T(4), T(4)), RGB(255, 75, 20));
  pic.SetAutoRedraw(false);
  pic.PSet(T(4), T(4), kInk);
  EXPECT_EQ(pic.Point(T(4), T(4)), kInk);
  pic.SetAutoRedraw(true);
  EXPECT_EQ(pic.Point(T(4), T(4)), RGB(255, 75, 20));
  EXPECT_EQ(pic.ScreenBitmap().At(4, 4), RGB(255, 75, 20));  // the kept picture shows again
  EXPECT_EQ(pic.Point(T(40), T(3)).value, 0xFFFFFFFFu);
  EXPECT_EQ(pic.Point(T(-1), T(3)).value, 0xFFFFFFFFu);
}

TEST_F(PictureBoxTest, RefreshPresentsTheKeptBitmapAtOnce) {
  pic.SetAutoRedraw(true);
  pic.PSet(T(1), T(1), kInk);
  pic.SetAutoRedraw(false);
  pic.PSet(T(2), T(2), RGB(1, 1, 1));
  const int presented = backend.PresentCount();
  pic.Refresh();
  EXPECT_EQ(backend.PresentCount(), presented + 1);
  EXPECT_EQ(backend.LastFrame().At(1, 1), kInk);
  EXPECT_EQ(backend.LastFrame().At(2, 2), kBack);
}

TEST_F(PictureBoxTest, WindowShowsTheScreenAtTheBoxsPlace) {
  pic.SetLeft(T(10));
  pic.SetTop(T(5));
  pic.SetAutoRedraw(false);
  pic.PSet(T(1), T(2), kInk);
  Bitmap frame;
  form.Compose(frame);
  EXPECT_EQ(frame.At(11, 7), kInk);
  EXPECT_EQ(frame.At(10, 5), kBack);
  EXPECT_EQ(frame.At(49, 34), kBack);
  EXPECT_NE(frame.At(50, 35), kBack);  // beyond the box: the form's own surface
}

// --- clipping and refused values --------------------------------------------------------------

TEST_F(PictureBoxTest, CoordinatesOutsideTheSurfaceAreClipped) {
  pic.SetAutoRedraw(true);
  pic.Line(T(-1000), T(-1000), T(1000), T(1000), kInk);
  pic.DrawWidth = 5;
  pic.PSet(T(-2), T(45), kInk);
  pic.Circle(T(20), T(15), T(500), kInk);
  for (int i = 0; i < 30; ++i) EXPECT_EQ(pic.Image().At(i, i), kInk) << i;
  EXPECT_EQ(CountPixels(pic.Image(), kInk), 30);
}

TEST_F(PictureBoxTest, NonFiniteValuesRaiseOverflowAndChangeNothing) {
  pic.SetAutoRedraw(true);
  pic.CurrentX = T(3);
  const Bitmap before = pic.Image();
  ExpectOverflow([&] { pic.Line(kNaN, 0, T(5), T(5), kInk); });
  ExpectOverflow([&] { pic.LineTo(T(5), std::numeric_limits<double>::infinity(), kInk); });
  ExpectOverflow([&] { pic.PSet(kNaN, kNaN, kInk); });
  ExpectOverflow([&] { pic.Box(0, 0, kNaN, T(5), kInk); });
  ExpectOverflow([&] { pic.Circle(T(5), T(5), kNaN, kInk); });
  ExpectOverflow([&] { pic.Circle(T(5), T(5), T(3), kInk, kNaN, 1.0); });
  ExpectOverflow([&] { pic.Circle(T(5), T(5), T(3), kInk, std::nullopt, std::nullopt, kNaN); });
  ExpectOverflow([&] { pic.Line(0, 0, 1e300, 0, kInk); });
  ExpectOverflow([&] { pic.Point(kNaN, 0); });
  ExpectOverflow([&] { pic.PaintPicture(Picture(2, 2, kInk), 0, 0, {.width = kNaN}); });
  EXPECT_EQ(pic.CurrentX, T(3));
  EXPECT_EQ(pic.Image(), before);
}

// --- pictures ---------------------------------------------------------------------------------

Picture TwoByTwo() {
  Picture picture(2, 2);
  picture.Set(0, 0, RGB(1, 0, 0));
  picture.Set(1, 0, RGB(2, 0, 0));
  picture.Set(0, 1, RGB(3, 0, 0));
  picture.Set(1, 1, RGB(4, 0, 0));
  return picture;
}

TEST_F(PictureBoxTest, PaintPictureStretchesTwoByTwoToFourByFour) {
  pic.SetAutoRedraw(true);
  const Picture picture = TwoByTwo();
  pic.PaintPicture(picture, T(1), T(1), {.width = T(4), .height = T(4)});
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(pic.Image().At(1 + x, 1 + y), picture.At(x / 2, y / 2)) << x << "," << y;
    }
  }
  EXPECT_THAT(Corner(pic.Image(), 6, 6),
              ElementsAre("000000", "011110", "011110", "011110", "011110", "000000"));
}

TEST_F(PictureBoxTest, PaintPictureWithoutSizesUsesTheNaturalSize) {
  pic.SetAutoRedraw(true);
  pic.PaintPicture(TwoByTwo(), T(2), T(1));
  EXPECT_THAT(Corner(pic.Image(), 5, 4), ElementsAre("00000", "00110", "00110", "00000"));
  EXPECT_EQ(pic.Image().At(3, 2), RGB(4, 0, 0));
}

TEST_F(PictureBoxTest, PaintPictureAndCombinesWhiteWithTheColourUnderIt) {
  pic.SetAutoRedraw(true);
  Picture drawing(3, 1, RGB(255, 255, 255));
  drawing.Set(2, 0, RGB(0, 0, 0));
  pic.PaintPicture(drawing, 0, 0, {.op = RasterOp::And});
  EXPECT_EQ(pic.Image().At(0, 0), kBack);
  EXPECT_EQ(pic.Image().At(1, 0), kBack);
  EXPECT_EQ(pic.Image().At(2, 0), RGB(0, 0, 0));
}

TEST_F(PictureBoxTest, PaintPictureSourceFromAPointOnwardCopiesAtItsOwnScale) {
  pic.SetAutoRedraw(true);
  pic.PaintPicture(TwoByTwo(), 0, 0, {.sourceX = T(1), .sourceY = T(1)});
  EXPECT_EQ(pic.Image().At(0, 0), RGB(4, 0, 0));
  EXPECT_THAT(Corner(pic.Image(), 3, 3), ElementsAre("100", "000", "000"));
}

TEST_F(PictureBoxTest, PaintPictureWithZeroOrNegativeSizesDrawsNothing) {
  pic.SetAutoRedraw(true);
  pic.PaintPicture(TwoByTwo(), T(5), T(5), {.width = 0, .height = T(4)});
  pic.PaintPicture(TwoByTwo(), T(5), T(5), {.width = T(-4), .height = T(-4)});
  pic.PaintPicture(TwoByTwo(), T(5), T(5), {.sourceWidth = T(-2)});
  pic.PaintPicture(Picture(), T(5), T(5));
  EXPECT_EQ(CountPixels(pic.Image(), kBack), 40 * 30);
}

// --- text -------------------------------------------------------------------------------------

TEST_F(PictureBoxTest, PrintWritesInsideTheMeasuredBoxAndMovesToTheNextLine) {
  pic.SetAutoRedraw(true);
  pic.Move(0, 0, T(200), T(60));
  pic.Font = FontSpec{"Arial", 12, true};
  pic.ForeColor = kInk;
  pic.CurrentX = T(10);
  pic.CurrentY = T(8);
  pic.Print("Noel");
  const TextExtent extent = backend.Text().Measure(pic.Font, "Noel");
  const PixelRect ink = InkBounds(pic.Image(), kInk);
  ASSERT_FALSE(ink.Empty());
  EXPECT_GE(ink.left, 10);
  EXPECT_GE(ink.top, 8);
  EXPECT_LE(ink.right, 10 + extent.width + 2);
  EXPECT_LE(ink.bottom, 8 + extent.height);
  EXPECT_GT(ink.Width(), extent.width / 2);
  // No background: only glyph pixels change.
  EXPECT_GT(CountPixels(pic.Image(), kBack), 200 * 60 - extent.width * extent.height);
  EXPECT_EQ(pic.CurrentX, 0);
  EXPECT_EQ(pic.CurrentY, T(8 + extent.height));
}

}  // namespace
}  // namespace frost
