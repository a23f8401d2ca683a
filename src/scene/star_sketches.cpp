#include "scene/star_sketches.h"

#include <cmath>
#include <string>

#include "scene/for_step.h"
#include "scene/star_construction.h"

namespace frost {

namespace {

double DegreesToRadians(double degrees) {
  return degrees * kCardPi / 180;
}

// A construction point: a black dot with its number beside it, as the window prints numbers.
void MarkPoint(Form& window, StarPoint point, int number) {
  window.PSet(point.x, point.y, QBColor(0));
  window.CurrentX = point.x;
  window.CurrentY = point.y;
  window.Print(" " + std::to_string(number) + " ");
}

}  // namespace

// Touching 30-degree arcs from 50 to 500 twips out, pointing straight up: one green ray of a
// star. With a drop the centre slides down after every arc and the wedge opens into a beam.
void StarSketches::DrawWedge(double centreDropPerArc) {
  paint_.Intensity = 130;
  const double level = paint_.Intensity;
  const Color green = RGB(CInt(0.5 * level), CInt(level), CInt(0.5 * level));
  const double start = DegreesToRadians(75);
  const double end = DegreesToRadians(75 + 30);
  double centreY = 3000;
  ForStep(50, 500, 1, [&](double radius) {
    paint_.Picture1.Circle(3000, centreY, radius, green, start, end);
    centreY += centreDropPerArc;
  });
}

void StarSketches::DrawRayWedge() {
  DrawWedge(0);
}
void StarSketches::DrawRayWedgeShifted() {
  DrawWedge(3);
}

// The construction of the tree's five-pointed star, drawn on the window itself over its whole
// width: numbered points, the two circles they lie on, and the outline in light red. The
// drawing surface stays hidden afterwards.
void StarSketches::DrawStarConstruction() {
  paint_.Picture1.SetVisible(false);
  const double half = static_cast<double>(std::lrint(window_.Width()) / 2);
  const StarPoints star = ConstructStar(half, half, half);
  window_.DrawWidth = 5;
  for (int i = 0; i < kStarPointCount; ++i) {
    MarkPoint(window_, star.outer[i], i);
    MarkPoint(window_, star.inner[i], i);
  }
  window_.DrawWidth = 2;
  window_.Circle(half, half, half, window_.ForeColor);
  window_.Circle(half, half, half / kStarInnerDivisor, window_.ForeColor);
  DrawStarPath(window_, star, [] { return QBColor(12); });
}

}  // namespace frost
