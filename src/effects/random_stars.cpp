#include "scene/star_construction.h"
#include "scene/tier_geometry.h"
#include "startup/form1.h"

namespace frost {

void Form1::Command21_Click() {
  DrawRandomStars();
}

// Eighteen star outlines of shrinking size at random places in the middle of the card. Every
// segment takes the colour found under the star's centre, so on the shaded greeting panel the
// stars show only as faint embossed outlines.
void Form1::DrawRandomStars() {
  Picture1.DrawWidth = 2;
  Picture1.DrawMode = DrawMode::CopyPen;
  double radius = 350;  // not scaled
  // Nine passes over the tree's tier spans; only the step of 3 x 1500 / T uses them.
  ForEachTier(ScaleX(), ScaleY(), [&](const Tier& tier) {
    for (int star = 0; star < 2; ++star) {
      const double cx = CInt(Int((6000 - 2000 + 1) * App().Rnd() + 2000) * ScaleX());
      const double cy = CInt(Int(((6000 + 1000) - 2000 + 1) * App().Rnd() + 2000) * ScaleY());
      Intensity = Int(51 * App().Rnd() + 200);
      const StarPoints points = ConstructStar(cx, cy, radius, [&] { DoEventsIfOn(); });
      // Off the surface Point reads -1, of which a pen keeps the low 24 bits (white).
      DrawStarPath(Picture1, points,
                   [&] { return Color{Picture1.Point(cx, cy).value & 0xFFFFFF}; });
      Intensity += 3 * 1500 / tier.span;
      DoEventsIfOn();
    }
    radius -= 35;
  });
}

}  // namespace frost
