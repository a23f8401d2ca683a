#pragma once
#include "scene/paint_context.h"
#include "toolkit/timer.h"

namespace frost {

struct BurstCentre {
  double x = 0;
  double y = 0;
};

// Bursts of expanding rings of dots on the screen only, one per tick of their timer, leaving the
// kept scene untouched.
class Fireworks {
 public:
  Fireworks(PaintContext& paint, Timer& bursts) : paint_(paint), bursts_(bursts) {}

  void Launch() { bursts_.SetEnabled(true); }
  // From now on the dots take the shaded colour instead of the colour under the burst's centre.
  void UseColor() { useColor_ = true; }
  bool UsesColor() const { return useColor_; }

  // One tick: the screen cleared to the kept scene and a burst drawn on it.
  void NextBurst();
  void BurstFirework();

  // A random point at least 2500 twips (not scaled) inside every edge of the surface. On a
  // surface too small for that the same formula still gives a centre, nearer an edge or outside.
  BurstCentre ChooseBurstCentre() const;

  // The expanding rings of one burst, drawn with whatever AutoRedraw is in force and left
  // standing: ten dots per ring, one ring per 10 ms sleep, without ever yielding (the window is
  // shown the rings as they are drawn, but no event is served). Every step that fails is skipped
  // and the burst goes on.
  void DrawBurstRings(BurstCentre centre);

 private:
  Color DotColour(BurstCentre centre, double brightness) const;
  void DrawRing(BurstCentre centre, double radius, double brightness);

  PaintContext& paint_;
  Timer& bursts_;
  bool useColor_ = false;
};

}  // namespace frost
