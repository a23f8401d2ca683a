#include <gtest/gtest.h>

#include <cmath>

#include "scene/scene_probe.h"

namespace frost {
namespace {

constexpr Color kMarker = RGB(0, 0, 255);

class SnowTest : public ::testing::Test {
 protected:
  SnowTest() {
    card.app.SetPacing(0);
    snow.Start();
    form.paint.Intensity = 220;
  }
  double Width() const { return form.Picture1.ScaleWidth(); }
  double Height() const { return form.Picture1.ScaleHeight(); }

  testing::CardFixture card;
  Form1& form = card.form;
  Snow& snow = form.snow;
  testing::SceneProbe probe{form};
};

TEST_F(SnowTest, StartPlacesEveryFlakeOnTheSurfaceAndDrawsNothing) {
  const Bitmap before = form.Picture1.Image();
  snow.Start();
  EXPECT_EQ(form.Picture1.Image(), before);
  for (const Snow::Flake& flake : snow.Flakes()) {
    EXPECT_GE(flake.x, 0);
    EXPECT_LT(flake.x, Width());
    EXPECT_GE(flake.y, 0);
    EXPECT_LT(flake.y, Height());
  }
}

// Whether one coordinate of a flake moved as snow may: 0 to 14 whole twips forward and not past
// the far edge, or, from within 14 twips of that edge, back to just outside the near one.
::testing::AssertionResult DriftedForward(double was, double now, double edge) {
  if (now == -5 && was > edge - 15)
    return ::testing::AssertionSuccess();
  const double step = std::round(now - was);  // whole twips on top of a fractional start
  if (std::abs(now - was - step) < 1e-9 && step >= 0 && step <= 14 && now <= edge)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << was << " -> " << now << " (edge " << edge << ")";
}

TEST_F(SnowTest, FlakesOnlyDriftForwardAndReenterJustOutsideTheNearEdge) {
  form.Picture1.Move(0, 0, 600, 450);  // a small surface, crossed in a few dozen steps
  snow.Start();
  int moved = 0, reentered = 0;
  for (int step = 0; step < 100; ++step) {
    const auto before = snow.Flakes();
    snow.MoveSnowFlakes();
    for (int i = 0; i < Snow::kFlakeCount; ++i) {
      const Snow::Flake& flake = snow.Flakes()[i];
      ASSERT_TRUE(DriftedForward(before[i].x, flake.x, Width())) << "flake " << i;
      ASSERT_TRUE(DriftedForward(before[i].y, flake.y, Height())) << "flake " << i;
      moved += flake.x > before[i].x || flake.y > before[i].y;
      reentered += (flake.x == -5 && before[i].x > 0) + (flake.y == -5 && before[i].y > 0);
    }
  }
  EXPECT_GT(moved, 100 * Snow::kFlakeCount / 2);
  EXPECT_GT(reentered, Snow::kFlakeCount);
}

TEST_F(SnowTest, AStepClearsTheScreenAndDrawsEveryFlakeAsAFilledDisc) {
  form.Picture1.SetAutoRedraw(false);
  form.Picture1.PSet(6000, 100, kMarker);
  snow.MoveSnowFlakes();
  EXPECT_NE(form.Picture1.Point(6000, 100), kMarker);
  EXPECT_EQ(form.Picture1.FillStyle, FillStyle::Solid);
  EXPECT_EQ(form.Picture1.FillColor, form.paint.ShadedColor());
  const auto& flakes = snow.Flakes();
  for (const int i : {0, 75, 150}) {
    if (flakes[i].x < 0 || flakes[i].y < 0)
      continue;
    EXPECT_EQ(probe.At(flakes[i].x, flakes[i].y), form.paint.ShadedColor()) << i;
  }
  // The kept picture is untouched: with kept drawing off the flakes live on the screen only.
  form.Picture1.Cls();
  EXPECT_NE(probe.At(flakes[75].x, flakes[75].y), form.paint.ShadedColor());
}

TEST_F(SnowTest, ScatterPlacesEveryFlakeAnewWithoutClearing) {
  form.Picture1.PSet(6000, 100, kMarker);
  const auto before = snow.Flakes();
  snow.ScatterSnowFlakes();
  EXPECT_EQ(form.Picture1.Point(6000, 100), kMarker);
  EXPECT_EQ(form.Picture1.FillStyle, FillStyle::Transparent);
  int changed = 0;
  for (int i = 0; i < Snow::kFlakeCount; ++i) {
    const Snow::Flake& flake = snow.Flakes()[i];
    EXPECT_GE(flake.x, 0);
    EXPECT_LT(flake.x, Width());
    EXPECT_GE(flake.y, 0);
    EXPECT_LT(flake.y, Height());
    changed += flake.x != before[i].x;
    // A dot drawn 50 twips right of and below its flake.
    if (flake.x + 50 < Width() - 100 && flake.y + 50 < Height() - 100) {
      EXPECT_EQ(probe.At(flake.x + 50, flake.y + 50), form.paint.ShadedColor()) << i;
    }
  }
  EXPECT_EQ(changed, Snow::kFlakeCount);
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
  EXPECT_GE(form.paint.Intensity, 203);
  EXPECT_LE(form.paint.Intensity, 253);
}

TEST_F(RandomStarsTest, EverySegmentTakesTheColourUnderTheStarsCentre) {
  Random peek = card.random;
  const double cx = CInt(Int(4001 * peek.Rnd() + 2000));
  const double cy = CInt(Int(5001 * peek.Rnd() + 2000));
  form.Picture1.PSet(cx, cy, kMarker);
  form.randomStars.DrawRandomStars();
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
  form.paint.DoEventsOn = true;
  const double start = card.app.Now();
  form.randomStars.DrawRandomStars();
  EXPECT_NEAR((card.app.Now() - start) / 0.001, 18 * (5 + 1), 0.01);
}

}  // namespace
}  // namespace frost
