// The rasteriser's pixel conventions, operation by operation.
#include "toolkit/raster.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "pixel_rows.h"

namespace frost {
namespace {

using testing::CountPixels;
using ::testing::ElementsAre;
using testing::Rows;

constexpr Color kInk = RGB(200, 150, 40);
constexpr Color kFill = RGB(10, 20, 30);

Pen Width(int width) {
  return Pen{kInk, width};
}

// --- lines ------------------------------------------------------------------------------------

TEST(RasterLine, OnePixelLineLeavesOutItsEndPixel) {
  Bitmap row(8, 1);
  RasterLine(row, row.Bounds(), {0, 0}, {4, 0}, Width(1));
  EXPECT_THAT(Rows(row), ElementsAre("11110000"));

  Bitmap back(8, 1);
  RasterLine(back, back.Bounds(), {4, 0}, {0, 0}, Width(1));
  EXPECT_THAT(Rows(back), ElementsAre("01111000"));
}

TEST(RasterLine, VerticalLineLeavesOutItsEndPixel) {
  Bitmap column(1, 5);
  RasterLine(column, column.Bounds(), {0, 4}, {0, 1}, Width(1));
  EXPECT_THAT(Rows(column), ElementsAre("0", "0", "1", "1", "1"));
}

TEST(RasterLine, DiagonalHasOnePixelPerMajorStepFromStartToBeforeEnd) {
  Bitmap bitmap(8, 5);
  RasterLine(bitmap, bitmap.Bounds(), {0, 0}, {6, 3}, Width(1));
  EXPECT_EQ(bitmap.At(0, 0), kInk);
  EXPECT_NE(bitmap.At(6, 3), kInk);
  EXPECT_EQ(CountPixels(bitmap, kInk), 6);
  for (int x = 0; x < 6; ++x) {
    int inColumn = 0;
    for (int y = 0; y < 5; ++y) inColumn += bitmap.At(x, y) == kInk;
    EXPECT_EQ(inColumn, 1) << "column " << x;
  }
}

TEST(RasterLine, ZeroLengthThinLineDrawsNothingButWideOneIsADot) {
  Bitmap bitmap(5, 5);
  RasterLine(bitmap, bitmap.Bounds(), {2, 2}, {2, 2}, Width(1));
  EXPECT_EQ(CountPixels(bitmap, kInk), 0);
  RasterLine(bitmap, bitmap.Bounds(), {2, 2}, {2, 2}, Width(3));
  EXPECT_THAT(Rows(bitmap), ElementsAre("00000", "00100", "01110", "00100", "00000"));
}

TEST(RasterLine, WidthThreeIsThreeRowsThickWithRoundCaps) {
  Bitmap bitmap(10, 5);
  RasterLine(bitmap, bitmap.Bounds(), {2, 2}, {7, 2}, Width(3));
  EXPECT_THAT(Rows(bitmap),
              ElementsAre("0000000000", "0011111100", "0111111110", "0011111100", "0000000000"));
}

TEST(RasterLine, EvenWidthPutsItsExtraRowAboveAndColumnLeft) {
  Bitmap bitmap(8, 5);
  RasterLine(bitmap, bitmap.Bounds(), {2, 2}, {5, 2}, Width(2));
  EXPECT_THAT(Rows(bitmap),
              ElementsAre("00000000", "01111100", "01111100", "00000000", "00000000"));
}

TEST(RasterLine, WideDiagonalCoversTheThinLineAndStaysWithinHalfItsWidth) {
  Bitmap thin(40, 40), wide(40, 40);
  const PixelPoint a{5, 7}, b{33, 29};
  RasterLine(thin, thin.Bounds(), a, b, Width(1));
  RasterLine(wide, wide.Bounds(), a, b, Width(5));
  const double dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      if (thin.At(x, y) == kInk) {
        EXPECT_EQ(wide.At(x, y), kInk) << x << "," << y;
      }
      if (wide.At(x, y) != kInk)
        continue;
      const double t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (length * length), 0.0, 1.0);
      EXPECT_LT(std::hypot(x - (a.x + t * dx), y - (a.y + t * dy)), 2.5) << x << "," << y;
    }
  }
}

