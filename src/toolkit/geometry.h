#pragma once
#include <algorithm>

namespace frost {

struct PixelPoint {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(PixelPoint, PixelPoint) = default;
};

// Half-open: covers left..right-1 and top..bottom-1, as GDI rectangles do.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Empty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(PixelPoint p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  constexpr PixelRect Intersect(const PixelRect& o) const {
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
            std::min(bottom, o.bottom)};
  }
  // The smallest rectangle holding both; an empty one adds nothing.
  constexpr PixelRect Union(const PixelRect& o) const {
    if (o.Empty())
      return *this;
    if (Empty())
      return o;
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
            std::max(bottom, o.bottom)};
  }
  constexpr bool Covers(const PixelRect& o) const {
    return o.left >= left && o.top >= top && o.right <= right && o.bottom <= bottom;
  }
  constexpr PixelRect Grown(int by) const { return {left - by, top - by, right + by, bottom + by}; }
  constexpr PixelRect Offset(int dx, int dy) const {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }
  friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

}  // namespace frost
