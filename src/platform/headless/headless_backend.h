#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/backend.h"

namespace frost {

// The backend of tests and of the frame renderer: no window, a virtual clock that Sleep and
// WaitEvent advance at once (so an 80-second show renders in moments), input queued by the
// caller, and the presented frames kept in memory.
class HeadlessBackend : public Backend {
 public:
  using Capture = std::function<void(const Bitmap& frame, const std::optional<Region>& region)>;

  explicit HeadlessBackend(double twipsPerPixel = 15);
  ~HeadlessBackend() override;

  double Now() override { return now_; }
  void Sleep(double seconds) override;
  std::optional<InputEvent> PollEvent() override;
  std::optional<InputEvent> WaitEvent(double until) override;

  double TwipsPerPixelX() override { return twipsPerPixelX_; }
  double TwipsPerPixelY() override { return twipsPerPixelY_; }
  TextEngine& Text() override;

  void SetWindowSize(int width, int height) override;
  void SetWindowVisible(bool visible) override { windowVisible_ = visible; }
  void SetWindowTitle(const std::string& title) override { windowTitle_ = title; }
  void SetWindowIcon(std::span<const CursorImage> images) override {
    windowIcon_.assign(images.begin(), images.end());
  }
  void SetRegion(const std::optional<Region>& region) override { region_ = region; }
  void SetCursor(const CursorImage* cursor) override { cursor_ = cursor; }
  void Present(const Bitmap& frame, const std::vector<PixelRect>& changed) override;
  bool FramesSeen() const override { return framesSeen_; }
  std::string ClipboardText() override { return clipboard_; }

  // --- set up by tests and the frame renderer ---
  // The screen's twips per pixel (15 by default; 12 for large fonts). Also rebuilds the text
  // engine for the matching pixels per inch.
  void SetTwipsPerPixel(double x, double y);
  // Queues input. With a time, it arrives when the clock reaches that time; without, at once.
  // Mouse input outside the window region is dropped: a shaped window never receives it.
  void Push(InputEvent event);
  void Push(InputEvent event, double at);
  void SetClipboardText(std::string text) { clipboard_ = std::move(text); }
  // Off for a run that captures no frame: nothing is composed or kept then.
  void SetFramesSeen(bool seen) { framesSeen_ = seen; }
  // Calls `onCapture` once, when the clock first reaches or passes `at`, with the frame last
  // presented before that moment and the region then in force. Before the first presentation
  // the frame is empty (0 x 0); the caller may compose the form itself then.
  void AddCapture(double at, Capture onCapture);

  // --- what the window shows ---
  const Bitmap& LastFrame() const { return lastFrame_; }
  int PresentCount() const { return presentCount_; }
  int WindowWidth() const { return windowWidth_; }
  int WindowHeight() const { return windowHeight_; }
  bool WindowVisible() const { return windowVisible_; }
  const std::string& WindowTitle() const { return windowTitle_; }
  const std::vector<CursorImage>& WindowIcon() const { return windowIcon_; }
  const std::optional<Region>& WindowRegion() const { return region_; }
  const CursorImage* Cursor() const { return cursor_; }

 private:
  struct TimedEvent {
    double at;
    long sequence;
    InputEvent event;
  };
  struct PendingCapture {
    double at;
    long sequence;
    Capture onCapture;
  };

  void AdvanceClock(double to);
  // The first queued event due by `until` that the window would receive.
  std::optional<InputEvent> TakeEventDueBy(double until);
  bool ReachesWindow(const InputEvent& event) const;

  double now_ = 0;
  double twipsPerPixelX_;
  double twipsPerPixelY_;
  std::unique_ptr<TextEngine> text_;
  std::vector<TimedEvent> events_;        // sorted by time, then by order of pushing
  std::vector<PendingCapture> captures_;  // sorted likewise
  long sequence_ = 0;
  Bitmap lastFrame_;
  int presentCount_ = 0;
  int windowWidth_ = 0;
  int windowHeight_ = 0;
  bool windowVisible_ = false;
  std::string windowTitle_;
  std::vector<CursorImage> windowIcon_;
  std::optional<Region> region_;
  const CursorImage* cursor_ = nullptr;
  std::string clipboard_;
  bool framesSeen_ = true;
};

// Writes a frame as an RGBA PNG: pixels inside the region (all of them without one) opaque,
// the others fully transparent. Raises std::runtime_error when the file cannot be written.
void WritePng(const std::string& path, const Bitmap& frame, const std::optional<Region>& region);

}  // namespace frost
