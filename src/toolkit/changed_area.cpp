#include "toolkit/changed_area.h"

#include <algorithm>
#include <cstdint>

namespace frost {
namespace {

std::int64_t Area(const PixelRect& rect) {
  return static_cast<std::int64_t>(rect.Width()) * rect.Height();
}

}  // namespace

void ChangedArea::Add(const PixelRect& rect) {
  if (all_ || rect.Empty())
    return;
  // Strokes come in runs over one spot: the last rectangle is the likeliest to hold it.
  for (auto it = rects_.rbegin(); it != rects_.rend(); ++it) {
    if (it->Covers(rect))
      return;
  }
  if (rects_.size() < kMaxRects) {
    rects_.push_back(rect);
    return;
  }
  // Full: grow the rectangle that grows least by taking it in.
  auto growth = [&](const PixelRect& kept) { return Area(kept.Union(rect)) - Area(kept); };
  auto best = std::ranges::min_element(
      rects_, [&](const PixelRect& a, const PixelRect& b) { return growth(a) < growth(b); });
  *best = best->Union(rect);
}

std::vector<PixelRect> ChangedArea::Within(const PixelRect& bounds) const {
  if (all_)
    return bounds.Empty() ? std::vector<PixelRect>{} : std::vector<PixelRect>{bounds};
  std::vector<PixelRect> within;
  for (const PixelRect& rect : rects_) {
    const PixelRect clipped = rect.Intersect(bounds);
    if (!clipped.Empty())
      within.push_back(clipped);
  }
  return within;
}

}  // namespace frost
