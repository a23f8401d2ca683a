#include "platform/headless/headless_backend.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "platform_test_support.h"

namespace frost {
namespace {

using testing_support::ScratchFolder;

// Reads a PNG back as 0xAABBGGRR values (bytes R, G, B, A), row by row.
std::vector<std::uint32_t> ReadRgba(const std::string& path, int& width, int& height) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
  int channels = 0;
  std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
      stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height,
                            &channels, 4),
      stbi_image_free);
  if (!pixels)
    return {};
  std::vector<std::uint32_t> rgba(static_cast<std::size_t>(width) * height);
  std::memcpy(rgba.data(), pixels.get(), rgba.size() * 4);
  return rgba;
}

TEST(HeadlessBackendTest, WaitingJumpsTheClockToTheNextTimedEventOrTheDeadline) {
  HeadlessBackend backend;
  backend.Push(MouseMoveEvent{{1, 1}}, 5.0);
  backend.Push(MouseDownEvent{{2, 2}}, 2.0);
  EXPECT_FALSE(backend.PollEvent());
  std::optional<InputEvent> first = backend.WaitEvent(10.0);
  ASSERT_TRUE(first);
  EXPECT_TRUE(std::holds_alternative<MouseDownEvent>(*first));
  EXPECT_DOUBLE_EQ(backend.Now(), 2.0);
  EXPECT_FALSE(backend.WaitEvent(4.0));
  EXPECT_DOUBLE_EQ(backend.Now(), 4.0);
  backend.Sleep(1.5);
  std::optional<InputEvent> late = backend.PollEvent();
  ASSERT_TRUE(late);
  EXPECT_TRUE(std::holds_alternative<MouseMoveEvent>(*late));
  EXPECT_DOUBLE_EQ(backend.Now(), 5.5);
}

TEST(HeadlessBackendTest, EventsOfOneMomentKeepTheirOrder) {
  HeadlessBackend backend;
  backend.Push(MouseDownEvent{{1, 1}}, 1.0);
  backend.Push(MouseUpEvent{{1, 1}}, 1.0);
  backend.Push(TextInputEvent{"a"}, 1.0);
  backend.Sleep(1.0);
  EXPECT_TRUE(std::holds_alternative<MouseDownEvent>(*backend.PollEvent()));
  EXPECT_TRUE(std::holds_alternative<MouseUpEvent>(*backend.PollEvent()));
  EXPECT_TRUE(std::holds_alternative<TextInputEvent>(*backend.PollEvent()));
}

TEST(HeadlessBackendTest, CaptureGetsTheFrameLastPresentedBeforeItsMomentOnce) {
  HeadlessBackend backend;
  std::vector<Color> seen;
  std::vector<std::optional<Region>> regions;
  auto record = [&](const Bitmap& frame, const std::optional<Region>& region) {
    seen.push_back(frame.Empty() ? Color{0xFFFFFFFFu} : frame.At(0, 0));
    regions.push_back(region);
  };
  backend.AddCapture(0.5, record);
  backend.AddCapture(2.0, record);
  backend.AddCapture(1.0, record);
  backend.Sleep(0.6);  // nothing presented yet
  Bitmap first(2, 2, RGB(1, 1, 1)), second(2, 2, RGB(2, 2, 2));
  backend.Present(first, {first.Bounds()});
  const Region shape{{{0, 0, 1, 1}}};
  backend.SetRegion(shape);
  backend.Sleep(0.4);  // reaches 1.0 exactly
  backend.Present(second, {second.Bounds()});
  backend.WaitEvent(5.0);
  backend.Sleep(10);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], Color{0xFFFFFFFFu});
  EXPECT_EQ(seen[1], RGB(1, 1, 1));
  EXPECT_EQ(regions[1], shape);
  EXPECT_EQ(seen[2], RGB(2, 2, 2));
}

TEST(HeadlessBackendTest, CaptureOfAMomentAlreadyPassedRunsAtOnce) {
  HeadlessBackend backend;
  backend.Sleep(3);
  int calls = 0;
  backend.AddCapture(1.0, [&](const Bitmap&, const std::optional<Region>&) { ++calls; });
  EXPECT_EQ(calls, 1);
}

TEST(HeadlessBackendTest, TwipsPerPixelCanBeSetForLargeFonts) {
  HeadlessBackend backend;
  const int normal = backend.Text().Measure(FontSpec{"Arial", 12}, "Noel").width;
  backend.SetTwipsPerPixel(12, 12);
  EXPECT_DOUBLE_EQ(backend.TwipsPerPixelX(), 12);
  EXPECT_GT(backend.Text().Measure(FontSpec{"Arial", 12}, "Noel").width, normal);
}

TEST(WritePngTest, PixelsOutsideTheRegionAreTransparent) {
  ScratchFolder folder;
  Bitmap frame(4, 2, RGB(10, 20, 30));
  frame.Set(3, 1, RGB(200, 100, 50));
  const std::string path = folder.File("frame.png");
  WritePng(path, frame, Region{{{1, 0, 3, 1}, {3, 1, 9, 2}}});
  int width = 0;
  int height = 0;
  const std::vector<std::uint32_t> rgba = ReadRgba(path, width, height);
  ASSERT_EQ(width, 4);
  ASSERT_EQ(height, 2);
  const std::uint32_t opaque = 0xFF000000u;
  EXPECT_EQ(rgba[0] >> 24, 0u);
  EXPECT_EQ(rgba[1], RGB(10, 20, 30).value | opaque);
  EXPECT_EQ(rgba[2], RGB(10, 20, 30).value | opaque);
  EXPECT_EQ(rgba[3] >> 24, 0u);
  EXPECT_EQ(rgba[4 + 2] >> 24, 0u);
  EXPECT_EQ(rgba[4 + 3], RGB(200, 100, 50).value | opaque);
}

TEST(WritePngTest, WithoutARegionEveryPixelIsOpaque) {
  ScratchFolder folder;
  const std::string path = folder.File("frame.png");
  WritePng(path, Bitmap(3, 3, RGB(1, 2, 3)), std::nullopt);
  int width = 0;
  int height = 0;
  for (std::uint32_t pixel : ReadRgba(path, width, height)) {
    EXPECT_EQ(pixel, RGB(1, 2, 3).value | 0xFF000000u);
  }
  EXPECT_EQ(width * height, 9);
}

TEST(WritePngTest, UnwritablePathOrEmptyFrameIsAnError) {
  EXPECT_THROW(WritePng("/nonexistent-folder/frame.png", Bitmap(2, 2), std::nullopt),
               std::runtime_error);
  EXPECT_THROW(WritePng("/tmp/empty.png", Bitmap(), std::nullopt), std::runtime_error);
}

}  // namespace
}  // namespace frost
