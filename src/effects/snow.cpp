#include "startup/form1.h"

namespace frost {

// One step of the falling snow: the screen is cleared and every flake drifts 0 to 14 twips
// right and down (not scaled). A flake only ever moves forward; once past the far edge it
// re-enters just outside the near one.
void Form1::MoveSnowFlakes() {
  Picture1.Cls();
  for (int i = 0; i < kFlakeCount; ++i) {
    SnowX[i] += Int(15 * App().Rnd());
    SnowY[i] += Int(15 * App().Rnd());
    if (SnowX[i] > SnowWidth)
      SnowX[i] = -5;
    if (SnowY[i] > SnowHeight)
      SnowY[i] = -5;
    Picture1.FillStyle = FillStyle::Solid;
    Picture1.FillColor = ShadedColor();
    Picture1.Circle(SnowX[i], SnowY[i], 15 * FlakeRadius, ShadedColor());
  }
}

// Every flake at a fresh random place, drawn as a dot over what is there.
void Form1::ScatterSnowFlakes() {
  for (int i = 0; i < kFlakeCount; ++i) {
    SnowX[i] = App().Rnd() * SnowWidth;
    SnowY[i] = App().Rnd() * SnowHeight;
    Picture1.Circle(SnowX[i] + 50, SnowY[i] + 50, FlakeRadius, ShadedColor());
  }
}

}  // namespace frost
