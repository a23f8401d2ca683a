// The win32 window backend in a real (Wine) window on an X display: run under xvfb-run.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>

#include "platform/win32/gdi_text.h"
#include "platform/win32/win32_backend.h"
#include "platform/win32/windows_prelude.h"

namespace frost {
namespace {

// Input events in words, so that a failure shows what arrived.
std::string Describe(const std::optional<InputEvent>& event) {
  if (!event)
    return "nothing";
  return std::visit(
      [](const auto& e) -> std::string {
        using E = std::decay_t<decltype(e)>;
        if constexpr (std::is_same_v<E, TextInputEvent>)
          return "text " + e.text;
        else if constexpr (std::is_same_v<E, KeyDownEvent>)
          return "key " + std::to_string(static_cast<int>(e.key));
        else if constexpr (std::is_same_v<E, MouseDownEvent>)
          return "down " + std::to_string(e.at.x) + "," + std::to_string(e.at.y) + " x" +
                 std::to_string(e.clicks);
        else if constexpr (std::is_same_v<E, MouseUpEvent>)
          return "up " + std::to_string(e.at.x) + "," + std::to_string(e.at.y);
        else if constexpr (std::is_same_v<E, MouseMoveEvent>)
          return "move " + std::to_string(e.at.x) + "," + std::to_string(e.at.y);
        else
          return "close";
      },
      *event);
}

class Win32Window : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    backend_ = Win32Backend::Open(error);
    ASSERT_TRUE(backend_) << error;
    window_ = static_cast<HWND>(backend_->WindowHandle());
    backend_->SetWindowSize(516, 607);
    backend_->SetWindowVisible(true);
  }

  // Posts a message and returns what the backend makes of it. The pointer's own moves over
  // the new window (the X server's) are passed over.
  std::optional<InputEvent> Deliver(UINT message, WPARAM wParam, LPARAM lParam = 0) {
    PostMessageW(window_, message, wParam, lParam);
    std::optional<InputEvent> event = backend_->PollEvent();
    while (event && message != WM_MOUSELEAVE && std::holds_alternative<MouseMoveEvent>(*event))
      event = backend_->PollEvent();
    return event;
  }

  std::unique_ptr<Win32Backend> backend_;
  HWND window_ = nullptr;
};

TEST_F(Win32Window, ABorderlessWindowOfTheCardsSizeCentredOnTheScreen) {
  RECT frame{};
  GetWindowRect(window_, &frame);
  EXPECT_EQ(frame.right - frame.left, 516);
  EXPECT_EQ(frame.bottom - frame.top, 607);
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_NEAR(frame.left - area.left, area.right - frame.right, 1);
  EXPECT_NEAR(frame.top - area.top, area.bottom - frame.bottom, 1);
  const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_TRUE(IsWindowVisible(window_));
  EXPECT_EQ(backend_->TwipsPerPixelX(), 15);  // Wine's screen is 96 DPI
}

TEST_F(Win32Window, PresentedColoursReachTheScreenUnswapped) {
  Bitmap frame(516, 607, Color{0x133F6C});  // RGB(108, 63, 19): red differs from blue
  frame.Set(10, 20, Color{0xFF0000});       // pure blue
  backend_->Present(frame, {frame.Bounds()});

  HDC dc = GetDC(window_);
  EXPECT_EQ(GetPixel(dc, 100, 100), 0x133F6Cu);  // COLORREF has the Color layout
  EXPECT_EQ(GetPixel(dc, 10, 20), 0xFF0000u);
  ReleaseDC(window_, dc);
}

// Only the changed rectangle is handed over; it must land at its place, rows the right way up.
TEST_F(Win32Window, APartialPresentPutsTheChangedRectangleOnTheWindow) {
  Bitmap frame(516, 607, Color{0x133F6C});
  backend_->Present(frame, {frame.Bounds()});
  const PixelRect changed{10, 300, 20, 302};
  for (int x = changed.left; x < changed.right; ++x) {
    frame.Set(x, 300, Color{0x0000FF});
    frame.Set(x, 301, Color{0xFF0000});
  }
  backend_->Present(frame, {changed});

  HDC dc = GetDC(window_);
  EXPECT_EQ(GetPixel(dc, 10, 300), 0x0000FFu);
  EXPECT_EQ(GetPixel(dc, 19, 301), 0xFF0000u);
  EXPECT_EQ(GetPixel(dc, 20, 301), 0x133F6Cu);
  EXPECT_EQ(GetPixel(dc, 10, 302), 0x133F6Cu);
  ReleaseDC(window_, dc);
}