// Where pixel p lies against the pen of `width` swept from a to b, in exact integer arithmetic:
// negative inside, 0 on the edge, positive outside. In doubled coordinates (an even pen sits half
// a pixel up and left) it compares the squared distance from the pixel's centre to the segment
// with w^2 - 1 (scaled by the squared length along the middle).
std::int64_t CapsuleSide(PixelPoint a, PixelPoint b, int width, PixelPoint p) {
  const std::int64_t e = width % 2 == 0 ? 1 : 0, limit = std::int64_t{width} * width - 1;
  const std::int64_t vx = 2 * (p.x - a.x) + e, vy = 2 * (p.y - a.y) + e;
  const std::int64_t dx = 2 * (b.x - a.x), dy = 2 * (b.y - a.y);
  const std::int64_t along = vx * dx + vy * dy, length2 = dx * dx + dy * dy;
  if (along <= 0)
    return vx * vx + vy * vy - limit;
  if (along >= length2)
    return (vx - dx) * (vx - dx) + (vy - dy) * (vy - dy) - limit;
  return (vx * vx + vy * vy) * length2 - along * along - limit * length2;
}

// Pixel centres exactly on the edge may go either way (the rasteriser works in floating point).
TEST(RasterLine, WideLinesAreThePenSweptAlongTheSegment) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(4, 35), width(2, 7);
  for (int round = 0; round < 400; ++round) {
    const PixelPoint a{coordinate(random), coordinate(random)};
    const PixelPoint b = round % 5 == 0 ? a : PixelPoint{coordinate(random), coordinate(random)};
    const int w = width(random);
    Bitmap line(40, 40);
    RasterLine(line, line.Bounds(), a, b, Width(w));
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 40; ++x) {
        const std::int64_t side = CapsuleSide(a, b, w, {x, y});
        if (side != 0) {
          ASSERT_EQ(line.At(x, y) == kInk, side < 0)
              << "width " << w << " from " << a.x << "," << a.y << " to " << b.x << "," << b.y
              << " at " << x << "," << y;
        }
      }
    }
  }
}

// A clipped line keeps exactly the pixels the unclipped line has inside the clip: the reference
// is drawn on a canvas large enough to hold the whole line, then masked.
TEST(RasterLine, ClippedLineEqualsUnclippedLineMaskedByTheClip) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-60, 92), corner(0, 32), width(1, 4);
  constexpr int kOffset = 100;
  for (int trial = 0; trial < 500; ++trial) {
    const PixelPoint a{coordinate(random), coordinate(random)};
    const PixelPoint b{coordinate(random), coordinate(random)};
    const int x0 = corner(random), x1 = corner(random), y0 = corner(random), y1 = corner(random);
    const PixelRect clip{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
    const Pen pen = Width(width(random));

    Bitmap clipped(32, 32);
    RasterLine(clipped, clip, a, b, pen);
    Bitmap whole(2 * kOffset + 32, 2 * kOffset + 32);
    RasterLine(whole, whole.Bounds(), {a.x + kOffset, a.y + kOffset},
               {b.x + kOffset, b.y + kOffset}, pen);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const Color expected = clip.Contains({x, y}) ? whole.At(x + kOffset, y + kOffset) : Color{};
        ASSERT_EQ(clipped.At(x, y), expected) << "trial " << trial << " at " << x << "," << y;
      }
    }
  }
}

