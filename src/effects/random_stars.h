#pragma once
#include "scene/paint_context.h"

namespace frost {

// Faint stars embossed at random places on whatever lies in the middle of the card.
class RandomStars {
 public:
  explicit RandomStars(PaintContext& paint) : paint_(paint) {}

  void DrawRandomStars();

 private:
  PaintContext& paint_;
};

}  // namespace frost
