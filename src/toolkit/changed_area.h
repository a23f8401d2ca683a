#pragma once
#include <cstddef>
#include <vector>

#include "toolkit/geometry.h"

namespace frost {

// The part of a window that changed since it was last presented, in window pixels: a few
// rectangles, merged once there would be more, so that noting one of the painters' tens of
// thousands of strokes stays cheap and a present copies little more than what changed.
class ChangedArea {
 public:
  static constexpr std::size_t kMaxRects = 8;

  void Add(const PixelRect& rect);
  void AddAll() {
    all_ = true;
    rects_.clear();
  }
  void Clear() {
    all_ = false;
    rects_.clear();
  }
  bool Empty() const { return !all_ && rects_.empty(); }
  // The changed rectangles within `bounds` (all of `bounds` after AddAll), none empty.
  std::vector<PixelRect> Within(const PixelRect& bounds) const;

 private:
  std::vector<PixelRect> rects_;
  bool all_ = false;
};

}  // namespace frost