TEST(RasterLine, CoordinatesFarOutsideAreClippedAndBeyondTheLimitDrawNothing) {
  Bitmap bitmap(6, 3);
  RasterLine(bitmap, bitmap.Bounds(), {-1000000, 1}, {1000000, 1}, Width(1));
  EXPECT_THAT(Rows(bitmap), ElementsAre("000000", "111111", "000000"));
  Bitmap untouched(6, 3);
  RasterLine(untouched, untouched.Bounds(), {-2000000000, 1}, {2000000000, 2}, Width(1));
  RasterLine(untouched, untouched.Bounds(), {0, 0}, {5, 2000000000}, Width(3));
  EXPECT_EQ(CountPixels(untouched, kInk), 0);
}

// --- dots -------------------------------------------------------------------------------------

TEST(RasterDot, WidthsGiveTheDigitalDiscs) {
  auto dot = [](int width) {
    Bitmap bitmap(7, 7);
    RasterDot(bitmap, bitmap.Bounds(), {3, 3}, Width(width));
    return Rows(bitmap);
  };
  EXPECT_EQ(dot(0), dot(1));
  EXPECT_THAT(dot(1), ElementsAre("0000000", "0000000", "0000000", "0001000", "0000000", "0000000",
                                  "0000000"));
  EXPECT_THAT(dot(2), ElementsAre("0000000", "0000000", "0011000", "0011000", "0000000", "0000000",
                                  "0000000"));
  EXPECT_THAT(dot(3), ElementsAre("0000000", "0000000", "0001000", "0011100", "0001000", "0000000",
                                  "0000000"));
  EXPECT_THAT(dot(5), ElementsAre("0000000", "0011100", "0111110", "0111110", "0111110", "0011100",
                                  "0000000"));
}

TEST(RasterDot, ClippedAtTheEdgeWithoutError) {
  Bitmap bitmap(3, 3);
  RasterDot(bitmap, bitmap.Bounds(), {0, 0}, Width(3));
  RasterDot(bitmap, bitmap.Bounds(), {-5, 99}, Width(1));
  EXPECT_THAT(Rows(bitmap), ElementsAre("110", "100", "000"));
}

// --- boxes ------------------------------------------------------------------------------------

TEST(RasterBox, OutlineIncludesBothCornersAndLeavesTheInsideUntouched) {
  Bitmap bitmap(7, 6);
  RasterBox(bitmap, bitmap.Bounds(), {5, 4}, {1, 1}, Width(1));
  EXPECT_THAT(Rows(bitmap),
              ElementsAre("0000000", "0111110", "0100010", "0100010", "0111110", "0000000"));
}

TEST(RasterBox, OutlineAndInsideCoverTheBoxExactly) {
  std::mt19937 random(3);
  std::uniform_int_distribution<int> coordinate(0, 19);
  for (int trial = 0; trial < 200; ++trial) {
    const PixelPoint a{coordinate(random), coordinate(random)};
    const PixelPoint b{coordinate(random), coordinate(random)};
    Bitmap bitmap(20, 20);
    RasterBox(bitmap, bitmap.Bounds(), a, b, Width(1));
    const PixelRect box{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1,
                        std::max(a.y, b.y) + 1};
    const PixelRect inside{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        const bool outline = box.Contains({x, y}) && !inside.Contains({x, y});
        ASSERT_EQ(bitmap.At(x, y) == kInk, outline) << "trial " << trial << " at " << x << "," << y;
      }
    }
  }
}

TEST(RasterBox, WidePenIsCentredOnTheEdgesWithRoundJoins) {
  Bitmap bitmap(9, 9);
  RasterBox(bitmap, bitmap.Bounds(), {1, 1}, {7, 7}, Width(3));
  EXPECT_THAT(Rows(bitmap),
              ElementsAre("011111110", "111111111", "111111111", "111000111", "111000111",
                          "111000111", "111111111", "111111111", "011111110"));
}

TEST(RasterBox, FullSurfaceOutlineOnTheCardSizedSurface) {
  Bitmap bitmap(517, 608);
  RasterBox(bitmap, bitmap.Bounds(), {0, 0}, {516, 607}, Width(1));
  EXPECT_EQ(CountPixels(bitmap, kInk), 2 * 517 + 2 * 606);
  EXPECT_EQ(bitmap.At(516, 607), kInk);
  EXPECT_EQ(bitmap.At(1, 1), Color{});
}

