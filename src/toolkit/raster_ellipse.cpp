// Ellipses, their fill and their arcs, row by row.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>

#include "toolkit/raster_span.h"

namespace frost {
namespace {

using Span = std::pair<int, int>;  // left..right, both included

// The pixels of an ellipse inscribed in a half-open box: those whose centres lie inside the
// ellipse that touches the box's outer edges. The extreme pixels are then exactly left,
// right-1, top and bottom-1, as GDI's Ellipse has them.
class EllipseArea {
 public:
  explicit EllipseArea(const PixelRect& box)
      : a_(box.Width() / 2.0),
        b_(box.Height() / 2.0),
        cx_(box.left + a_ - 0.5),
        cy_(box.top + b_ - 0.5),
        top_(box.top),
        bottom_(box.bottom) {}

  bool Empty() const { return a_ <= 0 || b_ <= 0; }
  int Top() const { return top_; }
  int Bottom() const { return bottom_; }  // excluded

  std::optional<Span> Row(int y) const {
    if (Empty() || y < top_ || y >= bottom_)
      return std::nullopt;
    const double dy = (y - cy_) / b_;
    const double half = a_ * std::sqrt(std::max(0.0, 1 - dy * dy));
    constexpr double kSlack = 1e-9;  // a centre exactly on the curve counts as inside
    const int left = raster::CeilToInt(cx_ - half - kSlack);
    const int right = raster::FloorToInt(cx_ + half + kSlack);
    if (left > right)
      return std::nullopt;
    return Span{left, right};
  }

 private:
  double a_, b_, cx_, cy_;
  int top_, bottom_;
};

std::optional<Span> Meet(std::optional<Span> a, std::optional<Span> b) {
  if (!a || !b)
    return std::nullopt;
  Span s{std::max(a->first, b->first), std::min(a->second, b->second)};
  if (s.first > s.second)
    return std::nullopt;
  return s;
}

// The outline as a ring: an outer area less an inner one. A 1-pixel pen keeps the pixels of the
// ellipse that have a 4-neighbour outside it (a thin, gap-free curve); a wider pen is centred on
// the curve, the inner ellipse `width` pixels inside the outer one.
class EllipseRing {
 public:
  EllipseRing(const PixelRect& bounds, int width)
      : outer_(width <= 1 ? bounds : Grown(bounds, width)),
        inner_(Shrunk(Grown(bounds, width), width)),
        thin_(width <= 1) {}

  int Top() const { return outer_.Top(); }
  int Bottom() const { return outer_.Bottom(); }

  // Calls emit(y, left, right) for the ring's one or two spans of row y.
  template <class Emit>
  void Row(int y, Emit&& emit) const {
    const auto outer = outer_.Row(y);
    if (!outer)
      return;
    const auto inner = InnerRow(y, *outer);
    if (!inner) {
      emit(y, outer->first, outer->second);
      return;
    }
    if (outer->first < inner->first)
      emit(y, outer->first, inner->first - 1);
    if (inner->second < outer->second)
      emit(y, inner->second + 1, outer->second);
  }

 private:
  static PixelRect Grown(const PixelRect& r, int width) {
    const auto [lo, hi] = raster::ExtentOf(width);
    return {r.left + lo, r.top + lo, r.right + hi, r.bottom + hi};
  }
  static PixelRect Shrunk(const PixelRect& r, int by) {
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
  }

  std::optional<Span> InnerRow(int y, Span outer) const {
    if (!thin_)
      return inner_.Row(y);
    const auto shrunk = outer.first + 1 <= outer.second - 1
                            ? std::optional<Span>{{outer.first + 1, outer.second - 1}}
                            : std::nullopt;
    return Meet(Meet(shrunk, outer_.Row(y - 1)), outer_.Row(y + 1));
  }

  EllipseArea outer_;
  EllipseArea inner_;
  bool thin_;
};

// Parametric angle of a pixel on the ellipse, counter-clockwise as seen on the screen (y down).
class ArcFilter {
 public:
  ArcFilter(const PixelRect& bounds, double start, double end)
      : cx_(bounds.left + bounds.Width() / 2.0 - 0.5),
        cy_(bounds.top + bounds.Height() / 2.0 - 0.5),
        a_(std::max(bounds.Width() / 2.0, 0.5)),
        b_(std::max(bounds.Height() / 2.0, 0.5)),
        start_(Normalised(start)) {
    sweep_ = Normalised(end) - start_;
    if (sweep_ <= 0)
      sweep_ += kTurn;  // equal angles: the whole ellipse
  }

  bool Contains(int x, int y) const {
    const double angle = std::atan2(-(y - cy_) / b_, (x - cx_) / a_);
    return Normalised(angle - start_) <= sweep_ + 1e-9;
  }

 private:
  static constexpr double kTurn = 2 * std::numbers::pi;
  static double Normalised(double angle) {
    const double r = std::fmod(angle, kTurn);
    return r < 0 ? r + kTurn : r;
  }
  double cx_, cy_, a_, b_, start_, sweep_;
};

}  // namespace

void RasterFillEllipse(Bitmap& target, const PixelRect& clip, const PixelRect& bounds, Color fill) {
  const PixelRect area = raster::DrawableArea(target, clip);
  if (area.Empty() || !raster::WithinLimits(bounds))
    return;
  const EllipseArea inside(bounds);
  const int top = std::max(inside.Top(), area.top);
  const int bottom = std::min(inside.Bottom(), area.bottom);
  for (int y = top; y < bottom; ++y) {
    if (auto span = inside.Row(y)) {
      raster::FillSpan(target, area, y, span->first, span->second + 1, fill);
    }
  }
}

void RasterEllipse(Bitmap& target, const PixelRect& clip, const PixelRect& bounds, const Pen& pen,
                   const Color* fill) {
  const PixelRect area = raster::DrawableArea(target, clip);
  if (area.Empty() || !raster::WithinLimits(bounds))
    return;
  // GDI paints the inside first and the outline over it.
  if (fill)
    RasterFillEllipse(target, area, bounds, *fill);
  const EllipseRing ring(bounds, pen.width);
  const int top = std::max(ring.Top(), area.top);
  const int bottom = std::min(ring.Bottom(), area.bottom);
  for (int y = top; y < bottom; ++y) {
    ring.Row(y, [&](int row, int left, int right) {
      raster::FillSpan(target, area, row, left, right + 1, pen.color);
    });
  }
}

void RasterArc(Bitmap& target, const PixelRect& clip, const PixelRect& bounds, double start,
               double end, const Pen& pen) {
  const PixelRect area = raster::DrawableArea(target, clip);
  if (area.Empty() || !raster::WithinLimits(bounds) || !std::isfinite(start) ||
      !std::isfinite(end)) {
    return;
  }
  const EllipseRing ring(bounds, pen.width);
  const ArcFilter arc(bounds, start, end);
  const int top = std::max(ring.Top(), area.top);
  const int bottom = std::min(ring.Bottom(), area.bottom);
  for (int y = top; y < bottom; ++y) {
    ring.Row(y, [&](int row, int left, int right) {
      for (int x = std::max(left, area.left); x <= std::min(right, area.right - 1); ++x) {
        if (arc.Contains(x, row))
          target.Set(x, row, pen.color);
      }
    });
  }
}

}  // namespace frost
