#include "platform/headless/headless_backend.h"

#include <algorithm>

#include "platform/text_engine.h"

namespace frost {
namespace {

template <class Entry>
void InsertByTime(std::vector<Entry>& entries, Entry entry) {
  auto later = std::ranges::upper_bound(entries, entry.at, {}, &Entry::at);
  entries.insert(later, std::move(entry));
}

std::optional<PixelPoint> MousePosition(const InputEvent& event) {
  return std::visit(
      [](const auto& e) -> std::optional<PixelPoint> {
        if constexpr (requires { e.at; }) {
          return e.at;
        } else {
          return std::nullopt;
        }
      },
      event);
}

}  // namespace

HeadlessBackend::HeadlessBackend(double twipsPerPixel)
    : twipsPerPixelX_(twipsPerPixel), twipsPerPixelY_(twipsPerPixel) {}

HeadlessBackend::~HeadlessBackend() = default;

void HeadlessBackend::Sleep(double seconds) {
  AdvanceClock(now_ + std::max(0.0, seconds));
}

std::optional<InputEvent> HeadlessBackend::PollEvent() {
  return TakeEventDueBy(now_);
}

std::optional<InputEvent> HeadlessBackend::WaitEvent(double until) {
  while (!events_.empty() && events_.front().at <= until) {
    AdvanceClock(events_.front().at);
    if (std::optional<InputEvent> event = TakeEventDueBy(now_))
      return event;
  }
  AdvanceClock(until);
  return std::nullopt;
}

std::optional<InputEvent> HeadlessBackend::TakeEventDueBy(double until) {
  while (!events_.empty() && events_.front().at <= until) {
    InputEvent event = std::move(events_.front().event);
    events_.erase(events_.begin());
    if (ReachesWindow(event))
      return event;
  }
  return std::nullopt;
}

bool HeadlessBackend::ReachesWindow(const InputEvent& event) const {
  const std::optional<PixelPoint> at = MousePosition(event);
  if (!at || !region_)
    return true;
  return std::ranges::any_of(region_->rects, [&](const PixelRect& r) { return r.Contains(*at); });
}

void HeadlessBackend::AdvanceClock(double to) {
  now_ = std::max(now_, to);
  while (!captures_.empty() && captures_.front().at <= now_) {
    // Taken off the list first: the callback may add further captures.
    Capture onCapture = std::move(captures_.front().onCapture);
    captures_.erase(captures_.begin());
    onCapture(lastFrame_, region_);
  }
}

TextEngine& HeadlessBackend::Text() {
  if (!text_)
    text_ = MakePlatformTextEngine(1440.0 / twipsPerPixelY_);
  return *text_;
}

void HeadlessBackend::SetTwipsPerPixel(double x, double y) {
  twipsPerPixelX_ = x;
  twipsPerPixelY_ = y;
  text_.reset();
}

void HeadlessBackend::SetWindowSize(int width, int height) {
  windowWidth_ = width;
  windowHeight_ = height;
}

void HeadlessBackend::Present(const Bitmap& frame, const std::vector<PixelRect>& changed) {
  if (lastFrame_.Width() != frame.Width() || lastFrame_.Height() != frame.Height()) {
    lastFrame_ = frame;
  } else {
    // Only what changed: a show presents thousands of frames.
    for (const PixelRect& rect : changed) CopyRect(frame, rect, lastFrame_);
  }
  ++presentCount_;
}

void HeadlessBackend::Push(InputEvent event) {
  Push(std::move(event), now_);
}

void HeadlessBackend::Push(InputEvent event, double at) {
  InsertByTime(events_, TimedEvent{at, sequence_++, std::move(event)});
}

void HeadlessBackend::AddCapture(double at, Capture onCapture) {
  InsertByTime(captures_, PendingCapture{at, sequence_++, std::move(onCapture)});
  // A capture for a moment already passed is due at once.
  AdvanceClock(now_);
}

}  // namespace frost
