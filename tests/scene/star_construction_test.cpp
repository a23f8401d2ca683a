#include "scene/star_construction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "toolkit/errors.h"
#include "toolkit/numeric.h"

namespace frost {
namespace {

double AngleDegrees(StarPoint p, double cx, double cy) {
  return std::atan2(p.y - cy, p.x - cx) * 180 / std::numbers::pi;
}

TEST(StarConstructionTest, FirstOuterPointIsStraightAboveTheCentre) {
  for (const double radius : {10.0, 350.0, 500.0, 4000.0}) {
    const StarPoints star = ConstructStar(3850, 7700, radius);
    EXPECT_EQ(star.outer[0], (StarPoint{3850, static_cast<int>(7700 - radius)})) << radius;
  }
}

TEST(StarConstructionTest, TopStarOfTheDesignScreenHasItsTopPointAt954) {
  const StarPoints star = ConstructStar(CInt(3720), CInt(1453.87), 500);
  EXPECT_EQ(star.outer[0], (StarPoint{3720, 954}));
}

TEST(StarConstructionTest, PointsLieAt144DegreeStepsOnTwoRadii) {
  const double cx = 4000, cy = 4000, radius = 4000;
  const StarPoints star = ConstructStar(cx, cy, radius);
  const double outerAngles[] = {-90, 54, 198 - 360, 342 - 360, 126};
  const double innerAngles[] = {-54, 90, 234 - 360, 18, 162};
  for (int i = 0; i < kStarPointCount; ++i) {
    EXPECT_NEAR(AngleDegrees(star.outer[i], cx, cy), outerAngles[i], 0.02) << i;
    EXPECT_NEAR(AngleDegrees(star.inner[i], cx, cy), innerAngles[i], 0.05) << i;
    EXPECT_NEAR(std::hypot(star.outer[i].x - cx, star.outer[i].y - cy), radius, 0.75) << i;
    EXPECT_NEAR(std::hypot(star.inner[i].x - cx, star.inner[i].y - cy), radius * 2 / 5, 0.75) << i;
  }
}

TEST(StarConstructionTest, CoordinatesRoundHalfToEven) {
  // With no radius every point is the centre itself, rounded.
  EXPECT_EQ(OuterStarPoint(2.5, 3.5, 0, kStarOuterStart), (StarPoint{2, 4}));
  EXPECT_EQ(InnerStarPoint(-0.5, 1.5, 0, kStarInnerStart), (StarPoint{0, 2}));
}

TEST(StarConstructionTest, FarOffCentresOverflow) {
  EXPECT_THROW(ConstructStar(40000, 0, 10), RuntimeError);
}

TEST(StarConstructionTest, AfterPairRunsOncePerPointPair) {
  int calls = 0;
  ConstructStar(0, 0, 100, [&] { ++calls; });
  EXPECT_EQ(calls, kStarPointCount);
}

TEST(StarOutlinePathTest, WalksRoundTheStarAlternatingTipsAndInnerCornersAndCloses) {
  const double cx = 4000, cy = 4000;
  const StarPoints star = ConstructStar(cx, cy, 4000);
  const auto path = StarOutlinePath(star);
  EXPECT_EQ(path[0], star.outer[0]);
  EXPECT_EQ(path[1], star.inner[0]);
  EXPECT_EQ(path[2], star.outer[3]);
  EXPECT_EQ(path[9], star.inner[2]);
  EXPECT_EQ(path.back(), star.outer[0]);
  // Consecutive corners are 36 degrees apart, all turning the same way.
  for (std::size_t i = 1; i < path.size(); ++i) {
    const double turn =
        std::remainder(AngleDegrees(path[i], cx, cy) - AngleDegrees(path[i - 1], cx, cy), 360.0);
    EXPECT_NEAR(turn, 36, 0.1) << i;
  }
}

}  // namespace
}  // namespace frost
