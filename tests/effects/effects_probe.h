#pragma once
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "support/card_fixture.h"

namespace frost::testing {

// Counts the yields of what runs while it lives: each yield is paced to exactly one second of
// the virtual clock, and nothing else in these painters moves the clock.
class YieldCounter {
 public:
  explicit YieldCounter(Application& app) : app_(app) {
    app_.SetPacing(1);
    app_.DoEvents();  // lines the pacing mark up with the clock
    start_ = app_.Now();
  }
  long Count() const { return std::lround(app_.Now() - start_); }

 private:
  Application& app_;
  double start_ = 0;
};

// The pixel a twip position lands on.
inline int ToPixel(double twips, double twipsPerPixel) {
  return static_cast<int>(std::floor(twips / twipsPerPixel + 0.5));
}

// The card's surface painted over with one plain colour, so that every stroke shows.
inline void PaintPlain(Form1& form, Color colour) {
  form.Picture1.SetBackColor(colour);
  form.Picture1.Cls();
}

inline const Color kPlain = RGB(0, 0, 64);

// The card on a screen whose pixels are not square (sx = 0.8, sy = 1), so that every length
// shows which axis's factor places it.
struct MixedScaleCard : CardFixture {
  MixedScaleCard() : CardFixture(12) {
    backend.SetTwipsPerPixel(12, 15);
    form.FitToScreen();
    PaintPlain(form, kPlain);
  }
};

// Prints `text` alone on a plain surface of the same size as `form`'s, as the top copy of a
// relief line would be printed, and expects every pixel that copy covers wholly to show its
// colour on `form` too. (Not the other way round: a nearly covered pixel over the copy below can
// round to the same colour.) Returns how many such pixels there are.
inline int ExpectTopCopyAt(const Form1& form, const std::string& text, Color colour, double x,
                           double y) {
  CardFixture alone(form.App().TwipsPerPixelX());
  alone.backend.SetTwipsPerPixel(form.App().TwipsPerPixelX(), form.App().TwipsPerPixelY());
  alone.form.Picture1.Move(0, 0, form.Picture1.Width(), form.Picture1.Height());
  PaintPlain(alone.form, kPlain);
  PictureBox& reference = alone.form.Picture1;
  reference.Font = form.Picture1.Font;
  reference.ForeColor = colour;
  reference.CurrentX = x;
  reference.CurrentY = y;
  reference.Print(text);
  int covered = 0;
  const Bitmap& expected = reference.Image();
  const Bitmap& printed = form.Picture1.Image();
  for (int py = 0; py < expected.Height(); ++py) {
    for (int px = 0; px < expected.Width(); ++px) {
      if (expected.At(px, py) != colour)
        continue;
      ++covered;
      if (printed.At(px, py) != colour) {
        ADD_FAILURE() << "top copy pixel " << px << "," << py << " not in its colour";
        return covered;
      }
    }
  }
  return covered;
}

}  // namespace frost::testing
