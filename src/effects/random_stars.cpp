#include "effects/random_stars.h"

#include "scene/star_construction.h"
#include "scene/tier_geometry.h"

namespace frost {

// Eighteen star outlines of shrinking size at random places in the middle of the card. Every
// segment takes the colour found under the star's centre, so on the shaded greeting panel the
// stars show only as faint embossed outlines.
void RandomStars::DrawRandomStars() {
  PictureBox& picture = paint_.Picture1;
  picture.DrawWidth = 2;
  picture.DrawMode = DrawMode::CopyPen;
  double radius = 350;  // not scaled
  // Nine passes over the tree's tier spans; only the step of 3 x 1500 / T uses them.
  ForEachTier(paint_.ScaleX(), paint_.ScaleY(), [&](const Tier& tier) {
    for (int star = 0; star < 2; ++star) {
      const double cx = CInt(Int((6000 - 2000 + 1) * paint_.Rnd() + 2000) * paint_.ScaleX());
      const double cy =
          CInt(Int(((6000 + 1000) - 2000 + 1) * paint_.Rnd() + 2000) * paint_.ScaleY());
      paint_.Intensity = Int(51 * paint_.Rnd() + 200);
      const StarPoints points = ConstructStar(cx, cy, radius, [&] { paint_.DoEventsIfOn(); });
      // Off the surface Point reads -1, of which a pen keeps the low 24 bits (white).
      DrawStarPath(picture, points, [&] { return Color{picture.Point(cx, cy).value & 0xFFFFFF}; });
      paint_.Intensity += 3 * 1500 / tier.span;
      paint_.DoEventsIfOn();
    }
    radius -= 35;
  });
}

}  // namespace frost
