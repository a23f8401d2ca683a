#pragma once
#include "scene/paint_context.h"
#include "scene/tree.h"

namespace frost {

// The tree's glowing stars: two on every tier, the big star on top and the sparkles around it,
// painted at the tree's light level.
class TreeStars {
 public:
  TreeStars(PaintContext& paint, const Tree& tree) : paint_(paint), tree_(tree) {}

  void DrawOrnamentStars();
  void DrawTopStar();
  void DrawTopStarSparkles();

 private:
  void DrawGlowingStar(double cx, double cy, double outerRadius, double innerRadius,
                       double radiusStep, double brightnessStep);
  void DrawStarOutline(double cx, double cy, double radius);

  PaintContext& paint_;
  const Tree& tree_;
};

}  // namespace frost
