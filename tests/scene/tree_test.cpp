#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "scene_probe.h"

namespace frost {
namespace {

// The design screen's tier table: span, left corner and vertical offset of tier k.
double Span(int k) {
  return 5700 - 500 * k;
}
double Left(int k) {
  return 1000 + 250 * k;
}
double Offset(int k) {
  return 2000 - 500.0 / 3 * k;
}
double BaseY(int k) {
  return Span(k) + Offset(k);
}

class TreeTest : public ::testing::Test {
 protected:
  TreeTest() { card.app.SetPacing(0); }

  testing::CardFixture card;
  Form1& form = card.form;
  testing::SceneProbe probe{form};
};

// --- ground band ---

// Brightness of the band's row `row` twips below its top: a saw-tooth from 100 to 180 that
// restarts every 161 rows.
double GroundIntensity(double row) {
  return 100 + 0.5 * std::fmod(row, 161);
}

TEST_F(TreeTest, GroundCoversRows7700To8400InASawTooth) {
  form.tree.DrawGround();
  const double x = 1000;
  EXPECT_FALSE(probe.Painted(x, 7700 - 15));
  EXPECT_FALSE(probe.Painted(x, 8400 + 15));
  int restarts = 0;
  for (int pixel = std::floor(7700 / 15.0 + 0.5); pixel <= std::floor(8400 / 15.0 + 0.5); ++pixel) {
    const double y = 15 * pixel;
    const double row = std::min(testing::LastWholeTwipOnPixel(y, 15), 8400.0) - 7700;
    EXPECT_EQ(probe.At(x, y), form.paint.ShadedColorAt(GroundIntensity(row))) << y;
    EXPECT_LE(probe.At(x, y).Red(), 180) << y;
    if (row > 15 && probe.At(x, y).Red() < probe.At(x, y - 15).Red())
      ++restarts;
  }
  EXPECT_EQ(restarts, 4);  // after rows 160, 321, 482 and 643
  EXPECT_DOUBLE_EQ(form.paint.Intensity, GroundIntensity(701));
}

TEST_F(TreeTest, GroundsRightEndSlantsOneTwipOutwardPerRow) {
  form.tree.DrawGround();
  const double halfWidth = form.Picture1.Width() / 2;
  for (const double y : {7700.0, 8050.0, 8400.0}) {
    const double end = 500 + halfWidth + (y - 7700);
    EXPECT_TRUE(probe.Painted(end - 15, y)) << y;
    EXPECT_FALSE(probe.Painted(end + 30, y)) << y;
  }
}

// --- tiers ---

TEST_F(TreeTest, TopStarSitsOnTheTopTiersLastFillLine) {
  form.tree.DrawTreeTiers();
  EXPECT_DOUBLE_EQ(form.tree.TopStarX(), form.Picture1.Width() / 2);
  EXPECT_NEAR(form.tree.TopStarY(), 1453.9, 0.05);
  EXPECT_DOUBLE_EQ(form.Picture1.CurrentY, form.tree.TopStarY());
  // The fill restarts per tier; the top tier's 657 lines leave the brightness here.
  EXPECT_NEAR(form.paint.Intensity, form.tree.TierFillLevel() + 0.2 * 657, 1e-6);
}

TEST_F(TreeTest, InvisiblePassFixesTheSameTopStarAndPaintsNothing) {
  const Bitmap before = form.Picture1.Image();
  form.Picture1.DrawStyle = DrawStyle::Transparent;
  form.tree.DrawTreeTiers();
  EXPECT_EQ(form.Picture1.Image(), before);
  const double invisibleX = form.tree.TopStarX();
  const double invisibleY = form.tree.TopStarY();

  testing::CardFixture visible;
  visible.app.SetPacing(0);
  visible.form.tree.DrawTreeTiers();
  EXPECT_NE(visible.form.Picture1.Image(), before);
  EXPECT_DOUBLE_EQ(visible.form.tree.TopStarX(), invisibleX);
  EXPECT_DOUBLE_EQ(visible.form.tree.TopStarY(), invisibleY);
}

// Brightness of the edge band's pass d: rising by 2 from the border to the middle, then
// falling again.
double EdgeIntensity(double edgeLevel, double d) {
  return d <= 0 ? edgeLevel + 2 * (d + 40) : edgeLevel + 80 - 2 * d;
}

TEST_F(TreeTest, EveryTiersBaseBandLiesOnItsBaseLine) {
  constexpr double kEdgeLevel = 150;
  form.tree.DrawTreeTiers();
  for (int k = 0; k < 9; ++k) {
    for (double offset = -30; offset <= 30; offset += 15) {
      // The band's line for pass d lies at base + d; on each pixel row the last pass shows.
      const double pixelBottom = std::floor((BaseY(k) + offset) / 15 + 0.5) * 15 + 7.5;
      const double lastPass = std::min(std::ceil(pixelBottom - BaseY(k)) - 1, 40.0);
      EXPECT_EQ(probe.At(3850, BaseY(k) + offset),
                form.paint.ShadedColorAt(EdgeIntensity(kEdgeLevel, lastPass)))
          << "tier " << k << " offset " << offset;
    }
  }
}

TEST_F(TreeTest, EveryTierIsCentredOnTheAxisAt3850) {
  form.tree.DrawTreeTiers();
  for (int k = 0; k < 9; ++k) {
    // 300 twips above the base, between this tier's base and the next one's, the two edge
    // bands peak where the lines from the corners to the apex (3850, 2 V) pass.
    const double y = BaseY(k) - 300;
    const double inward = 300 * (Span(k) / 2) / (BaseY(k) - 2 * Offset(k));
    const double leftExpected = Left(k) + inward;
    const double rightExpected = Left(k) + Span(k) - inward;
    const double left = leftExpected + 15 * probe.BrightestAlongRow(leftExpected, y, 4);
    const double right = rightExpected + 15 * probe.BrightestAlongRow(rightExpected, y, 4);
    EXPECT_NEAR(left, leftExpected, 20) << "tier " << k;
    EXPECT_NEAR(right, rightExpected, 20) << "tier " << k;
    EXPECT_NEAR((left + right) / 2, 3850, 15) << "tier " << k;
  }
}

TEST_F(TreeTest, TheTopTiersApexIsTheTreesHighestPoint) {
  form.tree.DrawTreeTiers();
  double y = 0;
  while (!probe.Painted(3850, y)) y += 15;
  EXPECT_NEAR(y, 2 * Offset(8), 20);
}

TEST_F(TreeTest, BottomTierFillStartsAtTierFillLevelJustAboveTheBase) {
  for (const double fillLevel : {140.0, 180.0}) {
    form.tree.SetTierFillLevel(fillLevel);
    form.tree.DrawTreeTiers();
    // Fill lines 1.3 twips apart from 7640 upward; the pixel row holding 7640 shows the last
    // (highest) of those that fall on it.
    const double pixelTop = std::floor(7640.0 / 15 + 0.5) * 15 - 7.5;
    const double linesOnRow = std::floor((7640 - pixelTop) / 1.3);
    EXPECT_EQ(probe.At(3850, 7640), form.paint.ShadedColorAt(fillLevel + 0.2 * linesOnRow))
        << fillLevel;
  }
}

// On a screen whose factors differ (sx = 0.8 across, sy = 1 down) the mixed terms decide
// where the parts land.
TEST_F(TreeTest, MixedScreenFactorsPlaceEveryPartByItsOwnFactor) {
  card.backend.SetTwipsPerPixel(12, 15);
  form.tree.DrawGround();
  // Rows from 7700 sx = 6160, 700 twips deep.
  EXPECT_FALSE(probe.Painted(1000, 6160 - 30));
  EXPECT_TRUE(probe.Painted(1000, 6160 + 15));
  EXPECT_TRUE(probe.Painted(1000, 6860 - 15));
  EXPECT_FALSE(probe.Painted(1000, 6860 + 30));

  form.tree.DrawTreeTiers();
  // V = 2000 - 8 (500 x 0.8) / 3 on the top tier, whose fill runs from T + V - 44 down to
  // 2 (V + 44) in steps of 1.3: its last line lies at about 1955.5.
  EXPECT_NEAR(form.tree.TopStarY(), 1955.5, 0.1);

  form.Picture1.Cls();
  form.tree.DrawBaubles();
  // The bottom left ball: inset 350 sy from L = 800, on the base line 4560 + 2000.
  const double ballX = 800 + 350, baseY = 4560 + 2000;
  const int right = probe.PaintedRun(ballX, baseY, 1, 0);
  const int left = probe.PaintedRun(ballX, baseY, -1, 0);
  EXPECT_NEAR(ballX + 12 * (right - left) / 2.0, ballX, 12);

  form.Picture1.Cls();
  form.treeStars.DrawOrnamentStars();
  // The bottom left star: inset 1600 sy from L, radius R = 350 sx. Its outline crosses the
  // centre's row 0.544 R to either side.
  const double starX = 1600 + 800;
  const int starRight = probe.PaintedRun(starX, baseY, 1, 0);
  const int starLeft = probe.PaintedRun(starX, baseY, -1, 0);
  EXPECT_NEAR(starRight, starLeft, 1);
  EXPECT_NEAR(12 * (starRight + starLeft - 2) / 2.0, 0.544 * 350 * 0.8, 24);
}

// --- balls ---

class BaublesTest : public ::testing::TestWithParam<double> {
 protected:
  BaublesTest() : card(GetParam()) { card.app.SetPacing(0); }
  double S() const { return GetParam() / 15; }

