#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "scene_probe.h"

namespace frost {
namespace {

constexpr Color kWedgeGreen = RGB(65, 130, 65);

class StarSketchesTest : public ::testing::Test {
 protected:
  StarSketchesTest() { card.app.SetPacing(0); }

  bool Green(double x, double y) const { return form.Picture1.Point(x, y) == kWedgeGreen; }
  // Whether `color` appears on the window within one pixel of (x, y) (within `reach` pixels).
  bool WindowShowsNear(double x, double y, Color color, int reach = 1) const {
    for (int dy = -reach; dy <= reach; ++dy) {
      for (int dx = -reach; dx <= reach; ++dx) {
        if (form.Point(x + 15 * dx, y + 15 * dy) == color)
          return true;
      }
    }
    return false;
  }

  testing::CardFixture card;
  Form1& form = card.form;
};

TEST_F(StarSketchesTest, EtoilePaintsAGreenWedgePointingStraightUp) {
  form.Command1_Click();
  EXPECT_EQ(form.paint.Intensity, 130);
  for (const double r : {60.0, 300.0, 490.0}) EXPECT_TRUE(Green(3000, 3000 - r)) << r;
  for (const double r : {300.0, 490.0}) {
    // 75 to 105 degrees: about a quarter of the radius either side of the vertical.
    EXPECT_TRUE(Green(3000 + 0.2 * r, 3000 - r * std::cos(std::asin(0.2)))) << r;
    EXPECT_FALSE(Green(3000 + 0.35 * r, 3000 - r * std::cos(std::asin(0.35)))) << r;
  }
  EXPECT_FALSE(Green(3000, 3000 - 30));
  EXPECT_FALSE(Green(3000, 3000 - 530));
}

TEST_F(StarSketchesTest, EtoileTwicePaintsTheSameWedge) {
  form.Command1_Click();
  const Bitmap once = form.Picture1.Image();
  form.Command1_Click();
  EXPECT_EQ(form.Picture1.Image(), once);
}

TEST_F(StarSketchesTest, EtoileOneSlidesTheCentreDownIntoADownwardBeam) {
  form.Command3_Click();
  // Arc r has its centre at 3000 + 3 (r - 50), so its top lies at 2850 + 2 r.
  EXPECT_FALSE(Green(3000, 2950 - 30));
  EXPECT_TRUE(Green(3000, 3000));  // r = 75: narrow
  EXPECT_FALSE(Green(3000 + 100, 3000));
  const double r = 475, centreY = 3000 + 3 * (r - 50);
  EXPECT_TRUE(Green(3000 + 100, centreY - std::sqrt(r * r - 100 * 100)));  // wide
  EXPECT_FALSE(Green(3000, 3850 + 60));
}

class StarConstructionSketchTest : public StarSketchesTest,
                                   public ::testing::WithParamInterface<double> {};

TEST_P(StarConstructionSketchTest, StarDrawsTheConstructionOnTheWindowAndHidesTheSurface) {
  form.SetWidth(GetParam());
  form.SetBackColor(RGB(255, 255, 255));
  form.ForeColor = RGB(0, 160, 0);
  form.Command5_Click();
  EXPECT_FALSE(form.Picture1.Visible());

  const double h = std::floor(GetParam() / 2);  // half the whole width, truncated
  auto onOuter = [&](double degrees) {
    const double a = degrees * std::numbers::pi / 180;
    return std::pair{h + h * std::cos(a), h + h * std::sin(a)};
  };
  auto onInner = [&](double degrees) {
    const double a = degrees * std::numbers::pi / 180;
    return std::pair{h + h / 2.5 * std::cos(a), h + h / 2.5 * std::sin(a)};
  };
  // The outline in light red, starting at the point straight above the centre.
  const auto [ix, iy] = onInner(-54);
  EXPECT_TRUE(WindowShowsNear((h + ix) / 2, (0 + iy) / 2, QBColor(12)));
  EXPECT_TRUE(WindowShowsNear(h, 2, QBColor(12)));
  // The two circles in the window's foreground colour.
  EXPECT_TRUE(WindowShowsNear(h, 2 * h, form.ForeColor));
  const auto [cx, cy] = onInner(0);
  EXPECT_TRUE(WindowShowsNear(cx, cy, form.ForeColor));
  // Black dots on the points.
  for (const double degrees : {198.0, 126.0}) {
    const auto [x, y] = onOuter(degrees);
    EXPECT_TRUE(WindowShowsNear(x, y, QBColor(0), 2)) << degrees;
  }
  const auto [x, y] = onInner(90);
  EXPECT_TRUE(WindowShowsNear(x, y, QBColor(0), 2));
  EXPECT_EQ(form.DrawWidth, 2);
}

INSTANTIATE_TEST_SUITE_P(WindowWidths, StarConstructionSketchTest, ::testing::Values(7740, 7441),
                         [](const auto& test) {
                           return std::to_string(static_cast<int>(test.param)) + "Twips";
                         });

}  // namespace
}  // namespace frost
