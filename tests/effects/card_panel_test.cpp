// The card stage (glow, card drawing, card line) and the candle timer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "effects_probe.h"

namespace frost {
namespace {

using testing::CardFixture;
using testing::ToPixel;

constexpr const char* kCardLine = "Born to you this day a Savior who is Christ the Lord";

class CardPanelTest : public ::testing::Test {
 protected:
  explicit CardPanelTest(double twipsPerPixel = 15) : card(twipsPerPixel) {
    testing::PaintPlain(form, testing::kPlain);
    card.FixTopStar();
  }
  double Tpp() const { return card.app.TwipsPerPixelX(); }
  bool Painted(double x, double y) const {
    return form.Picture1.Image().At(ToPixel(x, Tpp()), ToPixel(y, Tpp())) != testing::kPlain;
  }
  // Whether the candle bodies were drawn: a spot near each foot, below every flame.
  bool LeftBodyPainted() const { return Painted(750, form.Picture1.Height() - 600); }
  bool RightBodyPainted() const {
    return Painted(form.Picture1.Width() - 750, form.Picture1.Height() - 600);
  }
  // The k that DrawCandles will draw first from the generator.
  int NextCandleDraw() const {
    Random predictor = card.random;
    return static_cast<int>(Int(5 * predictor.Rnd() + 1));
  }
  // How many pixels the painted part of row `y` spans within 20 pixels of x.
  int PaintedSpan(double x, double y) const {
    int first = 0, last = -1;
    for (int dx = -20; dx <= 20; ++dx) {
      if (!Painted(x + dx * Tpp(), y))
        continue;
      if (last < first)
        first = dx;
      last = dx;
    }
    return last - first + 1;
  }

