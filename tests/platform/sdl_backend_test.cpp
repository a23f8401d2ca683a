#include "platform/sdl/sdl_backend.h"

#include "shown_pixel.h"
#include "support/scoped_environment.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace frost {
namespace {

using testing::ScopedEnvironment;
using testing::ShownPixel;

TEST(SdlBackendTest, WithoutADisplayOpeningFailsWithOneClearLine) {
  ScopedEnvironment noX("DISPLAY", std::nullopt);
  ScopedEnvironment noWayland("WAYLAND_DISPLAY", std::nullopt);
  std::string error;
  EXPECT_EQ(SdlBackend::Open(error), nullptr);
  EXPECT_EQ(error, "Frostmail: no display found (DISPLAY is not set); cannot open the card window");
}

TEST(SdlBackendTest, UnreachableDisplayFailsWithoutCrashing) {
  ScopedEnvironment badX("DISPLAY", ":9876");
  ScopedEnvironment noWayland("WAYLAND_DISPLAY", std::nullopt);
  std::string error;
  EXPECT_EQ(SdlBackend::Open(error), nullptr);
  EXPECT_EQ(error.rfind("Frostmail: no display found (", 0), 0u) << error;
  EXPECT_EQ(error.find('\n'), std::string::npos);
}

class LiveSdlBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr)
      GTEST_SKIP() << "no X display";
    std::string error;
    backend = SdlBackend::Open(error);
    ASSERT_NE(backend, nullptr) << error;
  }

  std::unique_ptr<SdlBackend> backend;
};

TEST_F(LiveSdlBackendTest, WaitingSleepsInsteadOfSpinning) {
  const double start = backend->Now();
  const std::clock_t cpuStart = std::clock();
  while (backend->Now() < start + 0.2) backend->WaitEvent(start + 0.2);
  const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  EXPECT_GE(backend->Now() - start, 0.2);
  EXPECT_LT(cpuSeconds, 0.05);
}

// Input waits up to a millisecond after an empty look at the queue, and none is lost.
TEST_F(LiveSdlBackendTest, PollingLooksAtTheQueueAtMostEveryMillisecond) {
  while (backend->PollEvent()) {
  }
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  const double pushed = backend->Now();
  if (backend->Now() - pushed < 0.0005) {
    EXPECT_FALSE(backend->PollEvent().has_value()) << "looked again within a millisecond";
  }
  std::optional<InputEvent> event;
  while (!event && backend->Now() < pushed + 1) event = backend->PollEvent();
  ASSERT_TRUE(event.has_value());
  EXPECT_TRUE(std::holds_alternative<CloseRequestEvent>(*event));
}

TEST_F(LiveSdlBackendTest, ShapedWindowTakesARegionAndPresentsFrames) {
  EXPECT_TRUE(backend->Shaped()) << "X servers have the SHAPE extension";
  backend->SetWindowSize(40, 30);
  Bitmap frame(40, 30, RGB(200, 100, 50));
  backend->Present(frame, {frame.Bounds()});
  backend->SetWindowVisible(true);
  backend->SetRegion(Region{{{0, 0, 20, 30}}});
  backend->SetRegion(std::nullopt);
  backend->SetWindowVisible(false);
  EXPECT_DOUBLE_EQ(backend->TwipsPerPixelX(), backend->TwipsPerPixelY());
  EXPECT_GT(backend->Text().Measure(FontSpec{}, "Frostmail").width, 0);
}

// Only the changed rectangle is handed over; it must land at its place on the screen.
TEST_F(LiveSdlBackendTest, APartialPresentPutsTheChangedRectangleOnTheWindow) {
  backend->SetWindowSize(40, 30);
  backend->SetWindowVisible(true);
  Bitmap frame(40, 30, RGB(200, 100, 50));
  backend->Present(frame, {frame.Bounds()});
  const PixelRect changed{10, 5, 20, 15};
  for (int y = changed.top; y < changed.bottom; ++y) {
    for (int x = changed.left; x < changed.right; ++x) frame.Set(x, y, RGB(1, 2, 3));
  }
  backend->Present(frame, {changed});
  EXPECT_EQ(ShownPixel(10, 5), 0x010203);
  EXPECT_EQ(ShownPixel(19, 14), 0x010203);
  EXPECT_EQ(ShownPixel(20, 14), 0xC86432);
  EXPECT_EQ(ShownPixel(9, 5), 0xC86432);
}

}  // namespace
}  // namespace frost
