#pragma once
#include <array>
#include <functional>

#include "toolkit/color.h"

namespace frost {

// The card's own value of pi, which fixes where every star point lands.
inline constexpr double kCardPi = 3.1416;
// Outer points start straight up; inner points half a point step later.
inline constexpr double kStarOuterStart = -kCardPi / 2;
inline constexpr double kStarInnerStart = -kCardPi / 2 + 1.25664 / 2;
// 144 degrees: every second corner of a regular decagon.
inline constexpr double kStarPointStep = 2.51328;
// The inner points lie at 2 / 5 of the outer radius.
inline constexpr double kStarInnerDivisor = 2.5;
inline constexpr int kStarPointCount = 5;

struct StarPoint {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(StarPoint, StarPoint) = default;
};

struct StarPoints {
  std::array<StarPoint, kStarPointCount> outer;
  std::array<StarPoint, kStarPointCount> inner;
};

// The outer and inner point of pair i, with the angles advanced i times (each coordinate rounded
// half to even into a 16-bit integer, so far-off centres raise an overflow).
StarPoint OuterStarPoint(double cx, double cy, double radius, double angle);
StarPoint InnerStarPoint(double cx, double cy, double radius, double angle);

// Builds the five point pairs in order; `afterPair` runs after each pair (the painters yield
// there).
template <class AfterPair>
StarPoints ConstructStar(double cx, double cy, double radius, AfterPair&& afterPair) {
  StarPoints star;
  double outerAngle = kStarOuterStart;
  double innerAngle = kStarInnerStart;
  for (int i = 0; i < kStarPointCount; ++i) {
    star.outer[i] = OuterStarPoint(cx, cy, radius, outerAngle);
    star.inner[i] = InnerStarPoint(cx, cy, radius, innerAngle);
    outerAngle += kStarPointStep;
    innerAngle += kStarPointStep;
    afterPair();
  }
  return star;
}

inline StarPoints ConstructStar(double cx, double cy, double radius) {
  return ConstructStar(cx, cy, radius, [] {});
}

// The outline as one connected path: outer 0, inner 0, outer 3, inner 3, outer 1, inner 1,
// outer 4, inner 4, outer 2, inner 2 and back to outer 0.
std::array<StarPoint, 2 * kStarPointCount + 1> StarOutlinePath(const StarPoints& star);

class PictureBox;
// Draws that path: the first line between its two points, the other nine continued from the
// current point, each in the colour `segmentColor` gives just before it is drawn.
void DrawStarPath(PictureBox& surface, const StarPoints& star,
                  const std::function<Color()>& segmentColor);

}  // namespace frost