TEST_F(Win32Window, TheRegionShapesTheWindowAndCanBeTakenAway) {
  backend_->SetRegion(Region{{{10, 10, 20, 11}, {0, 11, 516, 607}}});
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(window_, shape), ERROR);
  EXPECT_TRUE(PtInRegion(shape, 10, 10));
  EXPECT_FALSE(PtInRegion(shape, 20, 10));
  EXPECT_FALSE(PtInRegion(shape, 5, 5));
  EXPECT_TRUE(PtInRegion(shape, 515, 606));

  backend_->SetRegion(std::nullopt);
  EXPECT_EQ(GetWindowRgn(window_, shape), ERROR);  // no region: rectangular
  DeleteObject(shape);
}

TEST_F(Win32Window, TypedCharactersKeysAndTheCloseRequest) {
  EXPECT_EQ(Describe(Deliver(WM_CHAR, 0xE9)), "text \xc3\xa9");        // é
  EXPECT_EQ(Describe(Deliver(WM_CHAR, 0x20AC)), "text \xe2\x82\xac");  // €
  EXPECT_EQ(Describe(Deliver(WM_CHAR, 0xD83C)), "nothing");            // one character in two units
  EXPECT_EQ(Describe(Deliver(WM_CHAR, 0xDF84)), "text \xf0\x9f\x8e\x84");
  EXPECT_EQ(Describe(Deliver(WM_CHAR, 0x08)), "nothing");  // Backspace comes as its key
  EXPECT_EQ(Describe(Deliver(WM_KEYDOWN, VK_BACK)),
            "key " + std::to_string(static_cast<int>(Key::Backspace)));
  EXPECT_EQ(Describe(Deliver(WM_KEYDOWN, 'Q')), "text q");  // a letter comes as its character

  EXPECT_EQ(Describe(Deliver(WM_CLOSE, 0)), "close");
  EXPECT_TRUE(IsWindow(window_));  // the card decides when to end
}

TEST_F(Win32Window, ClicksDoubleClicksAndLeaving) {
  EXPECT_EQ(Describe(Deliver(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40))), "down 30,40 x1");
  EXPECT_EQ(Describe(Deliver(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 40))), "down 30,40 x2");
  EXPECT_EQ(Describe(Deliver(WM_LBUTTONUP, 0, MAKELPARAM(31, 41))), "up 31,41");
  EXPECT_EQ(Describe(Deliver(WM_MOUSELEAVE, 0)), "move -1,-1");
}

TEST_F(Win32Window, WaitingEndsWhenTheTimerIsDueOrInputArrives) {
  const double start = backend_->Now();
  while (backend_->PollEvent()) {
  }
  EXPECT_EQ(Describe(backend_->WaitEvent(start + 0.05)), "nothing");
  EXPECT_GE(backend_->Now(), start + 0.05);
  EXPECT_LT(backend_->Now(), start + 1);

  PostMessageW(window_, WM_CLOSE, 0, 0);
  EXPECT_EQ(Describe(backend_->WaitEvent(backend_->Now() + 10)), "close");
  EXPECT_LT(backend_->Now(), start + 5);
}

TEST(Win32WindowText, GdiMeasuresAndDrawsTheCardsFaces) {
  GdiTextEngine text(96);
  const FontSpec greeting{"Times New Roman", 16.8, true, false};
  const TextExtent line = text.Measure(greeting, "Merry Christmas");
  EXPECT_GT(line.width, 100);
  EXPECT_GE(line.height, 22);  // 16.8 pt at 96 DPI is a 22-pixel em
  EXPECT_LT(line.height, 40);
  EXPECT_GT(text.Measure(greeting, "Merry Christmas!").width, line.width);
  EXPECT_EQ(text.Measure(greeting, "").width, 0);

  const CoverageMask mask = text.Render(greeting, "Merry Christmas");
  EXPECT_GE(mask.width, line.width);
  EXPECT_EQ(mask.height, line.height);
  EXPECT_GT(std::count(mask.coverage.begin(), mask.coverage.end(), 255), 20);
  // Single-byte greeting text is Windows-1252: "\xe9" is the same "é" as UTF-8's.
  EXPECT_EQ(text.Render(greeting, "caf\xe9").coverage,
            text.Render(greeting, "caf\xc3\xa9").coverage);
}

}  // namespace
}  // namespace frost
