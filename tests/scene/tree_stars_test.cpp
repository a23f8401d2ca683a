#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "scene_probe.h"

namespace frost {
namespace {

class TreeStarsTest : public ::testing::Test {
 protected:
  TreeStarsTest() { card.app.SetPacing(0); }

  // The first pixel row above (x, y) that is not painted, as the y of the last painted one.
  double TopOfPaintedColumn(double x, double y) const {
    return y - (probe.PaintedRun(x, y, 0, -1) - 1) * probe.Tpp();
  }

  testing::CardFixture card;
  Form1& form = card.form;
  testing::SceneProbe probe{form};
};

TEST_F(TreeStarsTest, TwoOrnamentStarsPerTierOnItsBaseLineSymmetricAboutTheAxis) {
  form.treeStars.DrawOrnamentStars();
  for (int k = 0; k < 9; ++k) {
    const double span = 5700 - 500 * k;
    const double centreY = std::nearbyint(7700 - 2000.0 / 3 * k);
    const double radius = 350 - 35 * k;
    const int outlines = (radius - 10) / 2 + 1;  // 171 on the bottom tier, 31 on the top one
    const double brightest = form.tree.LightLevel() + 3 * (1500 / span) * (outlines - 1);
    for (const double side : {-1.0, 1.0}) {
      const double centreX = 3850 + side * (1250 - 125 * k);
      SCOPED_TRACE(::testing::Message() << "tier " << k << " side " << side);
      EXPECT_NEAR(probe.At(centreX, centreY).Green(), 0.75 * brightest,
                  0.75 * 4 * 3 * (1500 / span) + 1);
      // The first outer point of every outline is straight above the centre (the 2-pixel pen
      // reaches a pixel above it).
      EXPECT_NEAR(TopOfPaintedColumn(centreX, centreY), centreY - radius, 30);
    }
  }
  // Each star restarts at LightLevel: the last one, on the top tier, leaves this.
  EXPECT_NEAR(form.paint.Intensity, form.tree.LightLevel() + 31 * 3 * (1500.0 / 1700), 1e-6);
  EXPECT_EQ(form.Picture1.DrawWidth, 2);
}

TEST_F(TreeStarsTest, TopStarIsCentredOnTheRoundedCentreWithItsTopPointAt954) {
  card.FixTopStar();  // (3875, 1453.9)
  form.tree.SetLightLevel(60);
  form.Picture1.DrawWidth = 5;
  form.treeStars.DrawTopStar();
  EXPECT_NEAR(TopOfPaintedColumn(3875, 1454), 954, 30);
  // The rim at LightLevel (or the next outline 18 twips in), the centre 27 steps of 8 brighter.
  EXPECT_NEAR(probe.At(3875, 954).Red(), 60, 9);
  EXPECT_NEAR(probe.At(3875, 1454).Green(), 0.75 * (60 + 8 * 27), 0.75 * 8 * 3 + 1);
  EXPECT_NEAR(form.paint.Intensity, 60 + 8 * 28, 1e-9);
  EXPECT_EQ(form.Picture1.DrawWidth, 2);
}

TEST_F(TreeStarsTest, SparklesAreTenRaysThirtySixDegreesApartOneStraightUp) {
  card.FixTopStar();
  form.tree.SetLightLevel(60);
  form.treeStars.DrawTopStarSparkles();
  auto at = [&](double degrees, double distance) {
    const double a = degrees * std::numbers::pi / 180;
    return std::pair{3875 + std::cos(a) * distance, 1454 + std::sin(a) * distance};
  };
  for (int ray = 0; ray < 10; ++ray) {
    const double angle = -54 + 36 * ray;  // the last one, 270 degrees, points straight up
    SCOPED_TRACE(angle);
    for (const double distance : {100.0, 400.0, 700.0}) {
      const auto [x, y] = at(angle, distance);
      ASSERT_TRUE(probe.Painted(x, y)) << distance;
      // Ring R sits at R / 2.5 and is 2 brighter than the one before it.
      const double ring = (distance * 2.5 - 10) / 20;
      EXPECT_NEAR(probe.At(x, y).Red(), 60 + 2 * ring, 12) << distance;
    }
    for (const double distance : {400.0, 700.0}) {
      const auto [x, y] = at(angle + 18, distance);
      EXPECT_FALSE(probe.Painted(x, y)) << "between rays at " << distance;
    }
    const auto [x, y] = at(angle, 760);
    EXPECT_FALSE(probe.Painted(x, y)) << "beyond the last ring";
  }
  EXPECT_NEAR(form.paint.Intensity, 60 + 2 * 89, 1e-9);
  EXPECT_EQ(form.Picture1.DrawWidth, 1);
}

TEST_F(TreeStarsTest, SparklesSkipWhatFailsWhileTheTopStarStops) {
  // A surface so wide that the centre's x is too far for a 16-bit coordinate.
  form.Picture1.SetWidth(70000);
  card.FixTopStar();
  EXPECT_NO_THROW(form.treeStars.DrawTopStarSparkles());
  // The centre's x stayed 0: the rays were drawn round the left edge.
  const double a = -18 * std::numbers::pi / 180;
  EXPECT_TRUE(probe.Painted(std::cos(a) * 400, 1454 + std::sin(a) * 400));
  EXPECT_THROW(form.treeStars.DrawTopStar(), RuntimeError);
}

}  // namespace
}  // namespace frost
