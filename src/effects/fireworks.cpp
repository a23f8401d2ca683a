#include "effects/fireworks.h"

#include <cmath>

#include "scene/for_step.h"
#include "scene/star_construction.h"
#include "toolkit/errors.h"

namespace frost {
namespace {

constexpr double kEdgeInset = 2500;  // not scaled
constexpr int kRays = 10;
constexpr double kRayStep = 0.2 * kCardPi;  // 36 degrees
constexpr int kRingPauseMs = 10;

// Int(r x ((size - 2500) - 2500 + 1) + 2500)
double RandomCoordinate(const PaintContext& paint, double size) {
  return Int(paint.Rnd() * ((size - kEdgeInset) - kEdgeInset + 1) + kEdgeInset);
}

}  // namespace

// In colour mode the shared colour at the dot brightness; otherwise whatever lies under the
// centre now. Off the surface Point reads -1, which a pen keeps only the low 24 bits of.
Color Fireworks::DotColour(BurstCentre centre, double brightness) const {
  if (useColor_)
    return paint_.ShadedColorAt(brightness);
  return Color{paint_.Picture1.Point(centre.x, centre.y).value & 0xFFFFFF};
}

// Ten dots 36 degrees apart on a circle of radius / 2.5, one of them straight above the centre.
void Fireworks::DrawRing(BurstCentre centre, double radius, double brightness) {
  double angle = kStarInnerStart;
  for (int ray = 0; ray < kRays; ++ray) {
    Attempt([&] {
      const Color colour = DotColour(centre, brightness);
      paint_.Picture1.PSet(centre.x + radius / kStarInnerDivisor * std::cos(angle),
                           centre.y + radius / kStarInnerDivisor * std::sin(angle), colour);
    });
    angle += kRayStep;
  }
}

BurstCentre Fireworks::ChooseBurstCentre() const {
  BurstCentre centre;
  Attempt([&] { centre.x = RandomCoordinate(paint_, paint_.Picture1.Width()); });
  Attempt([&] { centre.y = RandomCoordinate(paint_, paint_.Picture1.Height()); });
  return centre;
}

// Each ring is drawn with the width the previous ring left (2 for the first), so the dots
// thicken one step behind the radius: up to 6 pixels at 15 twips per pixel.
void Fireworks::DrawBurstRings(BurstCentre centre) {
  PictureBox& picture = paint_.Picture1;
  double brightness = 200;
  Attempt([&] { picture.DrawWidth = 2; });
  ForStep(500 * paint_.ScaleX(), 2500 * paint_.ScaleX(), 20, [&](double radius) {
    DrawRing(centre, radius, brightness);
    // The pauses also put the rings on the window, as often as the frame rate allows.
    Attempt([&] { paint_.App().Sleep(kRingPauseMs); });
    brightness += 1;
    Attempt([&] { picture.DrawWidth = static_cast<int>(Int(radius / 400)); });
  });
}

// The burst is drawn on the screen only: clearing shows the kept scene again untouched.
void Fireworks::NextBurst() {
  paint_.Picture1.SetAutoRedraw(false);
  paint_.Picture1.Cls();
  BurstFirework();
}

void Fireworks::BurstFirework() {
  DrawBurstRings(ChooseBurstCentre());
  Attempt([&] { paint_.Picture1.Cls(); });
}

}  // namespace frost
