// "SavePic": the snapshot's file name, and bitmaps that an independent reader decodes back to the
// card's pixels.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <memory>
#include <regex>

#include "personalise/bmp_writer.h"
#include "personalise/snapshot.h"
#include "personalise_fixture.h"

// stb_image's own BMP reader, private to this file (the toolkit builds its copy without BMP).
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace frost {
namespace {

namespace fs = std::filesystem;

std::tm At(int year, int month, int day, int hour, int minute, int second) {
  std::tm when{};
  when.tm_year = year - 1900;
  when.tm_mon = month - 1;
  when.tm_mday = day;
  when.tm_hour = hour;
  when.tm_min = minute;
  when.tm_sec = second;
  return when;
}

// The picture a BMP file holds, as stb_image reads it; empty when it cannot.
Bitmap DecodeBmp(const testing::Bytes& file) {
  int width = 0, height = 0, channels = 0;
  std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
      stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &width, &height, &channels,
                            3),
      stbi_image_free);
  if (!pixels)
    return {};
  Bitmap picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const stbi_uc* p = pixels.get() + 3 * (y * width + x);
      picture.Set(x, y, RGB(p[0], p[1], p[2]));
    }
  }
  return picture;
}

TEST(SnapshotFileNameTest, DateAndTimeInTwoDigitPartsOnTheTwentyFourHourClock) {
  EXPECT_EQ(SnapshotFileName(At(2014, 12, 24, 18, 30, 5)), "Christmas12-24-14@18-30-05.bmp");
  EXPECT_EQ(SnapshotFileName(At(2015, 3, 1, 9, 5, 7)), "Christmas03-01-15@09-05-07.bmp");
  EXPECT_EQ(SnapshotFileName(At(2000, 1, 2, 0, 0, 0)), "Christmas01-02-00@00-00-00.bmp");
}

TEST(BmpWriterTest, EveryRowWidthDecodesBackToThePixels) {
  // Widths 1 to 4 cover every row padding; the rows are distinct so a flipped image shows.
  for (int width = 1; width <= 4; ++width) {
    Bitmap picture(width, 3);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < width; ++x) picture.Set(x, y, RGB(40 * x + 1, 80 * y + 2, 200 - x - y));
    }
    const testing::Bytes file = EncodeBmp(picture);
    EXPECT_EQ(file.size(), 54u + 3 * ((3 * width + 3) / 4 * 4)) << "width " << width;
    EXPECT_EQ(DecodeBmp(file), picture) << "width " << width;
  }
}

class SnapshotTest : public testing::PersonaliseTest {};

TEST_F(SnapshotTest, SavePicWritesTheCardsPersistentImageNextToTheProgram) {
  form.Picture1.Line(0, 0, 3000, 2000, RGB(250, 10, 60));
  form.Picture1.SetAutoRedraw(false);
  form.Picture1.Line(0, 2000, 3000, 0, RGB(1, 1, 1));  // on the screen only: not in the snapshot
  form.Command20_Click();
  std::vector<fs::path> saved(fs::directory_iterator(folder.Path()), {});
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_TRUE(std::regex_match(saved[0].filename().string(),
                               std::regex(R"(Christmas\d\d-\d\d-\d\d@\d\d-\d\d-\d\d\.bmp)")));
  EXPECT_EQ(DecodeBmp(testing::ReadBytes(saved[0].string())), form.Picture1.Image());
  EXPECT_TRUE(card.platform.window.message_boxes.empty());
}

TEST_F(SnapshotTest, FailedSaveIsReportedInAMessageBox) {
  form.cardFiles.ProgramFolder = folder.File("no such folder");
  form.Command20_Click();
  ASSERT_EQ(card.platform.window.message_boxes.size(), 1u);
  EXPECT_EQ(card.platform.window.message_boxes[0].caption, "Frostmail");
  EXPECT_NE(card.platform.window.message_boxes[0].text.find(folder.File("no such folder")),
            std::string::npos);
}

}  // namespace
}  // namespace frost