  CardFixture card;
  Form1& form = card.form;
};

class CardPanelAt12Test : public CardPanelTest {
 protected:
  CardPanelAt12Test() : CardPanelTest(12) {}
};

TEST_F(CardPanelTest, DrawingIsAndedOntoTheGlowSoWhiteLetsItThrough) {
  form.Command6_Click();
  CardFixture glowOnly;
  testing::PaintPlain(glowOnly.form, testing::kPlain);
  glowOnly.form.cardPanel.DrawCardGlow();

  const Picture& drawing = form.Image1.GetPicture();
  ASSERT_EQ(drawing.Width(), 312);
  ASSERT_EQ(drawing.Height(), 402);
  const int left = ToPixel(form.Width() / 2 - form.Image1.Width() / 2, Tpp());
  const int top = ToPixel(form.Height() / 2 - form.Image1.Height() / 2, Tpp());
  const Bitmap& result = form.Picture1.Image();
  const Bitmap& glow = glowOnly.form.Picture1.Image();
  int white = 0;
  for (int y = 0; y < drawing.Height(); ++y) {
    for (int x = 0; x < drawing.Width(); ++x) {
      const Color source = drawing.At(x, y);
      const Color under = glow.At(left + x, top + y);
      white += source == RGB(255, 255, 255);
      ASSERT_EQ(result.At(left + x, top + y).value, under.value & source.value) << x << "," << y;
    }
  }
  EXPECT_GT(white, drawing.Width() * drawing.Height() / 2);
  // Beside the drawing and above the card line, only the glow.
  const int lineRow = ToPixel(form.Picture1.Height() - 1000, Tpp());
  for (int y = 0; y < lineRow; ++y) {
    for (int x = 0; x < result.Width(); ++x) {
      if (x >= left && x < left + drawing.Width() && y >= top && y < top + drawing.Height())
        continue;
      ASSERT_EQ(result.At(x, y), glow.At(x, y)) << x << "," << y;
    }
  }
}

TEST_F(CardPanelTest, GlowIsAnOvalTallerThanWideBrighteningInward) {
  form.cardPanel.DrawCardGlow();
  // At 15 twips per pixel the drawing is 6030 twips high: radius 3316.5, aspect 1.1.
  ASSERT_DOUBLE_EQ(form.Image1.Height(), 402 * 15);
  const double cx = form.Width() / 2;
  const double cy = 2300 + 6030 / 2.0;
  const double vertical = 6030 / 2.0 * 1.1;
  const double horizontal = vertical / 1.1;
  EXPECT_TRUE(Painted(cx, cy - vertical + 30));
  EXPECT_FALSE(Painted(cx, cy - vertical - 30));
  EXPECT_TRUE(Painted(cx, cy + vertical - 30));
  EXPECT_FALSE(Painted(cx, cy + vertical + 30));
  EXPECT_TRUE(Painted(cx - horizontal + 30, cy));
  EXPECT_FALSE(Painted(cx - horizontal - 30, cy));
  EXPECT_TRUE(Painted(cx + horizontal - 30, cy));
  EXPECT_FALSE(Painted(cx + horizontal + 30, cy));
  const Color rim = form.Picture1.Point(cx, cy - vertical + 10);
  EXPECT_GE(rim.Red(), 150);
  EXPECT_LE(rim.Red(), 160);
  // 3316 outlines 0.23 apart: the centre is far past saturation in red and green.
  const Color centre = form.Picture1.Point(cx, cy);
  EXPECT_EQ(centre.Red(), 255);
  EXPECT_EQ(centre.Green(), 255);
  EXPECT_NEAR(centre.Blue(), CInt(0.2 * (150 + 0.23 * 3315)), 1);
}

TEST_F(CardPanelTest, GlowYieldsPerOutlineOnlyWhenAllowed) {
  form.paint.DoEventsOn = true;
  testing::YieldCounter yields(card.app);
  form.cardPanel.DrawCardGlow();
  EXPECT_EQ(yields.Count(), 3316);  // radii 3316.5 down to 1.5
  form.paint.DoEventsOn = false;
  testing::YieldCounter none(card.app);
  form.cardPanel.DrawCardGlow();
  EXPECT_EQ(none.Count(), 0);
}

TEST_F(CardPanelAt12Test, GlowHas2653OutlinesAt12TwipsPerPixel) {
  form.paint.DoEventsOn = true;
  testing::YieldCounter yields(card.app);
  form.cardPanel.DrawCardGlow();
  EXPECT_EQ(yields.Count(), 2653);  // radius 402 x 12 / 2 x 1.1 = 2653.2
}

TEST_F(CardPanelTest, CardStageYieldsAtItsStartAfterTheDrawingAndForTheLabel) {
  form.paint.DoEventsOn = false;
  {
    testing::YieldCounter yields(card.app);
    form.Command6_Click();
    EXPECT_EQ(yields.Count(), 2);
  }
  form.paint.DoEventsOn = true;
  testing::YieldCounter yields(card.app);
  form.Command6_Click();
  EXPECT_EQ(yields.Count(), 1 + 3316 + 1 + 1);
}

TEST_F(CardPanelTest, CardLineIsPrintedInSixCopiesCentredOnTheSurface) {
  form.Command6_Click();
  EXPECT_DOUBLE_EQ(form.paint.Intensity, 75 + 6 * 30);
  EXPECT_EQ(form.Label1.Caption(), kCardLine);
  EXPECT_EQ(form.Picture1.Font, (FontSpec{"Arial", 11, true}));  // Int(11.5)
  EXPECT_EQ(form.Label1.Font().name, "Arial");
  EXPECT_EQ(form.Label1.Font().size, 11);

  // The top copy, at brightness 225, 6 x 5 twips right of and below the centred line's place.
  const double left = form.Picture1.Width() / 2 - form.Label1.Width() / 2;
  EXPECT_GT(testing::ExpectTopCopyAt(form, kCardLine, form.paint.ShadedColorAt(225), left + 30,
                                     form.Picture1.Height() - 1000 + 30),
            50);
}

TEST(CardPanelMixedScaleTest, LengthsTakeTheFactorTheCardGivesThem) {
  testing::MixedScaleCard card;  // sx = 0.8, sy = 1
  Form1& form = card.form;
  form.Command6_Click();
  // The card line's distance from the bottom takes the horizontal factor.
  EXPECT_GT(testing::ExpectTopCopyAt(form, kCardLine, form.paint.ShadedColorAt(225),
                                     form.Picture1.Width() / 2 - form.Label1.Width() / 2 + 30,
                                     9120 - 1000 * 0.8 + 30),
            3);  // 9 points: few pixels are covered wholly

  testing::PaintPlain(form, testing::kPlain);
  form.cardPanel.DrawCandles();
  // Axis and half-width across with sx; the foot up from the bottom with sy.
  auto painted = [&](double x, double y) {
    return form.Picture1.Image().At(ToPixel(x, 12), ToPixel(y, 15)) != testing::kPlain;
  };
  const double foot = 9120 - 500;
  EXPECT_TRUE(painted(600, foot - 100));
  EXPECT_TRUE(painted(600 - 260, foot - 100));
  EXPECT_FALSE(painted(600 - 300, foot - 100));
  EXPECT_FALSE(painted(600, foot + 150));

  // The glow's centre lies 2300 x sy plus half the drawing's height down.
  testing::PaintPlain(form, testing::kPlain);
  form.cardPanel.DrawCardGlow();
  const double glowTop = 2300 + form.Image1.Height() / 2 - form.Image1.Height() / 2 * 1.1;
  EXPECT_TRUE(painted(form.Width() / 2, glowTop + 30));
  EXPECT_FALSE(painted(form.Width() / 2, glowTop - 30));
}

TEST_F(CardPanelAt12Test, CardLineFontShrinksAt12TwipsPerPixel) {
  form.Command6_Click();
  EXPECT_EQ(form.Picture1.Font.size, 9);  // Int(0.8 x 11.5)
  EXPECT_EQ(form.Label1.Font().size, 9);
}

TEST_F(CardPanelTest, FirstTickAfterTheCardStageDrawsBothCandleBodies) {
  form.TimerCard_Timer();
  EXPECT_TRUE(LeftBodyPainted());
  EXPECT_TRUE(RightBodyPainted());

  // The card stage paints over the candles: the next candles come with their bodies, whatever
  // they draw from the generator.
  form.Command6_Click();
  testing::PaintPlain(form, testing::kPlain);
  while (NextCandleDraw() == 3) card.random.Rnd();
  form.cardPanel.DrawCandles();
  EXPECT_TRUE(LeftBodyPainted());
  EXPECT_TRUE(RightBodyPainted());
}

TEST_F(CardPanelTest, DrawnBodiesAreRedrawnTogetherOnlyWhenTheDrawIsThree) {
  form.cardPanel.DrawCandles();  // the bodies stand
  int redrawn = 0, kept = 0;
  for (int tick = 0; tick < 40; ++tick) {
    testing::PaintPlain(form, testing::kPlain);
    const int k = NextCandleDraw();
    form.cardPanel.DrawCandles();
    SCOPED_TRACE(tick);
    EXPECT_EQ(LeftBodyPainted(), k == 3);
    EXPECT_EQ(RightBodyPainted(), k == 3);
    (k == 3 ? redrawn : kept) += 1;
  }
  EXPECT_GT(redrawn, 0);
  EXPECT_GT(kept, 0);
}

TEST_F(CardPanelTest, BodiesBrightenFromFootToTop) {
  form.cardPanel.DrawCandles();
  const double foot = form.Picture1.Height() - 500;
  // On the axis each pixel shows the last ring whose flat top or bottom crosses it.
  const Color low = form.Picture1.Point(750, foot - 60);
  const Color high = form.Picture1.Point(750, foot - 1450);
  EXPECT_GE(low.Red(), 130);
  EXPECT_LE(low.Red(), 150);
  EXPECT_GE(high.Red(), 215);
  EXPECT_LE(high.Red(), CInt(130 + 0.7 * 161));
}

TEST_F(CardPanelTest, CandleLoopsYieldPerRingOnlyWhenAllowed) {
  form.paint.DoEventsOn = true;
  {
    testing::YieldCounter yields(card.app);
    form.cardPanel.DrawCandles();
    // 161 body steps (1600 / 10 + 1), 81 flame steps (800 / 10 + 1), one more at the end.
    EXPECT_EQ(yields.Count(), 161 + 81 + 1);
  }
  while (NextCandleDraw() == 3) card.random.Rnd();
  testing::YieldCounter yields(card.app);
  form.cardPanel.DrawCandles();
  EXPECT_EQ(yields.Count(), 81 + 1);
  form.paint.DoEventsOn = false;
  testing::YieldCounter none(card.app);
  form.cardPanel.DrawCandles();
  EXPECT_EQ(none.Count(), 0);
}

TEST_F(CardPanelAt12Test, CandleLoopsShrinkAt12TwipsPerPixel) {
  form.paint.DoEventsOn = true;
  testing::YieldCounter yields(card.app);
  form.cardPanel.DrawCandles();
  EXPECT_EQ(yields.Count(), 129 + 65 + 1);  // 1280 and 640 twips in steps of 10
}

TEST_F(CardPanelTest, TickPaintsTheTopStarThenPicksTheNextStarBrightness) {
  form.tree.SetLightLevel(120);
  testing::YieldCounter yields(card.app);
  form.TimerCard_Timer();
  EXPECT_EQ(yields.Count(), 1);  // painters do not yield here, the tick once at its end
  EXPECT_TRUE(Painted(3875, 1454));
  EXPECT_EQ(form.tree.LightLevel(), Int(form.tree.LightLevel()));
  EXPECT_GE(form.tree.LightLevel(), 155);
  EXPECT_LE(form.tree.LightLevel(), 200);
  // The star's rim (its first pixel down the middle) was drawn at the level set before the tick.
  double y = 1454 - 600;
  while (!Painted(3875, y) && y < 1454) y += Tpp();
  EXPECT_EQ(form.Picture1.Point(3875, y).Red(), 120);
}

TEST_F(CardPanelTest, NextStarBrightnessRunsFrom155To200) {
  form.Picture1.SetHeight(600);  // little to paint
  double lowest = 1000, highest = 0;
  for (int tick = 0; tick < 300; ++tick) {
    form.TimerCard_Timer();
    lowest = std::min(lowest, form.tree.LightLevel());
    highest = std::max(highest, form.tree.LightLevel());
  }
  EXPECT_EQ(lowest, 155);
  EXPECT_EQ(highest, 200);
}

TEST_F(CardPanelTest, FlamesNarrowFasterWhereTheLoopRunsAbove4800) {
  // Tall surface: no loop value is under 4800, the flame narrows by 1.2 per step, so 60 steps
  // up its radius is still 28 to 48 twips.
  const double rightX = form.Picture1.Width() - 750;
  form.cardPanel.DrawCandles();
  const double tallTop = form.Picture1.Height() - 500 - 1600;
  EXPECT_GE(PaintedSpan(rightX, tallTop - 600), 3);

  // Short surface: every loop value is under 4800, the flame narrows by 2.2 per step and has
  // shrunk to radius 1 by then.
  form.Picture1.SetHeight(5000);
  testing::PaintPlain(form, testing::kPlain);
  form.cardPanel.DrawCandles();
  const double shortTop = 5000 - 500 - 1600;
  EXPECT_LE(PaintedSpan(rightX, shortTop - 600), 2);
  EXPECT_GE(PaintedSpan(rightX, shortTop), 10);
}

}  // namespace
}  // namespace frost
