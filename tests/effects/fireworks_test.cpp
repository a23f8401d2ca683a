// Firework bursts: their centres, rings, rays and colours, and that they leave the scene as it
// was.
#include "effects/fireworks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "effects_probe.h"
#include "scene/star_construction.h"

namespace frost {
namespace {

using testing::CardFixture;
using testing::ToPixel;

class FireworksTest : public ::testing::Test {
 protected:
  explicit FireworksTest(double twipsPerPixel = 15) : card(twipsPerPixel) {
    testing::PaintPlain(form, testing::kPlain);
    card.app.SetPacing(0);
  }
  double Tpp() const { return card.app.TwipsPerPixelX(); }
  // Draws the rings of a burst on the screen only and returns the pixels it changed.
  std::vector<PixelPoint> BurstPixels(BurstCentre at) {
    form.Picture1.SetAutoRedraw(false);
    form.Picture1.Cls();
    form.fireworks.DrawBurstRings(at);
    std::vector<PixelPoint> changed;
    const Bitmap& screen = form.Picture1.ScreenBitmap();
    const Bitmap& kept = form.Picture1.Image();
    for (int y = 0; y < screen.Height(); ++y)
      for (int x = 0; x < screen.Width(); ++x)
        if (screen.At(x, y) != kept.At(x, y))
          changed.push_back({x, y});
    return changed;
  }

