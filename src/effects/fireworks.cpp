#include "effects/fireworks.h"

#include <cmath>

#include "scene/for_step.h"
#include "scene/star_construction.h"
#include "startup/form1.h"
#include "toolkit/errors.h"

namespace frost {
namespace {

constexpr double kEdgeInset = 2500;  // not scaled
constexpr int kRays = 10;
constexpr double kRayStep = 0.2 * kCardPi;  // 36 degrees
constexpr int kRingPauseMs = 10;

// Int(r x ((size - 2500) - 2500 + 1) + 2500)
double RandomCoordinate(Form1& form, double size) {
  return Int(form.App().Rnd() * ((size - kEdgeInset) - kEdgeInset + 1) + kEdgeInset);
}

// In colour mode the shared colour at the dot brightness; otherwise whatever lies under the
// centre now. Off the surface Point reads -1, which a pen keeps only the low 24 bits of.
Color DotColour(Form1& form, BurstCentre centre, double brightness) {
  if (form.FireworksUseColor)
    return form.ShadedColorAt(brightness);
  return Color{form.Picture1.Point(centre.x, centre.y).value & 0xFFFFFF};
}

// Ten dots 36 degrees apart on a circle of radius / 2.5, one of them straight above the centre.
void DrawRing(Form1& form, BurstCentre centre, double radius, double brightness) {
  double angle = kStarInnerStart;
  for (int ray = 0; ray < kRays; ++ray) {
    Attempt([&] {
      const Color colour = DotColour(form, centre, brightness);
      form.Picture1.PSet(centre.x + radius / kStarInnerDivisor * std::cos(angle),
                         centre.y + radius / kStarInnerDivisor * std::sin(angle), colour);
    });
    angle += kRayStep;
  }
}

}  // namespace

BurstCentre ChooseBurstCentre(Form1& form) {
  BurstCentre centre;
  Attempt([&] { centre.x = RandomCoordinate(form, form.Picture1.Width()); });
  Attempt([&] { centre.y = RandomCoordinate(form, form.Picture1.Height()); });
  return centre;
}

// Each ring is drawn with the width the previous ring left (2 for the first), so the dots
// thicken one step behind the radius: up to 6 pixels at 15 twips per pixel.
void DrawBurstRings(Form1& form, BurstCentre centre) {
  double brightness = 200;
  Attempt([&] { form.Picture1.DrawWidth = 2; });
  ForStep(500 * form.ScaleX(), 2500 * form.ScaleX(), 20, [&](double radius) {
    DrawRing(form, centre, radius, brightness);
    // The pause also puts the ring on the window: a wait presents what was drawn.
    Attempt([&] { form.App().Sleep(kRingPauseMs); });
    brightness += 1;
    Attempt([&] { form.Picture1.DrawWidth = static_cast<int>(Int(radius / 400)); });
  });
}

void Form1::Command22_Click() {
  TimerFireworks.SetEnabled(true);
}

// The burst is drawn on the screen only: clearing shows the kept scene again untouched.
void Form1::TimerFireworks_Timer() {
  Picture1.SetAutoRedraw(false);
  Picture1.Cls();
  BurstFirework();
}

void Form1::BurstFirework() {
  const BurstCentre centre = ChooseBurstCentre(*this);
  DrawBurstRings(*this, centre);
  Attempt([&] { Picture1.Cls(); });
}

}  // namespace frost
