#pragma once

namespace frost {

class Form1;

struct BurstCentre {
  double x = 0;
  double y = 0;
};

// A random point at least 2500 twips (not scaled) inside every edge of Picture1. On a surface
// too small for that the same formula still gives a centre, nearer an edge or outside.
BurstCentre ChooseBurstCentre(Form1& form);

// The expanding rings of one burst, drawn with whatever AutoRedraw is in force and left standing:
// ten dots per ring, one ring per 10 ms sleep, without ever yielding (the window is shown the
// rings as they are drawn, but no event is served). Every step that fails is skipped and the
// burst goes on.
void DrawBurstRings(Form1& form, BurstCentre centre);

}  // namespace frost
