#include <gtest/gtest.h>

#include <functional>

#include "scene_probe.h"

namespace frost {
namespace {

// What the next tree-light tick will draw from the generator, in its order of drawing.
struct TickDraw {
  int interval;
  double pattern;
  double brightLevel;  // used when the lights leave their resting level
};

TickDraw PeekTick(const Random& random) {
  Random peek = random;
  TickDraw draw{};
  draw.interval = static_cast<int>(Int(991 * peek.Rnd() + 10));
  draw.pattern = Int(10 * peek.Rnd() + 1);
  draw.brightLevel = Int(peek.Rnd() * 46 + 155);
  return draw;
}

// A marker colour no shaded painter produces (blue above 0.2 x red).
constexpr Color kMarker = RGB(0, 0, 255);

class TreeAnimationTest : public ::testing::Test {
 protected:
  TreeAnimationTest() {
    card.app.SetPacing(0);
    form.Command8_Click();
  }

  // Seeds the generator so that the next tick draws what `wanted` accepts.
  TickDraw SeedFor(const std::function<bool(const TickDraw&)>& wanted) {
    for (std::uint64_t seed = 1;; ++seed) {
      card.random.Seed(seed);
      const TickDraw draw = PeekTick(card.random);
      if (wanted(draw))
        return draw;
    }
  }

  // Marks one spot of each part of the tree; a repaint of that part covers its mark.
  void MarkTree() {
    for (const auto& [x, y] : {kGround, kTierFill, kBall, kOrnamentStar, kTopStar}) {
      form.Picture1.PSet(x, y, kMarker);
    }
  }
  bool Repainted(std::pair<double, double> spot) const {
    return form.Picture1.Point(spot.first, spot.second) != kMarker;
  }

  static constexpr std::pair<double, double> kGround{1000, 8200};
  static constexpr std::pair<double, double> kTierFill{3200, 7640};  // between star and ball
  static constexpr std::pair<double, double> kBall{1350, 7700};      // bottom left ball
  static constexpr std::pair<double, double> kOrnamentStar{2600, 7700};
  static constexpr std::pair<double, double> kTopStar{3875, 1454};