  testing::CardFixture card;
  Form1& form = card.form;
  testing::SceneProbe probe{form};
};

TEST_P(BaublesTest, BallsKeepTheirPixelSizePerTierOnEveryScreen) {
  form.tree.DrawBaubles();
  for (int k = 0; k < 9; ++k) {
    const double y = BaseY(k) * S();
    const double designRadius = 250 - 15 * k;
    const double centres[] = {(Left(k) + 350) * S(), (Left(k) + Span(k) / 2) * S(),
                              (Left(k) + Span(k) - 350) * S()};
    for (const double x : centres) {
      // A circle of radius r spans the centre pixel and r pixels either side.
      const int diameter = probe.PaintedRun(x, y, 1, 0) + probe.PaintedRun(x, y, -1, 0) - 1;
      EXPECT_NEAR(diameter, 2 * designRadius / 15 + 1, 1) << "tier " << k << " x " << x;
    }
  }
}

TEST_P(BaublesTest, BallsBrightenFromLightLevelAtTheRimTowardTheCentre) {
  form.tree.SetLightLevel(100);
  form.tree.DrawBaubles();
  for (int k = 0; k < 9; ++k) {
    const double step = 0.9 + 0.04 * k;
    const double radius = (250 - 15 * k) * S();
    const double x = (Left(k) + Span(k) / 2) * S();
    const double y = BaseY(k) * S();
    const int run = probe.PaintedRun(x, y, 1, 0);
    const Color rim = probe.At(x + (run - 1) * probe.Tpp(), y);
    EXPECT_GE(rim.Red(), 100) << k;
    EXPECT_LE(rim.Red(), 100 + step * probe.Tpp() + 1) << k;
    // One pixel from the centre the last circle had a radius of about one or two pixels.
    const double nearCentre = 100 + step * (radius - 1.5 * probe.Tpp());
    EXPECT_NEAR(probe.At(x + probe.Tpp(), y).Blue(), 0.2 * nearCentre, 0.2 * step * probe.Tpp() + 1)
        << k;
  }
  // Every tier restarts at LightLevel; the top tier's loop leaves the brightness here.
  EXPECT_NEAR(form.paint.Intensity, 100 + (0.9 + 0.04 * 8) * std::floor(130 * S()), 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Screens, BaublesTest, ::testing::Values(15.0, 12.0), [](const auto& test) {
  return std::to_string(static_cast<int>(test.param)) + "TwipsPerPixel";
});

// --- the "Tree" command ---

TEST_F(TreeTest, TreeCommandPaintsGroundTiersBallsAndStarsInThatOrder) {
  form.Command8_Click();
  EXPECT_EQ(form.Picture1.DrawWidth, 2);

  testing::CardFixture inOrder;
  inOrder.app.SetPacing(0);
  Form1& other = inOrder.form;
  other.tree.DrawGround();
  other.tree.DrawTreeTiers();
  other.tree.DrawBaubles();
  other.treeStars.DrawOrnamentStars();
  other.treeStars.DrawTopStarSparkles();
  other.treeStars.DrawTopStar();
  EXPECT_EQ(form.Picture1.Image(), other.Picture1.Image());

  // The order shows: the tiers' base band covers the ground's top rows.
  other.tree.DrawGround();
  EXPECT_NE(form.Picture1.Image(), other.Picture1.Image());
}

}  // namespace
}  // namespace frost
