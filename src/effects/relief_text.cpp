#include "effects/relief_text.h"

#include "startup/form1.h"

namespace frost {

void PrintInRelief(Form1& form, const std::string& text, double x, double y,
                   double brightnessStep) {
  constexpr int kCopies = 6;
  constexpr double kOffset = 5;
  PictureBox& picture = form.Picture1;
  for (int copy = 0; copy < kCopies; ++copy) {
    x += kOffset;
    y += kOffset;
    picture.CurrentX = x;
    picture.CurrentY = y;
    picture.ForeColor = form.ShadedColor();
    picture.Print(text);
    form.Intensity += brightnessStep;
  }
}

}  // namespace frost
