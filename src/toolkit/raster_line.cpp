// Lines and dots: Bresenham for the 1-pixel pen, row spans of a round-capped stroke for wider
// pens.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "toolkit/raster_span.h"

namespace frost {
namespace {

using raster::DrawableArea;
using raster::FillSpan;

// Steps i with lo <= i < hi of a walk along one axis from `start` in direction `sign`, whose
// positions start + sign * i lie in [areaLo, areaHi).
struct StepRange {
  std::int64_t lo;
  std::int64_t hi;
};
StepRange StepsInside(std::int64_t start, int sign, int areaLo, int areaHi) {
  if (sign > 0)
    return {areaLo - start, areaHi - start};
  return {start - areaHi + 1, start - areaLo + 1};
}

// Smallest integer not below a / b, for b > 0.
std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
  return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

// Bresenham along the major axis u with the minor axis v: step i lands on
// v0 + sv * k(i), k(i) = floor((2 i m + n) / 2n), i.e. i * m / n rounded. Clipping picks the
// range of i whose pixels lie inside, so a clipped line keeps exactly the pixels it had.
void ThinDiagonal(Bitmap& target, const PixelRect& area, PixelPoint from, PixelPoint to, Color c) {
  const std::int64_t dx = to.x - from.x, dy = to.y - from.y;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const std::int64_t n = xMajor ? std::abs(dx) : std::abs(dy);
  const std::int64_t m = xMajor ? std::abs(dy) : std::abs(dx);
  const int su = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const int sv = (xMajor ? dy : dx) > 0 ? 1 : -1;
  const int u0 = xMajor ? from.x : from.y;
  const int v0 = xMajor ? from.y : from.x;

  // A 1-pixel line leaves out its end pixel, as GDI does: steps 0 .. n-1.
  StepRange steps{0, n};
  const StepRange major = xMajor ? StepsInside(u0, su, area.left, area.right)
                                 : StepsInside(u0, su, area.top, area.bottom);
  const StepRange minorK = xMajor ? StepsInside(v0, sv, area.top, area.bottom)
                                  : StepsInside(v0, sv, area.left, area.right);
  // k(i) >= K  <=>  i >= ceil((2K - 1) n / 2m), and k is non-decreasing in i.
  auto firstStepReaching = [&](std::int64_t k) {
    return k <= 0 ? std::int64_t{0} : CeilDiv((2 * k - 1) * n, 2 * m);
  };
  steps.lo = std::max({steps.lo, major.lo, firstStepReaching(minorK.lo)});
  steps.hi = std::min({steps.hi, major.hi, firstStepReaching(minorK.hi)});
  if (steps.lo >= steps.hi)
    return;

  const std::int64_t twoN = 2 * n;
  std::int64_t numerator = 2 * steps.lo * m + n;
  std::int64_t k = numerator / twoN;
  std::int64_t error = numerator % twoN;
  const std::int64_t u = u0 + su * steps.lo;
  const std::int64_t v = v0 + sv * k;
  // Walked as an index, which may step past the bitmap after the last pixel.
  const std::int64_t stride = target.Width();
  std::uint32_t* pixels = target.Row(0);
  std::int64_t at = xMajor ? v * stride + u : u * stride + v;
  const std::int64_t majorStep = xMajor ? su : su * stride;
  const std::int64_t minorStep = xMajor ? sv * stride : sv;
  for (std::int64_t i = steps.lo; i < steps.hi; ++i) {
    pixels[at] = c.value;
    at += majorStep;
    error += 2 * m;
    if (error >= twoN) {
      error -= twoN;
      at += minorStep;
    }
  }
}

void ThinLine(Bitmap& target, const PixelRect& area, PixelPoint from, PixelPoint to, Color c) {
  if (from == to)
    return;
  if (from.y == to.y) {
    const int left = from.x < to.x ? from.x : to.x + 1;
    const int right = from.x < to.x ? to.x : from.x + 1;
    FillSpan(target, area, from.y, left, right, c);
    return;
  }
  if (from.x == to.x) {
    const int top = from.y < to.y ? from.y : to.y + 1;
    const int bottom = from.y < to.y ? to.y : from.y + 1;
    raster::FillRect(target, area, {from.x, top, from.x + 1, bottom}, c);
    return;
  }
  ThinDiagonal(target, area, from, to, c);
}

// Pixels lo..hi (inclusive) of one row; empty when lo > hi.
struct PixelSpan {
  int lo = std::numeric_limits<int>::max();
  int hi = std::numeric_limits<int>::min();
  void Unite(int l, int h) {
    if (l <= h)
      lo = std::min(lo, l), hi = std::max(hi, h);
  }
};

// A round pen of width w is a disc of diameter w on the pixel grid: pixel centres whose squared
// distance to the pen centre is below (w^2 - 1) / 4, which gives the familiar digital discs
// (2x2, a plus for 3, 2-4-4-2, 3-5-5-5-3, ...). An even width sits half a pixel up and left.
// In doubled coordinates every distance is an integer: pixel offset (k, j) from the pen's pixel
// is covered when (2k + e)^2 + (2j + e)^2 < w^2 - 1, with e = 1 for even widths, else 0. The
// disc is symmetric about -e/2, so one half-width per row distance suffices, found by integer
// steps (no square roots) since it shrinks away from the centre.
class PenDisc {
 public:
  explicit PenDisc(int width) : width_(width), shift_(width % 2 == 0 ? 1 : 0) {
    const std::int64_t limit = static_cast<std::int64_t>(width) * width - 1;
    auto square = [this](std::int64_t t) { return (2 * t + shift_) * (2 * t + shift_); };
    std::int64_t k = width / 2;
    for (std::int64_t t = 0; square(t) + shift_ < limit; ++t) {
      while (k >= 0 && square(k) + square(t) >= limit) --k;
      halfWidths_.push_back(static_cast<int>(k));
    }
  }

