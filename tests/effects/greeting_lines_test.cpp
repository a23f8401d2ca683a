// The greeting boxes' layout, the greeting panel and the greeting lines printed in relief.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "effects_probe.h"

namespace frost {
namespace {

using testing::CardFixture;
using testing::ToPixel;

// Lines printed over a plain surface; the boxes are laid out first, as the load step does.
class GreetingLinesTest : public ::testing::Test {
 protected:
  explicit GreetingLinesTest(double twipsPerPixel = 15) : card(twipsPerPixel) {
    form.greetingPanel.LayoutGreetingBoxes();
    testing::PaintPlain(form, testing::kPlain);
  }
  void SetLines(const std::vector<std::pair<int, std::string>>& lines) {
    for (const auto& [index, text] : lines) form.TextGreetings(index).SetText(text);
  }
  // Pixel rows (of the kept picture) that hold the brightest copy's colour.
  std::vector<int> RowsInColour(Color colour) const {
    std::vector<int> rows;
    const Bitmap& image = form.Picture1.Image();
    for (int y = 0; y < image.Height(); ++y) {
      for (int x = 0; x < image.Width(); ++x) {
        if (image.At(x, y) == colour) {
          rows.push_back(y);
          break;
        }
      }
    }
    return rows;
  }
  double Tpp() const { return card.app.TwipsPerPixelX(); }

