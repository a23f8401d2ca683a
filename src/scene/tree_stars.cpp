#include "scene/tree_stars.h"

#include "scene/for_step.h"
#include "scene/star_construction.h"
#include "scene/tier_geometry.h"
#include "toolkit/errors.h"

namespace frost {

// One outline of a glowing star, 2 pixels wide. The pen width is shared by every painter and
// the yields between point pairs let others run (the sparkles leave 1, a firework up to 6), so
// it is set again just before the outline is drawn.
void TreeStars::DrawStarOutline(double cx, double cy, double radius) {
  PictureBox& picture = paint_.Picture1;
  picture.DrawWidth = 2;
  const StarPoints star = ConstructStar(cx, cy, radius, [&] { paint_.DoEventsIfOn(); });
  picture.DrawWidth = 2;
  DrawStarPath(picture, star, [&] { return paint_.ShadedColor(); });
}

// Nested outlines from the rim inward, each `brightnessStep` brighter, so the star looks filled
// and glowing.
void TreeStars::DrawGlowingStar(double cx, double cy, double outerRadius, double innerRadius,
                                double radiusStep, double brightnessStep) {
  paint_.Intensity = tree_.LightLevel();
  ForStep(outerRadius, innerRadius, radiusStep, [&](double radius) {
    DrawStarOutline(cx, cy, radius);
    paint_.Intensity += brightnessStep;
    paint_.DoEventsIfOn();
  });
}

// Two stars on every tier's base line, symmetric about the tree's axis. The inset starts at
// 1600 sy but shrinks by 125 sx per tier; the radii use sx. The smaller the tier, the faster a
// star brightens toward its centre.
void TreeStars::DrawOrnamentStars() {
  const double sx = paint_.ScaleX();
  double size = 350;
  double inset = 1600 * paint_.ScaleY();
  ForEachTier(sx, paint_.ScaleY(), [&](const Tier& tier) {
    const double centreY = CInt(tier.BaseY());
    for (const double centreX : {inset + tier.left, tier.RightX() - inset}) {
      DrawGlowingStar(CInt(centreX), centreY, size * sx, 10 * sx, -2, 3 * (1500 / tier.span));
    }
    size -= 35;
    inset -= 125 * sx;
  });
}

void TreeStars::DrawTopStar() {
  DrawGlowingStar(CInt(tree_.TopStarX()), CInt(tree_.TopStarY()), 500 * paint_.ScaleX(),
                  10 * paint_.ScaleX(), -18, 8);
}

// Ten rays of 3-pixel dots around the top star, 36 degrees apart with one straight up, growing
// brighter outward ring by ring. A failing dot is skipped alone.
void TreeStars::DrawTopStarSparkles() {
  PictureBox& picture = paint_.Picture1;
  double cx = 0;
  double cy = 0;
  Attempt([&] { cx = CInt(tree_.TopStarX()); });
  Attempt([&] { cy = CInt(tree_.TopStarY()); });
  paint_.Intensity = tree_.LightLevel();
  constexpr int kRays = 10;
  constexpr double kRayStep = kCardPi * 0.2;
  ForStep(10 * paint_.ScaleX(), 1780 * paint_.ScaleX(), 20, [&](double radius) {
    picture.DrawWidth = 2;
    double angle = kStarInnerStart;
    for (int ray = 0; ray < kRays; ++ray) {
      Attempt([&] {
        const StarPoint dot = InnerStarPoint(cx, cy, radius, angle);
        picture.DrawWidth = 3;
        picture.PSet(dot.x, dot.y, paint_.ShadedColor());
      });
      angle += kRayStep;
      paint_.DoEventsIfOn();
    }
    picture.DrawWidth = 1;
    paint_.Intensity += 2;
  });
}

}  // namespace frost
