#include "effects/relief_text.h"

#include "scene/paint_context.h"

namespace frost {

void PrintInRelief(PaintContext& paint, const std::string& text, double x, double y,
                   double brightnessStep) {
  constexpr int kCopies = 6;
  constexpr double kOffset = 5;
  PictureBox& picture = paint.Picture1;
  for (int copy = 0; copy < kCopies; ++copy) {
    x += kOffset;
    y += kOffset;
    picture.CurrentX = x;
    picture.CurrentY = y;
    picture.ForeColor = paint.ShadedColor();
    picture.Print(text);
    paint.Intensity += brightnessStep;
  }
}

}  // namespace frost