// --- ellipses and arcs ------------------------------------------------------------------------

PixelRect CircleBounds(PixelPoint centre, int rx, int ry) {
  return {centre.x - rx, centre.y - ry, centre.x + rx + 1, centre.y + ry + 1};
}

TEST(RasterEllipse, SmallCirclesAreRound) {
  Bitmap five(5, 5);
  RasterEllipse(five, five.Bounds(), five.Bounds(), Width(1), nullptr);
  EXPECT_THAT(Rows(five), ElementsAre("01110", "10001", "10001", "10001", "01110"));
  Bitmap four(4, 4);
  RasterEllipse(four, four.Bounds(), four.Bounds(), Width(1), nullptr);
  EXPECT_THAT(Rows(four), ElementsAre("0110", "1001", "1001", "0110"));
}

TEST(RasterEllipse, ThinRingFillsTheDiagonalsOfRadiusFour) {
  // Radius 3 needs nothing at its diagonals; radius 4 takes the pixels that the ring of radius
  // 3 leaves out there.
  Bitmap three(7, 7), four(9, 9);
  RasterEllipse(three, three.Bounds(), CircleBounds({3, 3}, 3, 3), Width(1), nullptr);
  RasterEllipse(four, four.Bounds(), CircleBounds({4, 4}, 4, 4), Width(1), nullptr);
  EXPECT_THAT(Rows(three), ElementsAre("0011100", "0100010", "1000001", "1000001", "1000001",
                                       "0100010", "0011100"));
  EXPECT_THAT(Rows(four),
              ElementsAre("001111100", "011000110", "110000011", "100000001", "100000001",
                          "100000001", "110000011", "011000110", "001111100"));
}

TEST(RasterEllipse, ThinRingsOfConsecutiveRadiiCoverTheDiscExactly) {
  for (int radius = 1; radius <= 60; ++radius) {
    const int size = 2 * radius + 1;
    const PixelPoint c{radius, radius};
    Bitmap rings(size, size), disc(size, size);
    for (int r = 0; r <= radius; ++r) {
      RasterEllipse(rings, rings.Bounds(), CircleBounds(c, r, r), Width(1), nullptr);
    }
    RasterFillEllipse(disc, disc.Bounds(), CircleBounds(c, radius, radius), kInk);
    ASSERT_EQ(rings, disc) << "radius " << radius;
  }
}

TEST(RasterEllipse, OutlineSpansLeftToRightMinusOneOnBothAxes) {
  Bitmap bitmap(40, 40);
  const PixelPoint c{20, 19};
  RasterEllipse(bitmap, bitmap.Bounds(), CircleBounds(c, 12, 12), Width(1), nullptr);
  for (PixelPoint p :
       {PixelPoint{8, 19}, PixelPoint{32, 19}, PixelPoint{20, 7}, PixelPoint{20, 31}}) {
    EXPECT_EQ(bitmap.At(p.x, p.y), kInk) << p.x << "," << p.y;
  }
  for (PixelPoint p :
       {PixelPoint{7, 19}, PixelPoint{33, 19}, PixelPoint{20, 6}, PixelPoint{20, 32}, c}) {
    EXPECT_NE(bitmap.At(p.x, p.y), kInk) << p.x << "," << p.y;
  }
}

