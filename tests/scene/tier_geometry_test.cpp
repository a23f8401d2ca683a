#include "scene/tier_geometry.h"

#include <gtest/gtest.h>

#include <vector>

#include "scene/for_step.h"

namespace frost {
namespace {

std::vector<double> Values(double from, double to, double step) {
  std::vector<double> values;
  ForStep(from, to, step, [&](double v) { values.push_back(v); });
  return values;
}

std::vector<Tier> Tiers(double sx, double sy) {
  std::vector<Tier> tiers;
  ForEachTier(sx, sy, [&](const Tier& tier) { tiers.push_back(tier); });
  return tiers;
}

TEST(ForStepTest, IncludesBothBoundsWhenTheStepMeetsThem) {
  EXPECT_EQ(Values(0, 4000, 1).size(), 4001u);                                     // the backdrop
  EXPECT_EQ(Values(0, 200, 40), (std::vector<double>{0, 40, 80, 120, 160, 200}));  // the frame
  EXPECT_EQ(Values(350, 10, -2).size(), 171u);  // the bottom tier's ornament stars
  EXPECT_EQ(Values(70, 10, -2).size(), 31u);    // the top tier's
  EXPECT_EQ(Values(10, 1780, 20).size(), 89u);  // the sparkle rings
}

TEST(ForStepTest, StopsAtTheLastValueNotPastTheEnd) {
  const auto topStar = Values(500, 10, -18);
  ASSERT_EQ(topStar.size(), 28u);
  EXPECT_EQ(topStar.back(), 14);
  EXPECT_TRUE(Values(5, 4, 1).empty());
  EXPECT_TRUE(Values(4, 5, -1).empty());
}

TEST(ForStepTest, FractionalStepsAccumulateAsTheCardCountsThem) {
  EXPECT_EQ(Values(7640, 4120, -1.3).size(), 2708u);  // bottom tier fill
  const auto topFill =
      Values(1700 + 2000 - 8 * 500.0 / 3 - 60, 2 * (2000 - 8 * 500.0 / 3 + 60), -1.3);
  EXPECT_EQ(topFill.size(), 657u);
  EXPECT_NEAR(topFill.back(), 1453.9, 0.05);
}

TEST(ForStepTest, ScaledBoundsOnATwelveTwipsScreen) {
  const double sx = 12 / 15.0;
  EXPECT_EQ(Values(0, 4000 * sx, 1).size(), 3201u);
  EXPECT_EQ(Values(0, 200 * sx, 40), (std::vector<double>{0, 40, 80, 120, 160}));
  EXPECT_EQ(Values(250 * sx, 1, -1).size(), 200u);
}

TEST(TierGeometryTest, NineTiersOfTheDesignScreenMatchTheTierTable) {
  struct Row {
    double span, left, baseY, apexY, rightX;
  };
  const Row table[] = {{5700, 1000, 7700, 4000, 6700},     {5200, 1250, 7033.3, 3666.7, 6450},
                       {4700, 1500, 6366.7, 3333.3, 6200}, {4200, 1750, 5700, 3000, 5950},
                       {3700, 2000, 5033.3, 2666.7, 5700}, {3200, 2250, 4366.7, 2333.3, 5450},
                       {2700, 2500, 3700, 2000, 5200},     {2200, 2750, 3033.3, 1666.7, 4950},
                       {1700, 3000, 2366.7, 1333.3, 4700}};
  const auto tiers = Tiers(1, 1);
  ASSERT_EQ(tiers.size(), 9u);
  for (int k = 0; k < 9; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(tiers[k].index, k);
    EXPECT_DOUBLE_EQ(tiers[k].span, table[k].span);
    EXPECT_DOUBLE_EQ(tiers[k].left, table[k].left);
    EXPECT_NEAR(tiers[k].BaseY(), table[k].baseY, 0.05);
    EXPECT_NEAR(tiers[k].ApexY(), table[k].apexY, 0.05);
    EXPECT_DOUBLE_EQ(tiers[k].RightX(), table[k].rightX);
    EXPECT_DOUBLE_EQ(tiers[k].ApexX(), 3850);
  }
}

TEST(TierGeometryTest, ScalesWithTheScreenAndKeepsNineTiers) {
  const auto tiers = Tiers(0.8, 0.8);
  ASSERT_EQ(tiers.size(), 9u);
  EXPECT_NEAR(tiers[0].BaseY(), 0.8 * 7700, 1e-9);
  EXPECT_NEAR(tiers[8].ApexY(), 0.8 * 1333.333, 0.01);
  for (const Tier& tier : tiers) EXPECT_NEAR(tier.ApexX(), 0.8 * 3850, 1e-9);
}

TEST(TierGeometryTest, VerticalOffsetStartsWithSyButShrinksWithSx) {
  const auto tiers = Tiers(1, 0.8);
  EXPECT_DOUBLE_EQ(tiers[0].offset, 1600);
  EXPECT_NEAR(tiers[3].offset, 1600 - 3 * 500.0 / 3, 1e-9);
  EXPECT_NEAR(tiers[8].ApexY(), 2 * (1600 - 8 * 500.0 / 3), 1e-9);
}

}  // namespace
}  // namespace frost
