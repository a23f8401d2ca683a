#pragma once
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "support/card_fixture.h"

namespace frost::testing {

// Strokes one twip apart take turns on a pixel: the last whole twip that still maps onto the
// pixel holding `twips` is the stroke that shows there (a twip maps to floor(t / tpp + 0.5)).
inline double LastWholeTwipOnPixel(double twips, double twipsPerPixel) {
  const double pixel = std::floor(twips / twipsPerPixel + 0.5);
  return std::ceil((pixel + 0.5) * twipsPerPixel) - 1;
}

// Probes of the card's surface in twips.
struct SceneProbe {
  Form1& form;

  double Tpp() const { return form.App().TwipsPerPixelX(); }
  Color At(double x, double y) const { return form.Picture1.Point(x, y); }
  bool Painted(double x, double y) const { return At(x, y) != form.Picture1.BackColor(); }

  // From (x, y) pixel by pixel in the direction (dx, dy) (each -1, 0 or 1) while the pixels are
  // painted: the number of painted pixels passed, the start included.
  int PaintedRun(double x, double y, int dx, int dy) const {
    int run = 0;
    while (Painted(x + run * dx * Tpp(), y + run * dy * Tpp()) && run < 10000) ++run;
    return run;
  }
  // The pixel offset, within +-range pixels along x, of the brightest red on row y.
  int BrightestAlongRow(double x, double y, int range) const {
    int best = -range;
    for (int i = -range; i <= range; ++i) {
      if (At(x + i * Tpp(), y).Red() > At(x + best * Tpp(), y).Red())
        best = i;
    }
    return best;
  }
};

// The largest difference of two colours over their three channels.
inline int ChannelDistance(Color a, Color b) {
  return std::max({std::abs(a.Red() - b.Red()), std::abs(a.Green() - b.Green()),
                   std::abs(a.Blue() - b.Blue())});
}

}  // namespace frost::testing
