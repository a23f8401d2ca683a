#pragma once
#include <functional>

#include "scene/paint_context.h"
#include "toolkit/bitmap.h"

namespace frost {

// The card's backdrop: a shaded field of nested outlines, its frame, and the nativity picture
// painted over it.
class Backdrop {
 public:
  Backdrop(PaintContext& paint, const Picture& nativity) : paint_(paint), nativity_(nativity) {}

  // Runs when the backdrop is painted halfway (its outline 500 twips in); the show holds still
  // there in one of its phases.
  std::function<void()> Halfway;

  void DrawBackground();
  void DrawFrame();
  // The nativity picture across the whole width and the middle nine tenths of the height.
  void DrawNativity();

 private:
  PaintContext& paint_;
  const Picture& nativity_;
};

}  // namespace frost
