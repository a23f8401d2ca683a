#include "effects/snow.h"

namespace frost {

void Snow::Start() {
  flakeRadius_ = 1;
  width_ = paint_.Picture1.ScaleWidth();
  height_ = paint_.Picture1.ScaleHeight();
  for (Flake& flake : flakes_) PlaceAtRandom(flake);
}

void Snow::PlaceAtRandom(Flake& flake) const {
  flake.x = paint_.Rnd() * width_;
  flake.y = paint_.Rnd() * height_;
}

// One step of the falling snow: the screen is cleared and every flake drifts 0 to 14 twips
// right and down (not scaled). A flake only ever moves forward; once past the far edge it
// re-enters just outside the near one.
void Snow::MoveSnowFlakes() {
  PictureBox& picture = paint_.Picture1;
  picture.Cls();
  for (Flake& flake : flakes_) {
    flake.x += Int(15 * paint_.Rnd());
    flake.y += Int(15 * paint_.Rnd());
    if (flake.x > width_)
      flake.x = -5;
    if (flake.y > height_)
      flake.y = -5;
    picture.FillStyle = FillStyle::Solid;
    picture.FillColor = paint_.ShadedColor();
    picture.Circle(flake.x, flake.y, 15 * flakeRadius_, paint_.ShadedColor());
  }
}

// Every flake at a fresh random place, drawn as a dot over what is there.
void Snow::ScatterSnowFlakes() {
  for (Flake& flake : flakes_) {
    PlaceAtRandom(flake);
    paint_.Picture1.Circle(flake.x + 50, flake.y + 50, flakeRadius_, paint_.ShadedColor());
  }
}

}  // namespace frost
