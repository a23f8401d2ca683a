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
  void (Form1::*painter)();
  int yields;  // at 15 twips per pixel, with yielding on
};

class PainterYieldsTest : public PaintingPaceTest,
                          public ::testing::WithParamInterface<PainterYields> {};

TEST_P(PainterYieldsTest, YieldsOncePerStrokeOnlyWhileAllowed) {
  const PainterYields painter = GetParam();
  form.TopStarX = 3875;
  form.TopStarY = 1454;
  card.app.SetPacing(0.001);  // each yield then shows as a millisecond of show time
  form.DoEventsOn = false;
  const auto paint = [painter](Form1& card) { (card.*painter.painter)(); };
  EXPECT_EQ(Elapsed(paint), 0);
  form.DoEventsOn = true;
  EXPECT_NEAR(Elapsed(paint) / 0.001, painter.yields, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Painters, PainterYieldsTest,
    ::testing::Values(PainterYields{"Background", &Form1::DrawBackground, 4001},
                      PainterYields{"Frame", &Form1::DrawFrame, 6},
                      PainterYields{"Ground", &Form1::DrawGround, 701},
                      PainterYields{"TreeTiers", &Form1::DrawTreeTiers, 9 * 81},
                      PainterYields{"Baubles", &Form1::DrawBaubles, 1710},
                      // 1814 outlines, each after its five point pairs and itself
                      PainterYields{"OrnamentStars", &Form1::DrawOrnamentStars, 1814 * 6},
                      PainterYields{"TopStar", &Form1::DrawTopStar, 28 * 6},
                      PainterYields{"TopStarSparkles", &Form1::DrawTopStarSparkles, 890}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PaintingPaceTest, BackdropFillsInOverOneToTwoSeconds) {
  form.DoEventsOn = true;
  form.Sequencer().Start(Phase::DrawBack);
  const double seconds = Elapsed([](Form1& card) {
    card.DrawBackground();
    card.DrawFrame();
  });
  EXPECT_GE(seconds, 1);
  EXPECT_LE(seconds, 2);
}

TEST_F(PaintingPaceTest, TreeGrowsOverTwoToFiveSeconds) {
  form.DoEventsOn = true;
  const double seconds = Elapsed([](Form1& card) { card.Command8_Click(); });
  EXPECT_GE(seconds, 2);
  EXPECT_LE(seconds, 5);
}

TEST_F(PaintingPaceTest, TheTreeLightTickYieldsThriceEvenWithYieldingOff) {
  card.app.SetPacing(0.001);
  form.LightLevel = 170;  // bright: the tick rests the lights and switches yielding off
  form.LastLightPattern = 0;
  EXPECT_NEAR(Elapsed([](Form1& card) { card.TimerAnimTree_Timer(); }) / 0.001, 3, 0.01);
}

}  // namespace
}  // namespace frost