  CardFixture card;
  Form1& form = card.form;
};

class GreetingLinesAt12Test : public GreetingLinesTest {
 protected:
  GreetingLinesAt12Test() : GreetingLinesTest(12) {}
};

TEST_F(GreetingLinesTest, BoxesStackDownFromTheDesignTopAt15TwipsPerPixel) {
  for (int i = 1; i <= 8; ++i) {
    const TextBox& box = form.TextGreetings(i);
    SCOPED_TRACE(i);
    EXPECT_DOUBLE_EQ(box.Top(), 2000 + (i - 1) * (288 + 100));
    EXPECT_DOUBLE_EQ(box.Height(), 288);
    EXPECT_DOUBLE_EQ(box.Left(), 1300 + 250);
    EXPECT_DOUBLE_EQ(box.Width(), form.Picture1.Width() - 2 * 1300 - 500);
    EXPECT_EQ(box.Font, (FontSpec{"Times New Roman", 16, true}));
    EXPECT_EQ(box.MaxLength, 40);
    EXPECT_EQ(box.ForeColor, RGB(100, 75, 20));  // the shaded colour at brightness 100
    EXPECT_FALSE(box.Visible());
    EXPECT_TRUE(static_cast<bool>(box.Change));
  }
}

TEST_F(GreetingLinesAt12Test, BoxesShrinkWithTheScreenAt12TwipsPerPixel) {
  const double height = 288 * 12 / 15.0;
  for (int i = 1; i <= 8; ++i) {
    const TextBox& box = form.TextGreetings(i);
    SCOPED_TRACE(i);
    EXPECT_NEAR(box.Top(), 1600 + (i - 1) * (height + 100), 1e-9);
    EXPECT_DOUBLE_EQ(box.Height(), height);
    EXPECT_DOUBLE_EQ(box.Left(), 1040 + 250);
    EXPECT_DOUBLE_EQ(box.Width(), form.Picture1.Width() - 2 * 1040 - 500);
    EXPECT_EQ(box.Font.size, 13);  // Int(16.8 / 1.25)
  }
}

TEST(GreetingLinesMixedScaleTest, LengthsTakeTheFactorOfTheirAxis) {
  testing::MixedScaleCard card;  // sx = 0.8, sy = 1
  Form1& form = card.form;
  form.greetingPanel.LayoutGreetingBoxes();
  const TextBox& box = form.TextGreetings(2);
  EXPECT_DOUBLE_EQ(box.Left(), 1300 * 0.8 + 250);
  EXPECT_DOUBLE_EQ(box.Top(), 2000 + 288 + 100);
  EXPECT_DOUBLE_EQ(box.Width(), form.Picture1.Width() - 2 * 1300 * 0.8 - 500);
  EXPECT_EQ(box.Font.size, 13);  // from the horizontal factor

  form.Command7_Click();
  EXPECT_EQ(form.Picture1.Font.size, 12);
  // The panel's margin is 1000 x sy on all four sides, the left one too.
  const Bitmap& image = form.Picture1.Image();
  const int row = image.Height() / 2;
  EXPECT_NE(image.At(ToPixel(1010, 12), row), testing::kPlain);
  EXPECT_EQ(image.At(ToPixel(985, 12), row), testing::kPlain);
}

TEST_F(GreetingLinesTest, BoxesCannotBeLaidOutTwice) {
  EXPECT_THROW(form.greetingPanel.LayoutGreetingBoxes(), RuntimeError);
}

TEST_F(GreetingLinesTest, PanelIsOneYieldingLinePerFourTwipsBrightestInTheMiddle) {
  ASSERT_DOUBLE_EQ(form.Picture1.Height(), 9120);
  testing::YieldCounter yields(card.app);
  form.Command7_Click();
  // One yield before the panel, then one per line from 1000 to 8120; the lines are all empty.
  EXPECT_EQ(yields.Count(), 1 + (8120 - 1000) / 4 + 1);

  // Down a column left of where the random stars can fall: green rises to the middle and falls
  // again; red saturates at 255 over the middle.
  const Bitmap& image = form.Picture1.Image();
  const int x = ToPixel(1100, Tpp());
  const int top = ToPixel(1000, Tpp());
  const int bottom = ToPixel(8120, Tpp());
  const int middle = ToPixel(9120 / 2, Tpp());
  EXPECT_EQ(image.At(x, top - 1), testing::kPlain);
  EXPECT_EQ(image.At(x, bottom + 1), testing::kPlain);
  int peak = 0;
  for (int y = top; y <= bottom; ++y) peak = std::max(peak, image.At(x, y).Green());
  EXPECT_EQ(peak, CInt(0.75 * (130 + 0.2 * 890)));
  EXPECT_EQ(image.At(x, middle).Green(), peak);
  for (int y = top + 1; y <= bottom; ++y) {
    if (y <= middle) {
      EXPECT_GE(image.At(x, y).Green(), image.At(x, y - 1).Green()) << "row " << y;
    } else if (y > middle + 1) {
      EXPECT_LE(image.At(x, y).Green(), image.At(x, y - 1).Green()) << "row " << y;
    }
  }
  EXPECT_EQ(image.At(x, middle).Red(), 255);
  EXPECT_EQ(image.At(x, top).Red(), CInt(130 + 0.2 * 3));  // the last of four lines on the row
  // Falling as fast as it rose: the bottom edge is as dark as the top one.
  EXPECT_NEAR(image.At(x, bottom).Red(), image.At(x, top).Red(), 2);
}

TEST_F(GreetingLinesTest, GreetingStageStopsTheTreeAndCandleTimersOnly) {
  for (Timer* timer : {&form.TimerAnimTree, &form.TimerSpeclAnimTree, &form.TimerCard,
                       &form.TimerGreetingsAnim, &form.TimerFireworks})
    timer->SetEnabled(true);
  card.app.SetPacing(0);  // the clock stands still, so no tick comes due during the yields
  form.Command7_Click();
  EXPECT_FALSE(form.TimerAnimTree.Enabled());
  EXPECT_FALSE(form.TimerSpeclAnimTree.Enabled());
  EXPECT_FALSE(form.TimerCard.Enabled());
  EXPECT_TRUE(form.TimerGreetingsAnim.Enabled());
  EXPECT_TRUE(form.TimerFireworks.Enabled());
}

// A line is measured in the font it is printed in.
TEST_F(GreetingLinesTest, SurfaceAndLabelTakeTheGreetingFontAt15TwipsPerPixel) {
  SetLines({{1, "Joy"}});
  form.greetingPanel.DrawGreetingLines();
  EXPECT_EQ(form.Picture1.Font, (FontSpec{"Times New Roman", 15, true}));
  EXPECT_EQ(form.Label1.Font(), (FontSpec{"Times New Roman", 15, true}));
}

TEST_F(GreetingLinesAt12Test, SurfaceAndLabelTakeTheGreetingFontAt12TwipsPerPixel) {
  SetLines({{1, "Joy"}});
  form.greetingPanel.DrawGreetingLines();
  EXPECT_EQ(form.Picture1.Font, (FontSpec{"Times New Roman", 12, true}));
  EXPECT_EQ(form.Label1.Font().size, 12);
}

TEST_F(GreetingLinesTest, LineIsPrintedInSixCopiesTheBrightestOnTopThirtyTwipsOn) {
  SetLines({{4, "Merry Christmas"}});
  form.greetingPanel.DrawGreetingLines();
  EXPECT_DOUBLE_EQ(form.paint.Intensity, 75 + 6 * 35);

  // The top copy, at brightness 250, 6 x 5 twips right of and below the measured place.
  const double x = form.Width() / 2 - form.Label1.Width() / 2;
  EXPECT_GT(testing::ExpectTopCopyAt(form, "Merry Christmas", form.paint.ShadedColorAt(250), x + 30,
                                     form.TextGreetings(4).Top() + 30),
            20);
}

TEST_F(GreetingLinesTest, LineIsCentredOnTheWindowNotOnTheSurface) {
  form.SetWidth(6000);
  SetLines({{1, "Love Peace Joy"}});
  form.greetingPanel.DrawGreetingLines();
  EXPECT_EQ(form.Label1.Caption(), "Love Peace Joy");
  const Bitmap& image = form.Picture1.Image();
  int left = image.Width(), right = -1;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (image.At(x, y) != testing::kPlain) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  // The ink's middle lies on the window's middle, shifted by the relief (up to 2 pixels) and
  // by the italic slant and side bearings (a few pixels).
  EXPECT_NEAR((left + right) / 2.0, ToPixel(form.Width() / 2, Tpp()) + 1, 4);
}

TEST_F(GreetingLinesTest, EmptyLinesAreSkippedAndTheOthersKeepTheirRows) {
  SetLines({{2, "Season's Greetings"}, {6, "Happy New Year"}});
  form.greetingPanel.DrawGreetingLines();
  EXPECT_EQ(form.Label1.Caption(), "Happy New Year");
  const std::vector<int> rows = RowsInColour(form.paint.ShadedColorAt(250));
  ASSERT_FALSE(rows.empty());
  // Every painted row lies within a text line's height below the top of box 2 or box 6.
  const double lineHeight = form.Label1.Height();
  for (const int row : rows) {
    const bool inRow2 = row >= ToPixel(form.TextGreetings(2).Top(), Tpp()) &&
                        row <= ToPixel(form.TextGreetings(2).Top() + 30 + lineHeight, Tpp());
    const bool inRow6 = row >= ToPixel(form.TextGreetings(6).Top(), Tpp()) &&
                        row <= ToPixel(form.TextGreetings(6).Top() + 30 + lineHeight, Tpp());
    EXPECT_TRUE(inRow2 || inRow6) << "row " << row;
  }
  EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [&](int row) {
    return row > ToPixel(form.TextGreetings(6).Top(), Tpp());
  }));
}

