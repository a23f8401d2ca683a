#pragma once
#include <memory>
#include <span>
#include <string>

#include "toolkit/backend.h"

namespace frost {

// The Windows backend: one borderless (WS_POPUP) window centred on the screen, showing the
// composed frames with SetDIBitsToDevice and shaped with SetWindowRgn; the mouse, keyboard
// and typed characters (WM_CHAR) as input events; the window's close request (WM_CLOSE) as a
// CloseRequestEvent; waiting with MsgWaitForMultipleObjects until input comes or the next
// timer is due; the performance counter as the clock; GDI text. The process is made DPI-aware
// and twips per pixel follow the screen's logical DPI (96: 15, 120: 12).
class Win32Backend : public Backend {
 public:
  // Creates the (hidden) window. Where that fails it returns nullptr and sets `error` to one
  // line for the user.
  static std::unique_ptr<Win32Backend> Open(std::string& error);
  ~Win32Backend() override;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  double Now() override;
  void Sleep(double seconds) override;
  double ShortestSleep() override { return 0.002; }
  std::optional<InputEvent> PollEvent() override;
  std::optional<InputEvent> WaitEvent(double until) override;

  double TwipsPerPixelX() override;
  double TwipsPerPixelY() override;
  TextEngine& Text() override;

  void SetWindowSize(int width, int height) override;
  void SetWindowVisible(bool visible) override;
  void SetWindowTitle(const std::string& title) override;
  void SetWindowIcon(std::span<const CursorImage> images) override;
  void SetRegion(const std::optional<Region>& region) override;
  void SetCursor(const CursorImage* cursor) override;
  void Present(const Bitmap& frame, const std::vector<PixelRect>& changed) override;
  std::string ClipboardText() override;

  // The window's HWND, as void* so that this header needs no Windows header: the owner of
  // message boxes, and what the tests inspect.
  void* WindowHandle() const;

 private:
  struct State;
  explicit Win32Backend(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace frost
