// The frame of nested rectangles and the glowing lights around the greetings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effects_probe.h"

namespace frost {
namespace {

using testing::CardFixture;
using testing::ToPixel;

// Columns of the pixel row at mid-height from `from` to `to` as a bit string: 1 where painted.
std::string RowBits(const Form1& form, int from, int to) {
  const Bitmap& image = form.Picture1.Image();
  const int y = image.Height() / 2;
  std::string bits;
  for (int x = from; x <= to; ++x) bits += image.At(x, y) == testing::kPlain ? '0' : '1';
  return bits;
}

// The bit string the frame's rectangles leave on that row: one column per inset.
std::string FrameBits(const std::vector<double>& insets, double tpp, int from, int to) {
  std::string bits(to - from + 1, '0');
  for (const double inset : insets) bits[ToPixel(inset, tpp) - from] = '1';
  return bits;
}

class FrameLightsTest : public ::testing::Test {
 protected:
  explicit FrameLightsTest(double twipsPerPixel = 15) : card(twipsPerPixel) {
    testing::PaintPlain(form, testing::kPlain);
  }
  double Tpp() const { return card.app.TwipsPerPixelX(); }
  bool Painted(double x, double y) const {
    return form.Picture1.Image().At(ToPixel(x, Tpp()), ToPixel(y, Tpp())) != testing::kPlain;
  }

