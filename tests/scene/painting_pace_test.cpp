#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "scene_probe.h"

namespace frost {
namespace {

class PaintingPaceTest : public ::testing::Test {
 protected:
  double Elapsed(const std::function<void(Form1&)>& paint) {
    const double start = card.app.Now();
    paint(form);
    return card.app.Now() - start;
  }

  testing::CardFixture card;
  Form1& form = card.form;
};

struct PainterYields {
  const char* name;
  std::function<void(Form1&)> paint;
  int yields;  // at 15 twips per pixel, with yielding on
};

class PainterYieldsTest : public PaintingPaceTest,
                          public ::testing::WithParamInterface<PainterYields> {};

TEST_P(PainterYieldsTest, YieldsOncePerStrokeOnlyWhileAllowed) {
  const PainterYields painter = GetParam();
  card.FixTopStar();
  card.app.SetPacing(0.001);  // each yield then shows as a millisecond of show time
  form.paint.DoEventsOn = false;
  EXPECT_EQ(Elapsed(painter.paint), 0);
  form.paint.DoEventsOn = true;
  EXPECT_NEAR(Elapsed(painter.paint) / 0.001, painter.yields, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Painters, PainterYieldsTest,
    ::testing::Values(
        PainterYields{"Background", [](Form1& f) { f.backdrop.DrawBackground(); }, 4001},
        PainterYields{"Frame", [](Form1& f) { f.backdrop.DrawFrame(); }, 6},
        PainterYields{"Ground", [](Form1& f) { f.tree.DrawGround(); }, 701},
        PainterYields{"TreeTiers", [](Form1& f) { f.tree.DrawTreeTiers(); }, 9 * 81},
        PainterYields{"Baubles", [](Form1& f) { f.tree.DrawBaubles(); }, 1710},
        // 1814 outlines, each after its five point pairs and itself
        PainterYields{"OrnamentStars", [](Form1& f) { f.treeStars.DrawOrnamentStars(); }, 1814 * 6},
        PainterYields{"TopStar", [](Form1& f) { f.treeStars.DrawTopStar(); }, 28 * 6},
        PainterYields{"TopStarSparkles", [](Form1& f) { f.treeStars.DrawTopStarSparkles(); }, 890}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(PaintingPaceTest, BackdropFillsInOverOneToTwoSeconds) {
  form.paint.DoEventsOn = true;
  form.Sequencer().Start(Phase::DrawBack);
  const double seconds = Elapsed([](Form1& f) {
    f.backdrop.DrawBackground();
    f.backdrop.DrawFrame();
  });
  EXPECT_GE(seconds, 1);
  EXPECT_LE(seconds, 2);
}

TEST_F(PaintingPaceTest, TreeGrowsOverTwoToFiveSeconds) {
  form.paint.DoEventsOn = true;
  const double seconds = Elapsed([](Form1& f) { f.Command8_Click(); });
  EXPECT_GE(seconds, 2);
  EXPECT_LE(seconds, 5);
}

TEST_F(PaintingPaceTest, TheTreeLightTickYieldsThriceEvenWithYieldingOff) {
  card.app.SetPacing(0.001);
  form.tree.SetLightLevel(170);  // bright: the tick rests the lights and switches yielding off
  EXPECT_NEAR(Elapsed([](Form1& f) { f.TimerAnimTree_Timer(); }) / 0.001, 3, 0.01);
}

}  // namespace
}  // namespace frost
