// The menu strip and the about label: layout at two screen resolutions, the three states a click
// on the card can meet, and the about link.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "personalise_fixture.h"

namespace frost {
namespace {

class MenuStripTest : public testing::PersonaliseTest {
 protected:
  explicit MenuStripTest(double twipsPerPixel = 15) : PersonaliseTest(twipsPerPixel) {}

  // Window pixel at the middle of a control.
  static PixelPoint Middle(const Control& control) {
    const PixelRect r = control.WindowRect();
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void ClickAt(PixelPoint at) {
    card.backend.Push(MouseDownEvent{at});
    card.backend.Push(MouseUpEvent{at});
    card.app.DoEvents();
  }
};

class LargeFontsMenuStripTest : public MenuStripTest {
 protected:
  LargeFontsMenuStripTest() : MenuStripTest(12) {}
};

TEST_F(MenuStripTest, StripSitsTwentyPixelsInFromTheTopRightCorner) {
  form.Picture1_Click();
  const PictureBox& strip = form.PictureMenu;
  EXPECT_DOUBLE_EQ(strip.Width(), 2 * 270 + 50);  // two 18-pixel buttons and a 50-twip gap
  EXPECT_DOUBLE_EQ(strip.Height(), 270);
  EXPECT_DOUBLE_EQ(strip.Top(), 300);
  EXPECT_DOUBLE_EQ(form.Picture1.Width() - (strip.Left() + strip.Width()), 300);
  // "Exit" flush right, "Customize" a gap to its left; the editor's pair in the same places.
  EXPECT_DOUBLE_EQ(form.ImageClose.Left() + form.ImageClose.Width(), strip.Width());
  EXPECT_DOUBLE_EQ(form.ImageEdit.Left(), 0);
  EXPECT_DOUBLE_EQ(form.ImageEditCancel.Left(), form.ImageClose.Left());
  EXPECT_DOUBLE_EQ(form.ImageEditSave.Left(), form.ImageEdit.Left());
  for (const frost::Image* button :
       {&form.ImageClose, &form.ImageEdit, &form.ImageEditCancel, &form.ImageEditSave}) {
    EXPECT_DOUBLE_EQ(button->Top(), 0) << button->Name();
  }
  EXPECT_DOUBLE_EQ(form.Label2.Left(), 300);
  EXPECT_DOUBLE_EQ(form.Label2.Top() + form.Label2.Height(), form.Picture1.Height() - 240);
  EXPECT_TRUE(form.PictureMenu.Visible() && form.Label2.Visible());
  EXPECT_TRUE(form.ImageEdit.Visible() && form.ImageClose.Visible());
}

TEST_F(LargeFontsMenuStripTest, StripKeepsItsPixelPlacesAtTwelveTwipsPerPixel) {
  form.Picture1_Click();
  const PictureBox& strip = form.PictureMenu;
  EXPECT_DOUBLE_EQ(strip.Width(), 482);
  EXPECT_DOUBLE_EQ(strip.Top(), 240);
  EXPECT_DOUBLE_EQ(form.Picture1.Width() - (strip.Left() + strip.Width()), 240);
  EXPECT_DOUBLE_EQ(form.ImageEdit.Left(), 0);
  EXPECT_DOUBLE_EQ(form.ImageClose.Left(), 266);
  EXPECT_DOUBLE_EQ(form.Label2.Left(), 240);
  EXPECT_DOUBLE_EQ(form.Label2.Top() + form.Label2.Height(), form.Picture1.Height() - 192);
}

TEST_F(MenuStripTest, StripBackgroundIsThePieceOfTheCardUnderIt) {
  PictureBox& picture = form.Picture1;
  for (int x = 0; x < 7750; x += 15) picture.Line(x, 0, x, 1000, RGB(x % 256, x / 30 % 256, 7));
  form.Picture1_Click();
  const Bitmap& strip = form.PictureMenu.Image();
  const PixelPoint origin{static_cast<int>(std::lround(form.PictureMenu.Left() / 15)),
                          static_cast<int>(std::lround(form.PictureMenu.Top() / 15))};
  ASSERT_FALSE(strip.Empty());
  for (int y = 0; y < strip.Height(); ++y) {
    for (int x = 0; x < strip.Width(); ++x) {
      ASSERT_EQ(strip.At(x, y), picture.Image().At(origin.x + x, origin.y + y)) << x << "," << y;
    }
  }
}

TEST_F(MenuStripTest, ClickWithTheEditorOpenBringsBackItsButtonsWithoutMovingThem) {
  form.Picture1_Click();
  form.ImageEdit_Click();
  form.PictureMenu.SetVisible(false);  // as the idle check would, before the editor opened
  form.PictureMenu.SetLeft(1000);
  form.Label2.SetVisible(false);
  form.Picture1_Click();
  EXPECT_TRUE(form.PictureMenu.Visible());
  EXPECT_TRUE(form.ImageEditSave.Visible() && form.ImageEditCancel.Visible());
  EXPECT_FALSE(form.ImageEdit.Visible() || form.ImageClose.Visible());
  EXPECT_DOUBLE_EQ(form.PictureMenu.Left(), 1000);
  EXPECT_FALSE(form.Label2.Visible());
}

TEST_F(MenuStripTest, ClickWithTheEditorStripShownChangesNothing) {
  form.Picture1_Click();
  form.ImageEdit_Click();
  form.PictureMenu.SetLeft(1000);
  form.Label2.SetVisible(false);
  form.Picture1_Click();
  EXPECT_DOUBLE_EQ(form.PictureMenu.Left(), 1000);
  EXPECT_FALSE(form.Label2.Visible());
}

TEST_F(MenuStripTest, ClickOnTheShownNormalStripLaysItOutAndRepaintsItAgain) {
  form.Picture1_Click();
  form.PictureMenu.SetLeft(1000);
  form.Picture1.Line(0, 400, 7750, 400, RGB(1, 2, 3));  // through the strip's place
  form.Picture1_Click();
  EXPECT_DOUBLE_EQ(form.PictureMenu.Left() + form.PictureMenu.Width(), 7750 - 300);
  const Bitmap& strip = form.PictureMenu.Image();
  int crossed = 0;
  for (int y = 0; y < strip.Height(); ++y) {
    for (int x = 0; x < strip.Width(); ++x) crossed += strip.At(x, y) == RGB(1, 2, 3) ? 1 : 0;
  }
  EXPECT_GT(crossed, 0);
}

TEST_F(MenuStripTest, ClicksThroughTheWindowOpenTheEditorFromTheStrip) {
  ClickAt({100, 100});
  ASSERT_TRUE(form.PictureMenu.Visible());
  ClickAt(Middle(form.ImageEdit));
  EXPECT_TRUE(form.TextGreetings(1).Visible());
  ClickAt(Middle(form.ImageEditCancel));
  EXPECT_FALSE(form.TextGreetings(1).Visible());
  EXPECT_TRUE(form.ImageClose.Visible());
}

// The last phase shapes the window to the tree; the strip and the label lie beyond it.
TEST_F(MenuStripTest, InTheShapedWindowTheShownStripJoinsTheRegionAndCanBeUsed) {
  form.Picture1.Line(1500, 4500, 6000, 4500, RGB(200, 150, 40));  // the "tree": row 300
  form.Command13_Click();
  const std::optional<Region> tree = form.WindowRegion();
  ASSERT_TRUE(tree);
  auto inRegion = [&](const Control& control) {
    const std::optional<Region>& region = card.backend.WindowRegion();
    return region && std::ranges::count(region->rects, control.WindowRect()) == 1;
  };
  ClickAt({200, 300});
  ASSERT_TRUE(form.PictureMenu.Visible());
  EXPECT_TRUE(inRegion(form.PictureMenu));
  EXPECT_TRUE(inRegion(form.Label2));
  ClickAt(Middle(form.ImageEdit));
  ASSERT_TRUE(form.TextGreetings(1).Visible()) << "the click on Customize did not arrive";
  EXPECT_TRUE(inRegion(form.TextGreetings(8)));
  ClickAt(Middle(form.ImageEditCancel));
  EXPECT_FALSE(form.TextGreetings(1).Visible());
  EXPECT_FALSE(inRegion(form.TextGreetings(8)));
  // Idle hiding gives the window the tree's shape back.
  form.Sequencer().NoteMenuMouseMove();
  card.app.Sleep(8000);
  form.TimerMain_Timer();
  EXPECT_FALSE(form.PictureMenu.Visible());
  EXPECT_EQ(card.backend.WindowRegion(), tree);
  EXPECT_EQ(form.WindowRegion(), tree);
}

TEST_F(MenuStripTest, DoubleClickWithTheEditorOpenEndsWithoutWritingACopy) {
  testing::WriteBytes(folder.File("Frostmail.exe"), testing::Bytes(1000, 0));
  form.ImageEdit_Click();
  EXPECT_TRUE(Ends([&] { form.Picture1_DblClick(); }));
  EXPECT_TRUE(card.platform.os.opened_files.empty());
  EXPECT_FALSE(std::filesystem::exists(folder.File("Frost_Mail.exe")));
}

TEST_F(MenuStripTest, AboutLabelOpensTheAddressOfTheDomainItShows) {
  form.Label2_Click();
  ASSERT_EQ(card.platform.os.opened_files.size(), 1u);
  const std::string& address = card.platform.os.opened_files[0];
  EXPECT_EQ(address.rfind("https://", 0), 0u);
  const std::string& caption = form.Label2.Caption();
  const std::string domain = caption.substr(caption.rfind(' ') + 1);
  EXPECT_EQ(address, "https://" + domain + "/");
}

}  // namespace
}  // namespace frost