  testing::CardFixture card;
  Form1& form = card.form;
};

TEST_F(TreeAnimationTest, SamePatternTwiceChangesOnlyTheInterval) {
  const TickDraw first = SeedFor([](const TickDraw& d) { return d.pattern != 3; });
  form.TimerAnimTree_Timer();
  const TickDraw draw = SeedFor([&](const TickDraw& d) {
    return d.pattern == first.pattern && d.interval != first.interval;
  });
  MarkTree();
  const Bitmap before = form.Picture1.Image();
  form.TimerAnimTree_Timer();
  EXPECT_EQ(form.TimerAnimTree.Interval(), draw.interval);
  EXPECT_EQ(form.tree.LightLevel(), first.brightLevel);
  EXPECT_EQ(form.Picture1.Image(), before);
}

TEST_F(TreeAnimationTest, EachTickAlternatesRestingAndBrightLights) {
  const TickDraw draw = SeedFor([](const TickDraw& d) { return d.pattern != 3; });
  form.TimerAnimTree_Timer();
  EXPECT_EQ(form.tree.LightLevel(), draw.brightLevel);
  EXPECT_GE(form.tree.LightLevel(), 155);
  EXPECT_LE(form.tree.LightLevel(), 200);
  EXPECT_FALSE(form.paint.DoEventsOn);

  form.paint.DoEventsOn = true;
  SeedFor([&](const TickDraw& d) { return d.pattern != draw.pattern; });
  form.TimerAnimTree_Timer();
  EXPECT_EQ(form.tree.LightLevel(), form.tree.LightBaseLevel());
  EXPECT_FALSE(form.paint.DoEventsOn);
}

struct PatternCase {
  double pattern;
  bool balls;
  bool ornamentStars;
};

class LightPatternTest : public TreeAnimationTest,
                         public ::testing::WithParamInterface<PatternCase> {};

TEST_P(LightPatternTest, RepaintsItsLightsAndAlwaysTheTopStar) {
  const PatternCase wanted = GetParam();
  SeedFor([&](const TickDraw& d) { return d.pattern == wanted.pattern && d.brightLevel < 190; });
  MarkTree();
  form.TimerAnimTree_Timer();
  EXPECT_EQ(Repainted(kBall), wanted.balls);
  EXPECT_EQ(Repainted(kOrnamentStar), wanted.ornamentStars);
  EXPECT_TRUE(Repainted(kTopStar));
  EXPECT_FALSE(Repainted(kGround));
  EXPECT_FALSE(Repainted(kTierFill));
}

INSTANTIATE_TEST_SUITE_P(Patterns, LightPatternTest,
                         ::testing::Values(PatternCase{1, false, true}, PatternCase{6, false, true},
                                           PatternCase{2, true, false}, PatternCase{8, true, false},
                                           PatternCase{3, true, true}, PatternCase{4, true, true},
                                           PatternCase{5, true, true}, PatternCase{7, true, true},
                                           PatternCase{9, true, true}, PatternCase{10, true, true}),
                         [](const auto& test) {
                           return "Pattern" + std::to_string(int(test.param.pattern));
                         });

TEST_F(TreeAnimationTest, PatternThreeTurnsYieldingOnOnlyWhenTheLightsBrighten) {
  SeedFor([](const TickDraw& d) { return d.pattern == 3; });
  form.TimerAnimTree_Timer();
  EXPECT_TRUE(form.paint.DoEventsOn);

  const TickDraw rest = SeedFor([](const TickDraw& d) { return d.pattern != 3; });
  form.TimerAnimTree_Timer();
  EXPECT_FALSE(form.paint.DoEventsOn);
  SeedFor([&](const TickDraw& d) { return d.pattern != 3 && d.pattern != rest.pattern; });
  form.TimerAnimTree_Timer();  // bright again, but not by pattern 3
  EXPECT_NE(form.tree.LightLevel(), form.tree.LightBaseLevel());
  EXPECT_FALSE(form.paint.DoEventsOn);

  SeedFor([](const TickDraw& d) { return d.pattern == 3; });
  form.TimerAnimTree_Timer();  // restores the resting level
  EXPECT_EQ(form.tree.LightLevel(), form.tree.LightBaseLevel());
  EXPECT_FALSE(form.paint.DoEventsOn);
}

TEST_F(TreeAnimationTest, AboveOneNinetyTheWholeTreeFlashesWithABrighterFill) {
  SeedFor([](const TickDraw& d) { return d.pattern != 3 && d.brightLevel > 190; });
  MarkTree();
  form.TimerAnimTree_Timer();
  EXPECT_EQ(form.tree.TierFillLevel(), 180);
  EXPECT_TRUE(Repainted(kGround));
  EXPECT_EQ(form.Picture1.Point(kTierFill.first, kTierFill.second),
            form.paint.ShadedColorAt(180 + 0.2 * 9));
}

TEST_F(TreeAnimationTest, ExactlyOneNinetyRepaintsNoTier) {
  SeedFor([](const TickDraw& d) { return d.pattern != 3 && d.brightLevel == 190; });
  MarkTree();
  form.TimerAnimTree_Timer();
  EXPECT_EQ(form.tree.LightLevel(), 190);
  EXPECT_EQ(form.tree.TierFillLevel(), 140);
  EXPECT_FALSE(Repainted(kGround));
  EXPECT_FALSE(Repainted(kTierFill));
}

TEST_F(TreeAnimationTest, PatternThreeNeverFlashes) {
  SeedFor([](const TickDraw& d) { return d.pattern == 3 && d.brightLevel > 190; });
  MarkTree();
  form.TimerAnimTree_Timer();
  EXPECT_EQ(form.tree.TierFillLevel(), 140);
  EXPECT_FALSE(Repainted(kGround));
}

TEST_F(TreeAnimationTest, TheNextTickBelowOneNinetyRestoresTheNormalFill) {
  form.tree.SetLightLevel(195);
  form.tree.SetTierFillLevel(180);
  SeedFor([](const TickDraw& d) { return d.pattern != 3; });
  MarkTree();
  form.TimerAnimTree_Timer();
  EXPECT_EQ(form.tree.LightLevel(), form.tree.LightBaseLevel());
  EXPECT_EQ(form.tree.TierFillLevel(), 140);
  EXPECT_TRUE(Repainted(kGround));
  EXPECT_EQ(form.Picture1.Point(kTierFill.first, kTierFill.second),
            form.paint.ShadedColorAt(140 + 0.2 * 9));
}

TEST_F(TreeAnimationTest, WhileFireworksRunNoTickRepaintsTheTiers) {
  form.TimerFireworks.SetEnabled(true);
  const TickDraw bright =
      SeedFor([](const TickDraw& d) { return d.pattern != 3 && d.brightLevel > 190; });
  MarkTree();
  form.TimerAnimTree_Timer();
  EXPECT_EQ(form.tree.TierFillLevel(), 140);
  EXPECT_FALSE(Repainted(kGround));

  form.tree.SetTierFillLevel(180);  // and no restore either
  SeedFor([&](const TickDraw& d) { return d.pattern != 3 && d.pattern != bright.pattern; });
  form.TimerAnimTree_Timer();
  EXPECT_EQ(form.tree.LightLevel(), form.tree.LightBaseLevel());
  EXPECT_EQ(form.tree.TierFillLevel(), 180);
  EXPECT_FALSE(Repainted(kTierFill));
}

// --- the special ramps ---

TEST_F(TreeAnimationTest, SpecialRampStepsTheLightsBy10From120To200) {
  std::vector<double> levels;
  for (int tick = 0; tick < 10; ++tick) {
    levels.push_back(form.tree.LightLevel());
    form.TimerSpeclAnimTree_Timer();
  }
  EXPECT_EQ(levels, (std::vector<double>{120, 130, 140, 150, 160, 170, 180, 190, 200, 120}));
  form.tree.SetLightLevel(195);
  MarkTree();
  form.TimerSpeclAnimTree_Timer();
  EXPECT_EQ(form.tree.LightLevel(), 120);
  EXPECT_TRUE(Repainted(kBall));
  EXPECT_TRUE(Repainted(kOrnamentStar));
  EXPECT_TRUE(Repainted(kTopStar));
  EXPECT_FALSE(Repainted(kTierFill));
}

TEST_F(TreeAnimationTest, WholeTreeRampCarriesTheLightsIntoTheFillUpTo220) {
  form.tree.SetLightLevel(210);
  MarkTree();
  form.Timer1SpeclAnimTree_Timer();
  EXPECT_EQ(form.tree.TierFillLevel(), 210);
  EXPECT_EQ(form.tree.LightLevel(), 220);
  EXPECT_TRUE(Repainted(kTierFill));
  EXPECT_TRUE(Repainted(kBall));
  EXPECT_FALSE(Repainted(kGround));
  form.Timer1SpeclAnimTree_Timer();
  EXPECT_EQ(form.tree.LightLevel(), 120);
}

TEST_F(TreeAnimationTest, SpecAnimButtonsSwitchTheRampTimers) {
  form.TimerAnimTree.SetEnabled(true);
  form.Command11_Click();
  EXPECT_FALSE(form.TimerAnimTree.Enabled());
  EXPECT_TRUE(form.TimerSpeclAnimTree.Enabled());
  form.TimerAnimTree.SetEnabled(true);
  form.Command11_Click();
  EXPECT_FALSE(form.TimerSpeclAnimTree.Enabled());
  EXPECT_TRUE(form.TimerAnimTree.Enabled());

  form.Command16_Click();
  EXPECT_TRUE(form.Timer1SpeclAnimTree.Enabled());
  form.Command16_Click();
  EXPECT_FALSE(form.Timer1SpeclAnimTree.Enabled());
}

}  // namespace
}  // namespace frost