  CardFixture card;
  Form1& form = card.form;
  const BurstCentre centre{3870, 4560};
};

class FireworksAt12Test : public FireworksTest {
 protected:
  FireworksAt12Test() : FireworksTest(12) {}
};

TEST_F(FireworksTest, FireworksButtonOnlySwitchesTheTimerOn) {
  form.Command22_Click();
  EXPECT_TRUE(form.TimerFireworks.Enabled());
  form.Command22_Click();
  EXPECT_TRUE(form.TimerFireworks.Enabled());
}

TEST_F(FireworksTest, CentresLieAtLeast2500TwipsInsideEveryEdge) {
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  for (int i = 0; i < 3000; ++i) {
    const BurstCentre c = form.fireworks.ChooseBurstCentre();
    ASSERT_EQ(c.x, std::floor(c.x));
    ASSERT_EQ(c.y, std::floor(c.y));
    minX = std::min(minX, c.x);
    maxX = std::max(maxX, c.x);
    minY = std::min(minY, c.y);
    maxY = std::max(maxY, c.y);
  }
  EXPECT_GE(minX, 2500);
  EXPECT_LE(maxX, 7750 - 2500);
  EXPECT_GE(minY, 2500);
  EXPECT_LE(maxY, 9120 - 2500);
  // The whole range is used.
  EXPECT_LT(minX, 2510);
  EXPECT_GT(maxX, 7750 - 2510);
  EXPECT_LT(minY, 2510);
  EXPECT_GT(maxY, 9120 - 2510);
}

TEST_F(FireworksTest, NarrowSurfaceStillGetsACentreFromTheSameFormula) {
  form.Picture1.SetWidth(4000);
  for (int i = 0; i < 500; ++i) {
    const BurstCentre c = form.fireworks.ChooseBurstCentre();
    // Int(r x (1500 - 2500 + 1) + 2500): from 1502 to 2500, nearer the edge than 2500.
    ASSERT_GE(c.x, 1502);
    ASSERT_LE(c.x, 2500);
  }
}

TEST_F(FireworksTest, BurstSleeps10MsPerRingWithoutYielding) {
  int ticks = 0;
  Timer probe(form, "Probe", 1);
  probe.OnTimer = [&] { ++ticks; };
  probe.SetEnabled(true);
  const double start = card.app.Now();
  form.fireworks.BurstFirework();
  // 101 rings from R = 500 to 2500 in steps of 20.
  EXPECT_NEAR(card.app.Now() - start, 101 * 0.010, 1e-9);
  EXPECT_EQ(ticks, 0);
  card.app.DoEvents();
  EXPECT_EQ(ticks, 1);
}

TEST_F(FireworksTest, WindowShowsTheRingsAsTheyAreDrawn) {
  form.Shape1.SetVisible(false);  // nothing over the surface, as in the show's last phases
  form.Shape2.SetVisible(false);
  form.SetVisible(true);
  card.app.DoEvents();
  const int before = card.backend.PresentCount();
  form.fireworks.UseColor();
  form.TimerFireworks_Timer();
  // The rings reach the window no faster than the frame rate: at every other ring's pause,
  // 20 ms apart; the last frame holds the outer ring.
  EXPECT_NEAR(card.backend.PresentCount() - before, 50, 1);
  int outerRing = 0;
  for (const auto value : card.backend.LastFrame().Pixels())
    outerRing += Color{value} == RGB(255, 225, 60);
  EXPECT_GT(outerRing, 10);
  // The next yield that presents shows the cleared screen.
  card.app.Sleep(20);
  card.app.DoEvents();
  outerRing = 0;
  for (const auto value : card.backend.LastFrame().Pixels())
    outerRing += Color{value} == RGB(255, 225, 60);
  EXPECT_EQ(outerRing, 0);
}

TEST_F(FireworksAt12Test, BurstHas81RingsAt12TwipsPerPixel) {
  const double start = card.app.Now();
  form.fireworks.BurstFirework();
  EXPECT_NEAR(card.app.Now() - start, 81 * 0.010, 1e-9);
  EXPECT_EQ(form.Picture1.DrawWidth, 5);  // Int(2000 / 400)
}

TEST_F(FireworksTest, TickClearsTheLastBurstAndLeavesTheKeptSceneUntouched) {
  form.Picture1.SetAutoRedraw(true);
  form.Picture1.Line(0, 0, form.Picture1.Width(), form.Picture1.Height(), RGB(255, 255, 0));
  const Bitmap scene = form.Picture1.Image();
  form.Picture1.SetAutoRedraw(false);
  form.Picture1.PSet(100, 100, RGB(255, 0, 0));  // an earlier burst's dot
  form.fireworks.UseColor();
  form.TimerFireworks_Timer();
  EXPECT_FALSE(form.Picture1.AutoRedraw());
  EXPECT_TRUE(form.Picture1.Image() == scene);
  EXPECT_TRUE(form.Picture1.ScreenBitmap() == scene);
  EXPECT_EQ(form.Picture1.DrawWidth, 6);  // Int(2500 / 400)
}

TEST_F(FireworksTest, TenRaysOneStraightUpAndOneStraightDown) {
  form.fireworks.UseColor();
  const std::vector<PixelPoint> pixels = BurstPixels(centre);
  ASSERT_FALSE(pixels.empty());
  const double cx = ToPixel(centre.x, Tpp());
  const double cy = ToPixel(centre.y, Tpp());
  std::array<int, 10> perRay{};
  for (const PixelPoint p : pixels) {
    const double dx = p.x - cx;
    const double dy = p.y - cy;
    const double distance = std::hypot(dx, dy);
    // Rings from 200 to 1000 twips out, dots up to 6 pixels wide.
    ASSERT_GE(distance, 200 / Tpp() - 2);
    ASSERT_LE(distance, 1000 / Tpp() + 4);
    const double turns = (std::atan2(dy, dx) - kStarInnerStart) / (0.2 * kCardPi);
    const long ray = std::lround(turns);
    // Within a dot's half width (3 pixels) and a pixel's rounding of its ray.
    ASSERT_LE(std::abs(turns - ray) * 0.2 * kCardPi * distance, 4.5) << p.x << "," << p.y;
    ++perRay[(ray % 10 + 10) % 10];
  }
  for (const int count : perRay) EXPECT_GT(count, 50);
  // Straight down (90 degrees) and straight up (270 degrees), on the centre's column.
  EXPECT_NE(form.Picture1.ScreenBitmap().At(cx, ToPixel(centre.y + 600, Tpp())), testing::kPlain);
  EXPECT_NE(form.Picture1.ScreenBitmap().At(cx, ToPixel(centre.y - 600, Tpp())), testing::kPlain);
}

TEST_F(FireworksTest, ColourModeRingsBrightenFromTheFirstRingColour) {
  form.fireworks.UseColor();
  BurstPixels(centre);
  const Bitmap& screen = form.Picture1.ScreenBitmap();
  // The first ring's dot below the centre stays visible at its inner side.
  auto colourNear = [&](double x, double y, Color colour) {
    for (int dy = -3; dy <= 3; ++dy)
      for (int dx = -3; dx <= 3; ++dx)
        if (screen.At(ToPixel(x, Tpp()) + dx, ToPixel(y, Tpp()) + dy) == colour)
          return true;
    return false;
  };
  EXPECT_TRUE(colourNear(centre.x, centre.y + 200, RGB(200, 150, 40)));
  // The last ring at b = 300: red clamped, green 225, blue 60.
  EXPECT_TRUE(colourNear(centre.x, centre.y + 1000, RGB(255, 225, 60)));
}

TEST_F(FireworksTest, WithoutColourModeDotsTakeTheColourUnderTheCentre) {
  const Color under = RGB(12, 200, 90);
  form.Picture1.PSet(centre.x, centre.y, under);
  const std::vector<PixelPoint> pixels = BurstPixels(centre);
  ASSERT_GT(pixels.size(), 500u);
  for (const PixelPoint p : pixels)
    ASSERT_EQ(form.Picture1.ScreenBitmap().At(p.x, p.y), under) << p.x << "," << p.y;
}

TEST_F(FireworksTest, FirstRingIsTwoPixelsWideAndTheNextOneOne) {
  // On the ray straight down the later rings lie further out, so the first ring's dot (R = 500,
  // width 2) stays whole, and the second (R = 520) is drawn with Int(500 / 400) = 1.
  form.fireworks.UseColor();
  BurstPixels(centre);
  const Bitmap& screen = form.Picture1.ScreenBitmap();
  auto pixelsNear = [&](double y, Color colour) {
    std::vector<PixelPoint> found;
    const int cx = ToPixel(centre.x, Tpp());
    const int cy = ToPixel(y, Tpp());
    for (int py = cy - 4; py <= cy + 4; ++py)
      for (int px = cx - 4; px <= cx + 4; ++px)
        if (screen.At(px, py) == colour)
          found.push_back({px, py});
    return found;
  };
  const std::vector<PixelPoint> first = pixelsNear(centre.y + 200, RGB(200, 150, 40));
  ASSERT_EQ(first.size(), 4u);
  const auto [minX, maxX] = std::minmax({first[0].x, first[1].x, first[2].x, first[3].x});
  const auto [minY, maxY] = std::minmax({first[0].y, first[1].y, first[2].y, first[3].y});
  EXPECT_EQ(maxX - minX, 1);
  EXPECT_EQ(maxY - minY, 1);
  EXPECT_LE(pixelsNear(centre.y + 208, RGB(201, 151, 40)).size(), 1u);
}

TEST(FireworksMixedScaleTest, RingsScaleWithTheHorizontalFactorOnly) {
  testing::MixedScaleCard card;  // sx = 0.8, sy = 1
  card.app.SetPacing(0);
  const double start = card.app.Now();
  card.form.fireworks.BurstFirework();
  EXPECT_NEAR(card.app.Now() - start, 81 * 0.010, 1e-9);
}

}  // namespace
}  // namespace frost
