#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "scene_probe.h"

namespace frost {
namespace {

struct Screen {
  double twipsPerPixel;
  int backgroundRectangles;
  int frameRectangles;
};

class BackdropTest : public ::testing::TestWithParam<Screen> {
 protected:
  BackdropTest() : card(GetParam().twipsPerPixel) { card.app.SetPacing(0); }

  double Sx() const { return GetParam().twipsPerPixel / 15; }
  double ElapsedBackground() {
    const double start = card.app.Now();
    form.backdrop.DrawBackground();
    return card.app.Now() - start;
  }

  testing::CardFixture card;
  Form1& form = card.form;
  testing::SceneProbe probe{form};
};

TEST_P(BackdropTest, BackgroundDrawsOneRectanglePerTwipUpTo4000Sx) {
  form.backdrop.DrawBackground();
  EXPECT_NEAR(form.paint.Intensity, 100 + 0.1 * GetParam().backgroundRectangles, 1e-6);
}

TEST_P(BackdropTest, BackgroundRunsFromDarkAmberAtTheEdgeToPaleYellowInTheMiddle) {
  form.backdrop.DrawBackground();
  // The edge pixel column holds the first few rectangles; the last of them shows.
  const double edge = testing::LastWholeTwipOnPixel(0, probe.Tpp());
  EXPECT_EQ(probe.At(0, form.Picture1.Height() / 2), form.paint.ShadedColorAt(100 + 0.1 * edge));
  // The last rectangle, i = 4000 sx, has crossed the middle: its left side lies at x = i.
  const double last = GetParam().backgroundRectangles - 1;
  EXPECT_EQ(probe.At(last, last + 500 * Sx()), form.paint.ShadedColorAt(100 + 0.1 * last));
}

TEST_P(BackdropTest, FrameRectanglesLieFortyTwipsApartGrowingBrighter) {
  form.backdrop.DrawFrame();
  const int rectangles = GetParam().frameRectangles;
  EXPECT_NEAR(form.paint.Intensity, 150 + 0.7 * rectangles, 1e-9);
  const double middleY = form.Picture1.Height() / 2;
  double intensity = 150;  // stepped as the painter steps it: the sums round as they go
  for (int k = 0; k < rectangles; ++k, intensity += 0.7) {
    EXPECT_EQ(probe.At(40 * k, middleY), form.paint.ShadedColorAt(intensity)) << k;
  }
  EXPECT_FALSE(probe.Painted(40 * rectangles, middleY));
  EXPECT_FALSE(probe.Painted(20, middleY));
}

TEST_P(BackdropTest, PausesOneSecondAndRefreshesTheStripOnlyInTheDrawTreePhase) {
  const Bitmap stripBefore = form.PictureMenu.Image();
  form.Sequencer().Start(Phase::DrawBack);
  EXPECT_LT(ElapsedBackground(), 0.001);
  EXPECT_EQ(form.PictureMenu.Image(), stripBefore);

  form.Sequencer().Start(Phase::DrawTree);
  EXPECT_NEAR(ElapsedBackground(), 1.0, 0.001);
  EXPECT_NE(form.PictureMenu.Image(), stripBefore);
}

TEST_P(BackdropTest, TheStripShowsTheBackdropAsItWasHalfwayBeneathIt) {
  form.Sequencer().Start(Phase::DrawTree);
  form.backdrop.DrawBackground();
  const double tpp = probe.Tpp();
  auto pixel = [&](double twips) { return std::floor(twips / tpp + 0.5); };
  // The strip holds the picture's pixels from its own top-left corner on.
  auto stripAt = [&](double pictureX) {
    return form.PictureMenu.Point((pixel(pictureX) - pixel(form.PictureMenu.Left())) * tpp, 0);
  };
  double intensity = 100;  // stepped as the painter steps it
  for (int i = 0; i < 500; ++i) intensity += 0.1;
  // Taken at i = 500: the rectangle's left side at x = 500 shows, the next column was bare.
  EXPECT_EQ(stripAt(500), form.paint.ShadedColorAt(intensity));
  EXPECT_EQ(stripAt(500 + tpp), form.Picture1.BackColor());
  EXPECT_TRUE(probe.Painted(500 + tpp, form.PictureMenu.Top()));
}

TEST_P(BackdropTest, NeitherPainterChangesTheLineWidthOrStyle) {
  form.Picture1.DrawWidth = 3;
  form.backdrop.DrawBackground();
  form.backdrop.DrawFrame();
  EXPECT_EQ(form.Picture1.DrawWidth, 3);
  EXPECT_EQ(form.Picture1.DrawStyle, DrawStyle::Solid);
}

INSTANTIATE_TEST_SUITE_P(Screens, BackdropTest,
                         ::testing::Values(Screen{15, 4001, 6}, Screen{12, 3201, 5}),
                         [](const auto& test) {
                           return std::to_string(static_cast<int>(test.param.twipsPerPixel)) +
                                  "TwipsPerPixel";
                         });

}  // namespace
}  // namespace frost
