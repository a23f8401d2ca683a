#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "toolkit/bitmap.h"
#include "toolkit/input.h"
#include "toolkit/text.h"

namespace frost {

// A window region: the union of rectangles (window pixels). No region = rectangular window.
struct Region {
  std::vector<PixelRect> rects;
  friend bool operator==(const Region&, const Region&) = default;
};

// A mouse cursor image: 0xAARRGGBB pixels, row by row, and its hot spot.
struct CursorImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;
  PixelPoint hotSpot;
};

// What a backend supplies to the toolkit: one top-level window showing finished frames, input,
// time, a window region, cursors and text rasterisation. The toolkit above it is the same on
// every backend (sdl, win32, headless).
class Backend {
 public:
  virtual ~Backend() = default;

  // Show clock: monotonic seconds since the program started. Headless runs use a virtual clock
  // that Sleep and WaitEvent advance instantly.
  virtual double Now() = 0;
  virtual void Sleep(double seconds) = 0;
  // The shortest pacing wait worth a real sleep: shorter ones are gathered until they add up to
  // it, sparing a live run thousands of wake-ups a second. 0 (the virtual clock): every wait.
  virtual double ShortestSleep() { return 0; }
  // Returns the next pending input event, if any, without waiting.
  virtual std::optional<InputEvent> PollEvent() = 0;
  // Waits until an input event arrives or the clock reaches `until`, whichever is first.
  virtual std::optional<InputEvent> WaitEvent(double until) = 0;

  virtual double TwipsPerPixelX() = 0;
  virtual double TwipsPerPixelY() = 0;
  virtual TextEngine& Text() = 0;

  // The frameless top-level window.
  virtual void SetWindowSize(int width, int height) = 0;
  virtual void SetWindowVisible(bool visible) = 0;
  virtual void SetWindowTitle(const std::string& title) = 0;
  // The window icon in every size it comes in, smallest first.
  virtual void SetWindowIcon(std::span<const CursorImage> images) = 0;
  virtual void SetRegion(const std::optional<Region>& region) = 0;
  virtual void SetCursor(const CursorImage* cursor) = 0;  // nullptr: the arrow
  // Shows a finished frame of the window's size, of which only the `changed` rectangles (within
  // the frame) differ from the frame presented before; a backend may copy more, for instance
  // all of it after the window's size changed.
  virtual void Present(const Bitmap& frame, const std::vector<PixelRect>& changed) = 0;
  // False when no one will look at presented frames: the toolkit then skips composing them,
  // keeping the presentation's timing.
  virtual bool FramesSeen() const { return true; }
  // The clipboard's text (UTF-8) for pasting; empty when there is none.
  virtual std::string ClipboardText() { return {}; }
};

}  // namespace frost
