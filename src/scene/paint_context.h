#pragma once
#include "toolkit/application.h"
#include "toolkit/color.h"
#include "toolkit/design_scale.h"
#include "toolkit/numeric.h"
#include "toolkit/picture_box.h"

namespace frost {

// What the card's painters share: the surface they paint on, the shading (three colour factors
// and the current brightness, which each painter sets and steps as it goes), the random source,
// the yield switch and the screen's scale. Single thread, no locking: painters take turns only
// where they yield.
class PaintContext {
 public:
  PaintContext(Application& app, PictureBox& picture) : Picture1(picture), app_(app) {}

  Application& App() const { return app_; }
  double Rnd() const { return app_.Rnd(); }

  // sx and sy: the screen's twips per pixel over the design value.
  double ScaleX() const { return DesignScale(app_.TwipsPerPixelX()); }
  double ScaleY() const { return DesignScale(app_.TwipsPerPixelY()); }

  // Yield to the message loop.
  void DoEvents() const { app_.DoEvents(); }
  // Yields only while the painters' yield switch is on.
  void DoEventsIfOn() const {
    if (DoEventsOn)
      DoEvents();
  }

  // RGB(ColorR x Intensity, ColorG x Intensity, ColorB x Intensity), each product rounded half
  // to even; components above 255 count as 255.
  Color ShadedColor() const { return ShadedColorAt(Intensity); }
  Color ShadedColorAt(double intensity) const {
    return RGB(CInt(ColorR * intensity), CInt(ColorG * intensity), CInt(ColorB * intensity));
  }

  PictureBox& Picture1;
  double ColorR = 0;
  double ColorG = 0;
  double ColorB = 0;
  double Intensity = 0;
  bool DoEventsOn = false;

 private:
  Application& app_;
};

}  // namespace frost