TEST(RasterEllipse, OutlineIsClosedAndTogetherWithTheFillCoversTheEllipse) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> corner(0, 30);
  for (int trial = 0; trial < 200; ++trial) {
    const int x0 = corner(random), x1 = corner(random), y0 = corner(random), y1 = corner(random);
    const PixelRect bounds{std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1,
                           std::max(y0, y1) + 1};
    Bitmap filled(32, 32), inside(32, 32);
    RasterEllipse(filled, filled.Bounds(), bounds, Width(1), &kFill);
    RasterFillEllipse(inside, inside.Bounds(), bounds, kFill);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        ASSERT_EQ(filled.At(x, y) != Color{}, inside.At(x, y) != Color{})
            << "trial " << trial << " at " << x << "," << y;
        if (filled.At(x, y) != kFill)
          continue;
        // A fill pixel never touches the outside: the outline has no gaps.
        for (PixelPoint n : {PixelPoint{x - 1, y}, PixelPoint{x + 1, y}, PixelPoint{x, y - 1},
                             PixelPoint{x, y + 1}}) {
          ASSERT_NE(filled.At(n.x, n.y), Color{}) << "trial " << trial << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST(RasterEllipse, FillIsPaintedFirstAndTheOutlineOverIt) {
  Bitmap bitmap(21, 21);
  RasterEllipse(bitmap, bitmap.Bounds(), CircleBounds({10, 10}, 8, 8), Width(1), &kFill);
  EXPECT_EQ(bitmap.At(10, 10), kFill);
  EXPECT_EQ(bitmap.At(3, 10), kFill);
  EXPECT_EQ(bitmap.At(2, 10), kInk);
  EXPECT_EQ(bitmap.At(18, 10), kInk);
  EXPECT_EQ(bitmap.At(1, 10), Color{});
}

TEST(RasterEllipse, WidePenIsCentredOnTheCurve) {
  Bitmap bitmap(41, 41);
  RasterEllipse(bitmap, bitmap.Bounds(), CircleBounds({20, 20}, 12, 12), Width(3), nullptr);
  EXPECT_EQ(Rows(bitmap)[20],
            "0000000111000000000000000000000111"
            "0000000");
}

TEST(RasterEllipse, ClippedAtTheSurfaceEdgesWithoutError) {
  Bitmap bitmap(10, 10);
  RasterEllipse(bitmap, bitmap.Bounds(), CircleBounds({0, 0}, 50, 50), Width(4), &kFill);
  RasterEllipse(bitmap, bitmap.Bounds(), {-2000000000, 0, 2000000000, 5}, Width(1), &kFill);
  EXPECT_EQ(CountPixels(bitmap, kFill), 100);
}

TEST(RasterArc, ZeroToHalfPiStaysInTheUpperRightQuadrant) {
  Bitmap bitmap(31, 31);
  const PixelPoint c{15, 15};
  RasterArc(bitmap, bitmap.Bounds(), CircleBounds(c, 10, 10), 0, std::numbers::pi / 2, Width(1));
  EXPECT_EQ(bitmap.At(25, 15), kInk);
  EXPECT_EQ(bitmap.At(15, 5), kInk);
  for (int y = 0; y < 31; ++y) {
    for (int x = 0; x < 31; ++x) {
      if (bitmap.At(x, y) == kInk) {
        EXPECT_TRUE(x >= c.x && y <= c.y) << x << "," << y;
      }
    }
  }
  // The quarter holds about a quarter of the circle's pixels.
  Bitmap circle(31, 31);
  RasterEllipse(circle, circle.Bounds(), CircleBounds(c, 10, 10), Width(1), nullptr);
  EXPECT_NEAR(CountPixels(bitmap, kInk), CountPixels(circle, kInk) / 4.0, 2);
}

TEST(RasterArc, ArcAcrossZeroIsOpenOnTheFarSide) {
  Bitmap bitmap(31, 31);
  RasterArc(bitmap, bitmap.Bounds(), CircleBounds({15, 15}, 10, 10), 7 * std::numbers::pi / 4,
            std::numbers::pi / 4, Width(2));
  EXPECT_EQ(bitmap.At(25, 15), kInk);
  EXPECT_EQ(bitmap.At(5, 15), Color{});
  EXPECT_EQ(bitmap.At(15, 5), Color{});
  EXPECT_EQ(bitmap.At(15, 25), Color{});
}

// --- blits ------------------------------------------------------------------------------------

TEST(RasterStretchBlit, TwoByTwoStretchedToFourByFourTakesTheNearestPixel) {
  Bitmap source(2, 2);
  source.Set(0, 0, RGB(1, 0, 0));
  source.Set(1, 0, RGB(2, 0, 0));
  source.Set(0, 1, RGB(3, 0, 0));
  source.Set(1, 1, RGB(4, 0, 0));
  Bitmap target(6, 6);
  RasterStretchBlit(target, target.Bounds(), {1, 1, 5, 5}, source, source.Bounds(), RasterOp::Copy);
  for (int y = 1; y < 5; ++y) {
    for (int x = 1; x < 5; ++x) {
      EXPECT_EQ(target.At(x, y), source.At((x - 1) / 2, (y - 1) / 2)) << x << "," << y;
    }
  }
  EXPECT_THAT(Rows(target),
              ElementsAre("000000", "011110", "011110", "011110", "011110", "000000"));
}

TEST(RasterStretchBlit, AndKeepsTheDestinationUnderWhiteAndCombinesBitwise) {
  Bitmap source(2, 1);
  source.Set(0, 0, RGB(255, 255, 255));
  source.Set(1, 0, RGB(0x0F, 0xF0, 0x3C));
  Bitmap target(2, 1, RGB(0x35, 0x35, 0x35));
  RasterStretchBlit(target, target.Bounds(), target.Bounds(), source, source.Bounds(),
                    RasterOp::And);
  EXPECT_EQ(target.At(0, 0), RGB(0x35, 0x35, 0x35));
  EXPECT_EQ(target.At(1, 0), RGB(0x05, 0x30, 0x34));
}

TEST(RasterStretchBlit, SourceReachingPastThePictureDrawsOnlyWhatExists) {
  Bitmap source(4, 4, kInk);
  Bitmap target(8, 8);
  RasterStretchBlit(target, target.Bounds(), {0, 0, 8, 8}, source, {2, 2, 10, 10}, RasterOp::Copy);
  EXPECT_THAT(Rows(target), ElementsAre("11000000", "11000000", "00000000", "00000000", "00000000",
                                        "00000000", "00000000", "00000000"));
}

TEST(RasterStretchBlit, EmptyOrInvertedRectanglesDrawNothing) {
  Bitmap source(4, 4, kInk);
  Bitmap target(8, 8);
  RasterStretchBlit(target, target.Bounds(), {4, 4, 4, 8}, source, source.Bounds(), RasterOp::Copy);
  RasterStretchBlit(target, target.Bounds(), {6, 6, 2, 2}, source, source.Bounds(), RasterOp::Copy);
  RasterStretchBlit(target, target.Bounds(), target.Bounds(), source, {3, 3, 1, 1}, RasterOp::Copy);
  RasterStretchBlit(target, target.Bounds(), target.Bounds(), Bitmap(), {0, 0, 4, 4},
                    RasterOp::Copy);
  EXPECT_EQ(CountPixels(target, kInk), 0);
}

// --- text coverage ----------------------------------------------------------------------------

TEST(RasterMask, CoverageBlendsTheColourOverTheTargetAndClips) {
  Bitmap target(3, 1, RGB(0, 0, 0));
  CoverageMask mask{3, 1, {0, 255, 128}};
  RasterMask(target, target.Bounds(), {0, 0}, mask, RGB(255, 255, 255));
  EXPECT_EQ(target.At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(target.At(1, 0), RGB(255, 255, 255));
  EXPECT_EQ(target.At(2, 0), RGB(128, 128, 128));
  RasterMask(target, target.Bounds(), {2, 0}, CoverageMask{3, 1, {255, 255, 255}}, kInk);
  RasterMask(target, target.Bounds(), {-3, 0}, CoverageMask{2, 2, {255}}, kInk);  // short mask
  EXPECT_EQ(target.At(2, 0), kInk);
  EXPECT_EQ(target.At(0, 0), RGB(0, 0, 0));
}

}  // namespace
}  // namespace frost
