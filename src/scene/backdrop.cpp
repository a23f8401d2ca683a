#include "scene/backdrop.h"

#include "scene/nested_boxes.h"

namespace frost {

// Nested outlines one twip apart, brighter toward the middle. The loop runs on past the middle:
// once i passes W / 2 the corners cross and the rectangles grow again, repainting the middle in
// the brighter colours.
void Backdrop::DrawBackground() {
  paint_.Intensity = 100;
  DrawNestedBoxes(paint_, 0, 4000 * paint_.ScaleX(), 1, 0.1, [&](double i) {
    if (i == 500 && Halfway)
      Halfway();
  });
}

void Backdrop::DrawFrame() {
  paint_.Intensity = 150;
  DrawNestedBoxes(paint_, 0, 200 * paint_.ScaleX(), 40, 0.7, [](double) {});
}

void Backdrop::DrawNativity() {
  PictureBox& picture = paint_.Picture1;
  picture.PaintPicture(nativity_, 0, 0.05 * picture.Height(),
                       {.width = picture.Width(), .height = 0.9 * picture.Height()});
}

}  // namespace frost
