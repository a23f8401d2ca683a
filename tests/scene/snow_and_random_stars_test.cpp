#include <gtest/gtest.h>

#include <cmath>

#include "scene_probe.h"

namespace frost {
namespace {

constexpr Color kMarker = RGB(0, 0, 255);

class SnowTest : public ::testing::Test {
 protected:
  SnowTest() {
    card.app.SetPacing(0);
    // As the load step leaves the flakes.
    form.FlakeRadius = 1;
    form.SnowWidth = form.Picture1.ScaleWidth();
    form.SnowHeight = form.Picture1.ScaleHeight();
    for (int i = 0; i < CardState::kFlakeCount; ++i) {
      form.SnowX[i] = 100 + 40 * i;
      form.SnowY[i] = 200 + 50 * i;
    }
    form.Intensity = 220;
  }

  testing::CardFixture card;
  Form1& form = card.form;
  testing::SceneProbe probe{form};
};

TEST_F(SnowTest, FlakesDriftZeroToFourteenTwipsRightAndDown) {
  const auto x = form.SnowX;
  const auto y = form.SnowY;
  form.MoveSnowFlakes();
  int moved = 0;
  for (int i = 0; i < CardState::kFlakeCount; ++i) {
    const double dx = form.SnowX[i] - x[i], dy = form.SnowY[i] - y[i];
    EXPECT_TRUE(dx >= 0 && dx <= 14 && dx == std::floor(dx)) << i << " " << dx;
    EXPECT_TRUE(dy >= 0 && dy <= 14 && dy == std::floor(dy)) << i << " " << dy;
    moved += dx > 0 || dy > 0;
  }
  EXPECT_GT(moved, 100);
}

TEST_F(SnowTest, AStepClearsTheScreenAndDrawsEveryFlakeAsAFilledDisc) {
  form.Picture1.SetAutoRedraw(false);
  form.Picture1.PSet(6000, 100, kMarker);
  form.MoveSnowFlakes();
  EXPECT_NE(form.Picture1.Point(6000, 100), kMarker);
  EXPECT_EQ(form.Picture1.FillStyle, FillStyle::Solid);
  EXPECT_EQ(form.Picture1.FillColor, form.ShadedColor());
  for (const int i : {0, 75, 150}) {
    if (form.SnowX[i] < 0 || form.SnowY[i] < 0)
      continue;
    EXPECT_EQ(probe.At(form.SnowX[i], form.SnowY[i]), form.ShadedColor()) << i;
  }
  // The kept picture is untouched: with kept drawing off the flakes live on the screen only.
  form.Picture1.Cls();
  EXPECT_NE(probe.At(form.SnowX[75], form.SnowY[75]), form.ShadedColor());
}

TEST_F(SnowTest, OnlyFlakesPastTheEdgeReenterAtMinusFive) {
  // A generator whose first draw moves flake 0 by nothing.
  for (std::uint64_t seed = 1;; ++seed) {
    card.random.Seed(seed);
    Random peek = card.random;
    if (peek.Rnd() < 1.0 / 15)
      break;
  }
  form.SnowX[0] = form.SnowWidth;
  form.SnowX[1] = form.SnowWidth + 1;
  form.SnowY[2] = form.SnowHeight + 1;
  form.MoveSnowFlakes();
  EXPECT_EQ(form.SnowX[0], form.SnowWidth);
  EXPECT_EQ(form.SnowX[1], -5);
  EXPECT_EQ(form.SnowY[2], -5);
}

TEST_F(SnowTest, ScatterPlacesEveryFlakeAnewWithoutClearing) {
  form.Picture1.PSet(6000, 100, kMarker);
  const auto x = form.SnowX;
  form.ScatterSnowFlakes();
  EXPECT_EQ(form.Picture1.Point(6000, 100), kMarker);
  EXPECT_EQ(form.Picture1.FillStyle, FillStyle::Transparent);
  int changed = 0;
  for (int i = 0; i < CardState::kFlakeCount; ++i) {
    EXPECT_GE(form.SnowX[i], 0);
    EXPECT_LT(form.SnowX[i], form.SnowWidth);
    EXPECT_GE(form.SnowY[i], 0);
    EXPECT_LT(form.SnowY[i], form.SnowHeight);
    changed += form.SnowX[i] != x[i];
  }
  EXPECT_EQ(changed, CardState::kFlakeCount);
}

// --- random stars ---

class RandomStarsTest : public SnowTest {};

TEST_F(RandomStarsTest, StarsOnAPlainSurfaceAreInvisible) {
  const Bitmap before = form.Picture1.Image();
  form.Command21_Click();
  EXPECT_EQ(form.Picture1.Image(), before);
  EXPECT_EQ(form.Picture1.DrawWidth, 2);
  EXPECT_EQ(form.Picture1.DrawMode, DrawMode::CopyPen);
  // The last star's brightness: 200 to 250, plus one step of 3 x 1500 / 1500.
  EXPECT_GE(form.Intensity, 203);
  EXPECT_LE(form.Intensity, 253);
}

TEST_F(RandomStarsTest, EverySegmentTakesTheColourUnderTheStarsCentre) {
  Random peek = card.random;
  const double cx = CInt(Int(4001 * peek.Rnd() + 2000));
  const double cy = CInt(Int(5001 * peek.Rnd() + 2000));
  form.Picture1.PSet(cx, cy, kMarker);
  form.DrawRandomStars();
  // The first star is 350 twips tall above its centre, outlined in the marker colour.
  bool tipFound = false;
  for (int dy = -2; dy <= 2; ++dy) tipFound |= probe.At(cx, cy - 350 + 15 * dy) == kMarker;
  EXPECT_TRUE(tipFound);
  int markerPixels = 0;
  for (const std::uint32_t pixel : form.Picture1.Image().Pixels()) {
    markerPixels += Color{pixel} == kMarker;
  }
  EXPECT_GT(markerPixels, 100);
}

TEST_F(RandomStarsTest, YieldsAfterEachPointPairAndEachStarWhenAllowed) {
  card.app.SetPacing(0.001);
  form.DoEventsOn = true;
  const double start = card.app.Now();
  form.DrawRandomStars();
  EXPECT_NEAR((card.app.Now() - start) / 0.001, 18 * (5 + 1), 0.01);
}

}  // namespace
}  // namespace frost
