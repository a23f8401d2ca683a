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

// The pixels of an ellipse: those whose centres lie inside the curve with half-axes a and b
// around (cx, cy).
class EllipseArea {
 public:
  EllipseArea(double cx, double cy, double a, double b)
      : a_(a),
        b_(b),
        cx_(cx),
        cy_(cy),
        top_(raster::CeilToInt(cy - b - kSlack)),
        bottom_(raster::FloorToInt(cy + b + kSlack) + 1) {}
  // The ellipse inscribed in a half-open box touches the box's outer edges, so its extreme
  // pixels are exactly left, right-1, top and bottom-1, as GDI's Ellipse has them.
  explicit EllipseArea(const PixelRect& box)
      : EllipseArea(box.left + box.Width() / 2.0 - 0.5, box.top + box.Height() / 2.0 - 0.5,
                    box.Width() / 2.0, box.Height() / 2.0) {}

  bool Empty() const { return a_ <= 0 || b_ <= 0; }
  int Top() const { return top_; }
  int Bottom() const { return bottom_; }  // excluded
  // The same ellipse with both half-axes changed by `by` pixels.
  EllipseArea Resized(double by) const { return {cx_, cy_, a_ + by, b_ + by}; }

  std::optional<Span> Row(int y) const {
    if (Empty() || y < top_ || y >= bottom_)
      return std::nullopt;
    const double dy = (y - cy_) / b_;
    const double half = a_ * std::sqrt(std::max(0.0, 1 - dy * dy));
    const int left = raster::CeilToInt(cx_ - half - kSlack);
    const int right = raster::FloorToInt(cx_ + half + kSlack);
    if (left > right)
      return std::nullopt;
    return Span{left, right};
  }

 private:
  static constexpr double kSlack = 1e-9;  // a centre exactly on the curve counts as inside
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

// The outline as a ring: an outer area less an inner one. A 1-pixel pen keeps the pixels of
// the ellipse that have a 4-neighbour outside it (a thin, gap-free curve) or lie outside the
// ellipse one pixel smaller on every side, so that the rings of consecutive radii cover a disc
// without holes. A wider pen is centred on that ring and grows by the same amount on every
// side, an even width by half a pixel.
class EllipseRing {
 public:
  EllipseRing(const PixelRect& bounds, int width)
      : outer_(EllipseArea(bounds).Resized((std::max(width, 1) - 1) / 2.0)),
        inner_(EllipseArea(bounds).Resized(-(std::max(width, 1) + 1) / 2.0)),
        thin_(width <= 1) {}

  // Calls emit(y, left, right) for the ring's one or two spans of each row of the area, top
  // to bottom; the rows above and below are carried along for the thin pen's neighbour test.
  template <class Emit>
  void Spans(const PixelRect& area, Emit&& emit) const {
    const int top = std::max(outer_.Top(), area.top);
    const int bottom = std::min(outer_.Bottom(), area.bottom);
    auto above = outer_.Row(top - 1), row = outer_.Row(top);
    for (int y = top; y < bottom; ++y) {
      const auto below = outer_.Row(y + 1);
      if (row) {
        const auto inner = inner_.Row(y);
        EmitRow(y, *row, thin_ ? Meet(ThinInside(*row, above, below), inner) : inner, emit);
      }
      above = row;
      row = below;
    }
  }

 private:
  template <class Emit>
  static void EmitRow(int y, Span row, std::optional<Span> inner, Emit& emit) {
    if (!inner) {
      emit(y, row.first, row.second);
      return;
    }
    if (row.first < inner->first)
      emit(y, row.first, inner->first - 1);
    if (inner->second < row.second)
      emit(y, inner->second + 1, row.second);
  }

  // Pixels of the row whose 4-neighbours all lie in the ellipse.
  static std::optional<Span> ThinInside(Span row, std::optional<Span> above,
                                        std::optional<Span> below) {
    const auto shrunk = row.first + 1 <= row.second - 1
                            ? std::optional<Span>{{row.first + 1, row.second - 1}}
                            : std::nullopt;
    return Meet(Meet(shrunk, above), below);
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
  EllipseRing(bounds, pen.width).Spans(area, [&](int y, int left, int right) {
    raster::FillSpan(target, area, y, left, right + 1, pen.color);
  });
}

void RasterArc(Bitmap& target, const PixelRect& clip, const PixelRect& bounds, double start,
               double end, const Pen& pen) {
  const PixelRect area = raster::DrawableArea(target, clip);
  if (area.Empty() || !raster::WithinLimits(bounds) || !std::isfinite(start) ||
      !std::isfinite(end)) {
    return;
  }
  const ArcFilter arc(bounds, start, end);
  EllipseRing(bounds, pen.width).Spans(area, [&](int y, int left, int right) {
    for (int x = std::max(left, area.left); x <= std::min(right, area.right - 1); ++x) {
      if (arc.Contains(x, y))
        target.Set(x, y, pen.color);
    }
  });
}

}  // namespace frost
