#include "scene/tree.h"

#include "scene/for_step.h"
#include "scene/tier_geometry.h"

namespace frost {

// A band of horizontal lines under the tree. The rows are placed with sx but the band's 700-twip
// depth is not scaled; each row's right end moves one twip outward, and the brightness is a
// saw-tooth from 100 to 180 that restarts every 161 rows.
void Tree::DrawGround() {
  PictureBox& picture = paint_.Picture1;
  paint_.Intensity = 100;
  double centre = 500 * paint_.ScaleX();
  ForStep(7700 * paint_.ScaleX(), 7700 * paint_.ScaleX() + 700, 1, [&](double y) {
    picture.Line(centre - picture.Width() / 2, y, centre + picture.Width() / 2, y,
                 paint_.ShadedColor());
    centre += 1;
    paint_.Intensity += 0.5;
    if (paint_.Intensity > 180)
      paint_.Intensity = 100;
    paint_.DoEventsIfOn();
  });
}

namespace {

// Bands of 81 parallel lines (at sx = 1) along the two slopes and the base, brightest along
// their middle, so the edges look like a rounded golden rope.
void DrawTierEdges(PaintContext& paint, const Tier& tier, double edgeLevel) {
  PictureBox& picture = paint.Picture1;
  const double edge = 40 * paint.ScaleX();
  const double base = tier.BaseY();
  const double apex = tier.ApexY();
  paint.Intensity = edgeLevel;
  ForStep(-edge, edge, 1, [&](double d) {
    const double x = tier.left + d;
    picture.Line(x, base, x + tier.span / 2, apex, paint.ShadedColor());
    picture.Line(x + tier.span / 2, apex, x + tier.span, base, paint.ShadedColor());
    picture.Line(tier.RightX() + edge - 20, base + d, tier.left - edge + 10, base + d,
                 paint.ShadedColor());
    paint.Intensity += d < 0 ? 2 : -2;
    paint.DoEventsIfOn();
  });
}

// Horizontal lines 1.3 twips apart from just above the base toward the apex, each 2.2 twips
// shorter than the one below and a little brighter. No yield: a tier's fill appears at once.
void DrawTierFill(PaintContext& paint, const Tier& tier, double fillLevel) {
  const double inset = 80 * paint.ScaleX();
  double margin = 1;
  paint.Intensity = fillLevel;
  ForStep(tier.BaseY() - inset + 20, 2 * (tier.offset + inset - 20), -1.3, [&](double y) {
    paint.Picture1.Line(tier.left + margin + inset, y, tier.RightX() - margin - inset, y,
                        paint.ShadedColor());
    margin += 1.1;
    paint.Intensity += 0.2;
  });
}

}  // namespace

// The top star sits on the end of the last line drawn, the top tier's last fill line; with
// DrawStyle 5 the lines are invisible but still move the current point there.
void Tree::DrawTreeTiers() {
  ForEachTier(paint_.ScaleX(), paint_.ScaleY(), [&](const Tier& tier) {
    DrawTierEdges(paint_, tier, tierEdgeLevel_);
    DrawTierFill(paint_, tier, tierFillLevel_);
  });
  topStarX_ = paint_.Picture1.Width() / 2;
  topStarY_ = paint_.Picture1.CurrentY;
}

// Three balls on every tier's base line, each a stack of circles one twip apart that grow
// brighter toward the centre. The horizontal inset of the side balls is scaled with sy.
void Tree::DrawBaubles() {
  PictureBox& picture = paint_.Picture1;
  ForEachTier(paint_.ScaleX(), paint_.ScaleY(), [&](const Tier& tier) {
    const double radius = (250 - 15 * tier.index) * paint_.ScaleY();
    const double brightnessStep = 0.9 + 0.04 * tier.index;
    const double inset = 350 * paint_.ScaleY();
    const double y = tier.BaseY();
    paint_.Intensity = lightLevel_;
    ForStep(radius, 1, -1, [&](double r) {
      picture.Circle(tier.left + inset, y, r, paint_.ShadedColor());
      picture.Circle(tier.RightX() - inset, y, r, paint_.ShadedColor());
      picture.Circle(tier.ApexX(), y, r, paint_.ShadedColor());
      paint_.Intensity += brightnessStep;
      paint_.DoEventsIfOn();
    });
  });
}

}  // namespace frost
