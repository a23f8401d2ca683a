#include "scene/for_step.h"
#include "scene/star_construction.h"
#include "scene/tier_geometry.h"
#include "startup/form1.h"
#include "toolkit/errors.h"

namespace frost {

namespace {

// One outline of a glowing star, 2 pixels wide. The width is set again before the outline
// because the yields between point pairs may let another painter change it.
void DrawStarOutline(Form1& form, double cx, double cy, double radius) {
  PictureBox& picture = form.Picture1;
  picture.DrawWidth = 2;
  const StarPoints star = ConstructStar(cx, cy, radius, [&] { form.DoEventsIfOn(); });
  picture.DrawWidth = 2;
  DrawStarPath(picture, star, [&] { return form.ShadedColor(); });
}

// Nested outlines from the rim inward, each `brightnessStep` brighter, so the star looks filled
// and glowing.
void DrawGlowingStar(Form1& form, double cx, double cy, double outerRadius, double innerRadius,
                     double radiusStep, double brightnessStep) {
  form.Intensity = form.LightLevel;
  ForStep(outerRadius, innerRadius, radiusStep, [&](double radius) {
    DrawStarOutline(form, cx, cy, radius);
    form.Intensity += brightnessStep;
    form.DoEventsIfOn();
  });
}

}  // namespace

// Two stars on every tier's base line, symmetric about the tree's axis. The inset starts at
// 1600 sy but shrinks by 125 sx per tier; the radii use sx. The smaller the tier, the faster a
// star brightens toward its centre.
void Form1::DrawOrnamentStars() {
  double size = 350;
  double inset = 1600 * ScaleY();
  ForEachTier(ScaleX(), ScaleY(), [&](const Tier& tier) {
    const double centreY = CInt(tier.BaseY());
    for (const double centreX : {inset + tier.left, tier.RightX() - inset}) {
      DrawGlowingStar(*this, CInt(centreX), centreY, size * ScaleX(), 10 * ScaleX(), -2,
                      3 * (1500 / tier.span));
    }
    size -= 35;
    inset -= 125 * ScaleX();
  });
}

void Form1::DrawTopStar() {
  DrawGlowingStar(*this, CInt(TopStarX), CInt(TopStarY), 500 * ScaleX(), 10 * ScaleX(), -18, 8);
}

// Ten rays of 3-pixel dots around the top star, 36 degrees apart with one straight up, growing
// brighter outward ring by ring. A failing dot is skipped alone.
void Form1::DrawTopStarSparkles() {
  double cx = 0;
  double cy = 0;
  Attempt([&] { cx = CInt(TopStarX); });
  Attempt([&] { cy = CInt(TopStarY); });
  Intensity = LightLevel;
  constexpr int kRays = 10;
  constexpr double kRayStep = kCardPi * 0.2;
  ForStep(10 * ScaleX(), 1780 * ScaleX(), 20, [&](double radius) {
    Picture1.DrawWidth = 2;
    double angle = kStarInnerStart;
    for (int ray = 0; ray < kRays; ++ray) {
      Attempt([&] {
        const StarPoint dot = InnerStarPoint(cx, cy, radius, angle);
        Picture1.DrawWidth = 3;
        Picture1.PSet(dot.x, dot.y, ShadedColor());
      });
      angle += kRayStep;
      DoEventsIfOn();
    }
    Picture1.DrawWidth = 1;
    Intensity += 2;
  });
}

}  // namespace frost