TEST_F(GreetingLinesTest, AllLinesEmptyPrintNothingAndKeepTheLabel) {
  const Bitmap before = form.Picture1.Image();
  testing::YieldCounter yields(card.app);
  form.greetingPanel.DrawGreetingLines();
  EXPECT_EQ(yields.Count(), 0);
  EXPECT_EQ(form.Label1.Caption(), "...");
  EXPECT_TRUE(form.Picture1.Image() == before);
}

TEST_F(GreetingLinesTest, EachPrintedLineYieldsOnceForTheLabel) {
  SetLines({{1, "One"}, {3, "Three"}, {8, "Eight"}});
  testing::YieldCounter yields(card.app);
  form.greetingPanel.DrawGreetingLines();
  EXPECT_EQ(yields.Count(), 3);
}

TEST_F(GreetingLinesTest, LineWiderThanTheWindowStartsLeftOfItAndIsClipped) {
  SetLines({{5, std::string(40, 'W')}});
  form.greetingPanel.DrawGreetingLines();
  ASSERT_GT(form.Label1.Width(), form.Width());
  const Bitmap& image = form.Picture1.Image();
  const int top = ToPixel(form.TextGreetings(5).Top(), Tpp());
  const int bottom = ToPixel(form.TextGreetings(5).Top() + 30 + form.Label1.Height(), Tpp());
  auto inkInColumns = [&](int from, int to) {
    for (int y = top; y <= bottom; ++y)
      for (int x = from; x <= to; ++x)
        if (image.At(x, y) != testing::kPlain)
          return true;
    return false;
  };
  EXPECT_TRUE(inkInColumns(0, 2));
  EXPECT_TRUE(inkInColumns(image.Width() - 3, image.Width() - 1));
}

}  // namespace
}  // namespace frost
