#include "scene/for_step.h"
#include "scene/tier_geometry.h"
#include "startup/form1.h"

namespace frost {

void Form1::Command8_Click() {
  DrawGround();
  DrawTreeTiers();
  DrawBaubles();
  DrawOrnamentStars();
  DrawTopStarSparkles();
  DrawTopStar();
}

// A band of horizontal lines under the tree. The rows are placed with sx but the band's 700-twip
// depth is not scaled; each row's right end moves one twip outward, and the brightness is a
// saw-tooth from 100 to 180 that restarts every 161 rows.
void Form1::DrawGround() {
  Intensity = 100;
  double centre = 500 * ScaleX();
  ForStep(7700 * ScaleX(), 7700 * ScaleX() + 700, 1, [&](double y) {
    Picture1.Line(centre - Picture1.Width() / 2, y, centre + Picture1.Width() / 2, y,
                  ShadedColor());
    centre += 1;
    Intensity += 0.5;
    if (Intensity > 180)
      Intensity = 100;
    DoEventsIfOn();
  });
}

namespace {

// Bands of 81 parallel lines (at sx = 1) along the two slopes and the base, brightest along
// their middle, so the edges look like a rounded golden rope.
void DrawTierEdges(Form1& form, const Tier& tier) {
  PictureBox& picture = form.Picture1;
  const double edge = 40 * form.ScaleX();
  const double base = tier.BaseY();
  const double apex = tier.ApexY();
  form.Intensity = form.TierEdgeLevel;
  ForStep(-edge, edge, 1, [&](double d) {
    const double x = tier.left + d;
    picture.Line(x, base, x + tier.span / 2, apex, form.ShadedColor());
    picture.Line(x + tier.span / 2, apex, x + tier.span, base, form.ShadedColor());
    picture.Line(tier.RightX() + edge - 20, base + d, tier.left - edge + 10, base + d,
                 form.ShadedColor());
    form.Intensity += d < 0 ? 2 : -2;
    form.DoEventsIfOn();
  });
}

// Horizontal lines 1.3 twips apart from just above the base toward the apex, each 2.2 twips
// shorter than the one below and a little brighter. No yield: a tier's fill appears at once.
void DrawTierFill(Form1& form, const Tier& tier) {
  const double inset = 80 * form.ScaleX();
  double margin = 1;
  form.Intensity = form.TierFillLevel;
  ForStep(tier.BaseY() - inset + 20, 2 * (tier.offset + inset - 20), -1.3, [&](double y) {
    form.Picture1.Line(tier.left + margin + inset, y, tier.RightX() - margin - inset, y,
                       form.ShadedColor());
    margin += 1.1;
    form.Intensity += 0.2;
  });
}

}  // namespace

// The top star sits on the end of the last line drawn, the top tier's last fill line; with
// DrawStyle 5 the lines are invisible but still move the current point there.
void Form1::DrawTreeTiers() {
  ForEachTier(ScaleX(), ScaleY(), [&](const Tier& tier) {
    DrawTierEdges(*this, tier);
    DrawTierFill(*this, tier);
  });
  TopStarX = Picture1.Width() / 2;
  TopStarY = Picture1.CurrentY;
}

// Three balls on every tier's base line, each a stack of circles one twip apart that grow
// brighter toward the centre. The horizontal inset of the side balls is scaled with sy.
void Form1::DrawBaubles() {
  ForEachTier(ScaleX(), ScaleY(), [&](const Tier& tier) {
    const double radius = (250 - 15 * tier.index) * ScaleY();
    const double brightnessStep = 0.9 + 0.04 * tier.index;
    const double inset = 350 * ScaleY();
    const double y = tier.BaseY();
    Intensity = LightLevel;
    ForStep(radius, 1, -1, [&](double r) {
      Picture1.Circle(tier.left + inset, y, r, ShadedColor());
      Picture1.Circle(tier.RightX() - inset, y, r, ShadedColor());
      Picture1.Circle(tier.ApexX(), y, r, ShadedColor());
      Intensity += brightnessStep;
      DoEventsIfOn();
    });
  });
}

}  // namespace frost