  int Width() const { return width_; }
  int Reach() const { return static_cast<int>(halfWidths_.size()) - 1; }  // rows below centre
  int Shift() const { return shift_; }  // and Reach() + Shift() rows above it

  // Covered pixels of row `y` of the disc on pixel (x, cy).
  void AddRow(PixelSpan& span, int x, int cy, int y) const {
    const std::int64_t j = static_cast<std::int64_t>(y) - cy;
    const std::int64_t t = j >= 0 ? j : -j - shift_;
    if (t < 0 || t > Reach())
      return;
    const int half = halfWidths_[t];
    span.Unite(x - half - shift_, x + half);
  }

 private:
  int width_;
  int shift_;
  std::vector<int> halfWidths_;  // by row distance t, where row offset j is t or -t - shift
};

// The painters draw thousands of strokes with one pen: its disc is worked out once per width.
const PenDisc& DiscOfWidth(int width) {
  thread_local PenDisc last(1);
  if (last.Width() != width)
    last = PenDisc(width);
  return last;
}

// The part of a stroke between its two end discs: pixel centres within the pen's radius of the
// segment's line whose projection falls on the segment. Per-row coefficients are set up once, so
// that a row costs a few multiplications.
class Band {
 public:
  Band(PixelPoint from, PixelPoint to, int width) {
    const double shift = width % 2 == 0 ? -0.5 : 0.0;
    ax_ = from.x + shift, ay_ = from.y + shift;
    radius_ = std::sqrt((static_cast<double>(width) * width - 1) / 4);
    dx_ = to.x - from.x, dy_ = to.y - from.y;
    length2_ = dx_ * dx_ + dy_ * dy_;
    if (dy_ != 0) {
      slope_ = dx_ / dy_;
      halfWidth_ = radius_ * std::sqrt(length2_) / std::abs(dy_);
    }
    if (dx_ != 0) {
      rise_ = dy_ / dx_;
      endOffset_ = length2_ / dx_;
    }
  }

  void AddRow(PixelSpan& span, int y) const {
    if (length2_ == 0)
      return;
    const double ry = y - ay_;
    double lo = -HUGE_VAL, hi = HUGE_VAL;
    if (dy_ == 0) {
      if (std::abs(ry) >= radius_)
        return;
    } else {
      const double centre = ax_ + ry * slope_;
      lo = centre - halfWidth_, hi = centre + halfWidth_;
    }
    // Projection t = ((x - ax) dx + ry dy) / |d|^2 within [0, 1].
    if (dx_ == 0) {
      const double t = ry * dy_ / length2_;
      if (t < 0 || t > 1)
        return;
    } else {
      const double atStart = ax_ - ry * rise_;
      const double atEnd = atStart + endOffset_;
      lo = std::max(lo, std::min(atStart, atEnd)), hi = std::min(hi, std::max(atStart, atEnd));
    }
    // Strictly inside: a centre exactly on the boundary is not covered.
    if (lo < hi)
      span.Unite(raster::FloorToInt(lo) + 1, raster::CeilToInt(hi) - 1);
  }

 private:
  double ax_, ay_, radius_;
  double dx_, dy_, length2_;
  double slope_ = 0, halfWidth_ = 0, rise_ = 0, endOffset_ = 0;
};

// A stroke is the pen's disc swept along the segment (a capsule): the two end discs and the
// band between them. The capsule is convex, so each row of it is one span.
void WideLine(Bitmap& target, const PixelRect& area, PixelPoint from, PixelPoint to, int width,
              Color c) {
  const PenDisc& disc = DiscOfWidth(width);
  const Band band(from, to, width);
  const int top = std::max(std::min(from.y, to.y) - disc.Reach() - disc.Shift(), area.top);
  const int bottom = std::min(std::max(from.y, to.y) + disc.Reach(), area.bottom - 1);
  for (int y = top; y <= bottom; ++y) {
    PixelSpan span;
    disc.AddRow(span, from.x, from.y, y);
    disc.AddRow(span, to.x, to.y, y);
    band.AddRow(span, y);
    if (span.lo <= span.hi)
      FillSpan(target, area, y, span.lo, span.hi + 1, c);
  }
}

}  // namespace

void RasterLine(Bitmap& target, const PixelRect& clip, PixelPoint from, PixelPoint to,
                const Pen& pen) {
  const PixelRect area = DrawableArea(target, clip);
  if (area.Empty() || !raster::WithinLimits(from) || !raster::WithinLimits(to))
    return;
  if (pen.width <= 1) {
    ThinLine(target, area, from, to, pen.color);
  } else {
    WideLine(target, area, from, to, pen.width, pen.color);
  }
}

void RasterDot(Bitmap& target, const PixelRect& clip, PixelPoint at, const Pen& pen) {
  const PixelRect area = DrawableArea(target, clip);
  if (area.Empty() || !raster::WithinLimits(at))
    return;
  if (pen.width <= 1) {
    if (area.Contains(at))
      target.Set(at.x, at.y, pen.color);
  } else {
    WideLine(target, area, at, at, pen.width, pen.color);
  }
}

}  // namespace frost
