#pragma once
#include <memory>
#include <span>
#include <string>

#include "toolkit/backend.h"

namespace frost {

// The Linux desktop backend: one borderless SDL window of the card's size showing the composed
// frames, shaped to the window region where the display can shape windows (X11), the mouse and
// keyboard as input events, the real monotonic clock, and FreeType text.
class SdlBackend : public Backend {
 public:
  // Opens the video subsystem and creates the (hidden) window. Where there is no display it
  // returns nullptr and sets `error` to one line for the user, e.g. "Frostmail: no display
  // found (DISPLAY is not set); cannot open the card window".
  static std::unique_ptr<SdlBackend> Open(std::string& error);
  ~SdlBackend() override;
  SdlBackend(const SdlBackend&) = delete;
  SdlBackend& operator=(const SdlBackend&) = delete;

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

  // Whether the window follows the region (false where the display cannot shape windows).
  bool Shaped() const;

 private:
  struct State;
  explicit SdlBackend(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace frost
