#include <cmath>
#include <string>

#include "scene/for_step.h"
#include "scene/star_construction.h"
#include "startup/form1.h"

namespace frost {

namespace {

double DegreesToRadians(double degrees) {
  return degrees * kCardPi / 180;
}

// Touching 30-degree arcs from 50 to 500 twips out, pointing straight up: one green ray of a
// star. With a drop the centre slides down after every arc and the wedge opens into a beam.
void DrawWedge(Form1& form, double centreDropPerArc) {
  form.Intensity = 130;
  const Color green =
      RGB(CInt(0.5 * form.Intensity), CInt(form.Intensity), CInt(0.5 * form.Intensity));
  const double start = DegreesToRadians(75);
  const double end = DegreesToRadians(75 + 30);
  double centreY = 3000;
  ForStep(50, 500, 1, [&](double radius) {
    form.Picture1.Circle(3000, centreY, radius, green, start, end);
    centreY += centreDropPerArc;
  });
}

// A construction point: a black dot with its number beside it, as the window prints numbers.
void MarkPoint(Form& window, StarPoint point, int number) {
  window.PSet(point.x, point.y, QBColor(0));
  window.CurrentX = point.x;
  window.CurrentY = point.y;
  window.Print(" " + std::to_string(number) + " ");
}

}  // namespace

void Form1::Command1_Click() {
  DrawRayWedge();
}
void Form1::Command3_Click() {
  DrawRayWedgeShifted();
}
void Form1::DrawRayWedge() {
  DrawWedge(*this, 0);
}
void Form1::DrawRayWedgeShifted() {
  DrawWedge(*this, 3);
}

// The construction of the tree's five-pointed star, drawn on the window itself over its whole
// width: numbered points, the two circles they lie on, and the outline in light red. The
// drawing surface stays hidden afterwards.
void Form1::Command5_Click() {
  Picture1.SetVisible(false);
  const double half = static_cast<double>(std::lrint(Width()) / 2);
  const StarPoints star = ConstructStar(half, half, half);
  DrawWidth = 5;
  for (int i = 0; i < kStarPointCount; ++i) {
    MarkPoint(*this, star.outer[i], i);
    MarkPoint(*this, star.inner[i], i);
  }
  DrawWidth = 2;
  Circle(half, half, half, ForeColor);
  Circle(half, half, half / kStarInnerDivisor, ForeColor);
  DrawStarPath(*this, star, [] { return QBColor(12); });
}

}  // namespace frost
