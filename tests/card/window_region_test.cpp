#include <gtest/gtest.h>

#include <cstring>

#include "startup/window_region.h"
#include "support/card_fixture.h"

namespace frost {
namespace {

const Color kKey = RGB(108, 79, 19);
const Color kInk = RGB(255, 200, 50);

Bitmap Rows(std::initializer_list<const char*> rows) {
  const int width = static_cast<int>(std::strlen(*rows.begin()));
  Bitmap bitmap(width, static_cast<int>(rows.size()), kKey);
  int y = 0;
  for (const char* row : rows) {
    for (int x = 0; x < width; ++x) {
      if (row[x] == '#')
        bitmap.Set(x, y, kInk);
    }
    ++y;
  }
  return bitmap;
}

std::optional<Region> RegionOf(const Bitmap& bitmap) {
  return MakeRegionFromBitmap(bitmap, bitmap.Width(), bitmap.Height());
}

TEST(MakeRegionFromPicture, AllKeyColouredGivesNoRegion) {
  EXPECT_FALSE(RegionOf(Rows({"....", "...."})).has_value());
}

TEST(MakeRegionFromPicture, KeyColourInsideThePictureMakesHoles) {
  auto region = RegionOf(Rows({".....", ".#.#.", "....."}));
  ASSERT_TRUE(region);
  EXPECT_EQ(region->rects, (std::vector<PixelRect>{{1, 1, 2, 2}, {3, 1, 4, 2}}));
}

TEST(MakeRegionFromPicture, RunReachingTheRightEdgeEndsThereAndTheNextRowStartsClosed) {
  auto region = RegionOf(Rows({"..###", "#....", "....."}));
  ASSERT_TRUE(region);
  EXPECT_EQ(region->rects, (std::vector<PixelRect>{{2, 0, 5, 1}, {0, 1, 1, 2}}));
}

TEST(MakeRegionFromPicture, SingleKeptPixelIsOneByOne) {
  auto region = RegionOf(Rows({"...", ".#.", "..."}));
  ASSERT_TRUE(region);
  EXPECT_EQ(region->rects, (std::vector<PixelRect>{{1, 1, 2, 2}}));
}

TEST(MakeRegionFromPicture, KeyIsTheTopLeftPixelWhateverItsColour) {
  Bitmap bitmap = Rows({"#..", "..."});
  auto region = RegionOf(bitmap);
  ASSERT_TRUE(region);
  // Every pixel but the top-left one differs from it.
  EXPECT_EQ(region->rects, (std::vector<PixelRect>{{1, 0, 3, 1}, {0, 1, 3, 2}}));
}

class RegionCommandsTest : public ::testing::Test {
 protected:
  testing::CardFixture card;
  Form1& form = card.form;
};

TEST_F(RegionCommandsTest, PlainPictureLeavesTheWindowRectangular) {
  form.Command13_Click();
  EXPECT_FALSE(form.WindowRegion().has_value());
  EXPECT_EQ(form.Picture1.ScaleMode(), ScaleMode::Twips);
}

TEST_F(RegionCommandsTest, RegionFollowsThePictureOfThatMomentAndNoRegGivesTheRectangleBack) {
  form.Picture1.Line(1500, 1500, 3000, 1500, kInk);
  form.Command13_Click();
  ASSERT_TRUE(form.WindowRegion().has_value());
  EXPECT_EQ(form.WindowRegion()->rects, (std::vector<PixelRect>{{100, 100, 200, 101}}));

  form.Command15_Click();
  EXPECT_FALSE(form.WindowRegion().has_value());

  form.Picture1.Line(1500, 3000, 1515, 3000, kInk);
  form.Command13_Click();
  ASSERT_TRUE(form.WindowRegion().has_value());
  EXPECT_EQ(form.WindowRegion()->rects.size(), 2u);
}

TEST_F(RegionCommandsTest, HideRegionHidesEveryControlButPicture1) {
  form.PictureMenu.SetVisible(true);
  form.ImageClose.SetVisible(true);
  form.Label2.SetVisible(true);
  form.TextGreetings.Load(1).SetVisible(true);
  form.Command18_Click();
  for (Control* control : form.Controls()) {
    if (control->Name() == "Picture1") {
      EXPECT_TRUE(control->Visible());
    } else {
      EXPECT_FALSE(control->Visible()) << control->Name();
    }
  }
}

}  // namespace
}  // namespace frost
