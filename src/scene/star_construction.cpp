#include "scene/star_construction.h"

#include <cmath>

#include "toolkit/numeric.h"
#include "toolkit/picture_box.h"

namespace frost {

StarPoint OuterStarPoint(double cx, double cy, double radius, double angle) {
  return {CInt(cx + std::cos(angle) * radius), CInt(cy + std::sin(angle) * radius)};
}

StarPoint InnerStarPoint(double cx, double cy, double radius, double angle) {
  return {CInt(cx + std::cos(angle) * radius / kStarInnerDivisor),
          CInt(cy + std::sin(angle) * radius / kStarInnerDivisor)};
}

std::array<StarPoint, 2 * kStarPointCount + 1> StarOutlinePath(const StarPoints& star) {
  // The construction advances 144 degrees per point, so the order 0, 3, 1, 4, 2 walks round the
  // star in 72-degree steps, each inner point lying halfway between two tips.
  constexpr std::array<int, kStarPointCount> kTipOrder = {0, 3, 1, 4, 2};
  std::array<StarPoint, 2 * kStarPointCount + 1> path;
  for (int i = 0; i < kStarPointCount; ++i) {
    path[2 * i] = star.outer[kTipOrder[i]];
    path[2 * i + 1] = star.inner[kTipOrder[i]];
  }
  path.back() = star.outer[0];
  return path;
}

void DrawStarPath(PictureBox& surface, const StarPoints& star,
                  const std::function<Color()>& segmentColor) {
  const auto path = StarOutlinePath(star);
  surface.Line(path[0].x, path[0].y, path[1].x, path[1].y, segmentColor());
  for (std::size_t i = 2; i < path.size(); ++i) {
    surface.LineTo(path[i].x, path[i].y, segmentColor());
  }
}

}  // namespace frost