  CardFixture card;
  Form1& form = card.form;
};

class FrameLightsAt12Test : public FrameLightsTest {
 protected:
  FrameLightsAt12Test() : FrameLightsTest(12) {}
};

TEST_F(FrameLightsTest, SixRectanglesFrom1000To1200TwipsIn) {
  form.TimerGreetingsAnim_Timer();
  EXPECT_EQ(RowBits(form, 60, 90), FrameBits({1000, 1040, 1080, 1120, 1160, 1200}, 15, 60, 90));
  // The right edges mirror them.
  const int right = ToPixel(form.Picture1.Width() - 1000, 15);
  EXPECT_EQ(RowBits(form, right - 20, right),
            FrameBits({form.Picture1.Width() - 1200, form.Picture1.Width() - 1160,
                       form.Picture1.Width() - 1120, form.Picture1.Width() - 1080,
                       form.Picture1.Width() - 1040, form.Picture1.Width() - 1000},
                      15, right - 20, right));
}

TEST_F(FrameLightsTest, InnerRectanglesAreBrighter) {
  form.TimerGreetingsAnim_Timer();
  const Bitmap& image = form.Picture1.Image();
  const int y = image.Height() / 2;
  const Color outer = image.At(ToPixel(1000, 15), y);
  const Color inner = image.At(ToPixel(1200, 15), y);
  EXPECT_GE(outer.Red(), 130);
  EXPECT_LE(outer.Red(), 200);
  // Five steps of 0.7 brighter, rounded.
  EXPECT_GE(inner.Red() - outer.Red(), 3);
  EXPECT_LE(inner.Red() - outer.Red(), 4);
}

TEST_F(FrameLightsAt12Test, FiveRectanglesFrom800To960TwipsInAt12TwipsPerPixel) {
  form.TimerGreetingsAnim_Timer();
  EXPECT_EQ(RowBits(form, 60, 90), FrameBits({800, 840, 880, 920, 960}, 12, 60, 90));
}

TEST_F(FrameLightsTest, SevenLightPairsDownBothMargins) {
  ASSERT_DOUBLE_EQ(form.Picture1.Height(), 9120);
  form.TimerGreetingsAnim_Timer();
  const double leftX = 1000 - 370;
  const double rightX = form.Picture1.Width() - 1000 + 370;
  const double step = 9120 / 8.0;
  for (int pair = 0; pair < 7; ++pair) {
    const double y = 1000 + pair * step;
    SCOPED_TRACE(pair);
    EXPECT_TRUE(Painted(leftX, y));
    EXPECT_TRUE(Painted(rightX, y));
    EXPECT_EQ(form.Picture1.Point(leftX, y), form.Picture1.Point(rightX, y));
    EXPECT_TRUE(Painted(leftX + 180, y));
    EXPECT_FALSE(Painted(leftX + 230, y));  // radius 200
    EXPECT_FALSE(Painted(leftX, y + step / 2));
  }
  EXPECT_FALSE(Painted(leftX, 1000 + 7 * step));
}

TEST_F(FrameLightsTest, LightsBrightenFromARandomRimToASaturatedCore) {
  form.TimerGreetingsAnim_Timer();
  for (int pair = 0; pair < 7; ++pair) {
    const double y = 1000 + pair * 9120 / 8.0;
    const Color rim = form.Picture1.Point(630 - 195, y);
    const Color core = form.Picture1.Point(630, y);
    SCOPED_TRACE(pair);
    EXPECT_GE(rim.Red(), 130);
    EXPECT_LE(rim.Red(), 220);
    EXPECT_EQ(core.Red(), 255);
    EXPECT_GT(core.Green(), rim.Green());
  }
}

TEST_F(FrameLightsTest, LightsYieldAfterEveryCirclePairAndTheFrameOnlyWhenAllowed) {
  form.paint.DoEventsOn = false;
  {
    testing::YieldCounter yields(card.app);
    form.TimerGreetingsAnim_Timer();
    EXPECT_EQ(yields.Count(), 7 * 200 + 1);
  }
  form.paint.DoEventsOn = true;
  testing::YieldCounter yields(card.app);
  form.TimerGreetingsAnim_Timer();
  EXPECT_EQ(yields.Count(), 6 + 7 * 200 + 1);
}

TEST_F(FrameLightsAt12Test, LightsShrinkAndMoveInAt12TwipsPerPixel) {
  testing::YieldCounter yields(card.app);
  form.TimerGreetingsAnim_Timer();
  // Seven pairs of 160 circles: the height 7296 gives steps of 912 from 800 to 6272.
  EXPECT_EQ(yields.Count(), 7 * 160 + 1);
  EXPECT_TRUE(Painted(504, 800));
  EXPECT_TRUE(Painted(504 - 150, 800));
  EXPECT_FALSE(Painted(504 - 180, 800));
}

TEST_F(FrameLightsTest, ShortSurfaceGetsTheFrameButNoLights) {
  form.Picture1.SetHeight(1900);
  testing::PaintPlain(form, testing::kPlain);
  testing::YieldCounter yields(card.app);
  form.TimerGreetingsAnim_Timer();
  EXPECT_EQ(yields.Count(), 1);
  EXPECT_FALSE(Painted(630, 1000));
  // The rectangles' corners have crossed: each one's top and bottom edges still show.
  EXPECT_TRUE(Painted(form.Picture1.Width() / 2, 1000));
}

TEST(FrameLightsMixedScaleTest, FrameDepthTakesSxAndEverythingElseSy) {
  testing::MixedScaleCard card;  // sx = 0.8, sy = 1
  Form1& form = card.form;
  form.TimerGreetingsAnim_Timer();
  // Inset 1000 x sy, depth 200 x sx: five rectangles from 1000 to 1160.
  EXPECT_EQ(RowBits(form, 75, 105), FrameBits({1000, 1040, 1080, 1120, 1160}, 12, 75, 105));
  // Lights 630 x sy in from the edge with radius 200 x sy.
  auto painted = [&](double x, double y) {
    return form.Picture1.Image().At(ToPixel(x, 12), ToPixel(y, 15)) != testing::kPlain;
  };
  EXPECT_TRUE(painted(630 - 180, 1000));
  EXPECT_FALSE(painted(630 - 230, 1000));
  EXPECT_TRUE(painted(630 + 180, 1000));
}

}  // namespace
}  // namespace frost
