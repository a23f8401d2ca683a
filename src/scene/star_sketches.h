#pragma once
#include "scene/paint_context.h"
#include "toolkit/form.h"

namespace frost {

// Sketches from the making of the tree's stars, kept on hidden buttons: a green ray of a star on
// the surface, and the star's construction on the window itself.
class StarSketches {
 public:
  StarSketches(PaintContext& paint, Form& window) : paint_(paint), window_(window) {}

  void DrawRayWedge();
  void DrawRayWedgeShifted();
  // Hides the surface and draws the construction over the window's whole width.
  void DrawStarConstruction();

 private:
  void DrawWedge(double centreDropPerArc);

  PaintContext& paint_;
  Form& window_;
};

}  // namespace frost
