#include "scene/for_step.h"
#include "startup/form1.h"

namespace frost {
namespace {

// A random brightness from 130 to 200.
double RandomLightLevel(Form1& form) {
  return Int(71 * form.App().Rnd() + 130);
}

// Nested rectangles 40 twips apart (not scaled) from the inset inward, each a little brighter.
void DrawGreetingFrame(Form1& form) {
  PictureBox& picture = form.Picture1;
  const double inset = 1000 * form.ScaleY();
  form.Intensity = RandomLightLevel(form);
  ForStep(inset, inset + 200 * form.ScaleX(), 40, [&](double d) {
    picture.Box(d, d, picture.Width() - d, picture.Height() - d, form.ShadedColor());
    form.Intensity += 0.7;
    form.DoEventsIfOn();
  });
}

// Pairs of glowing discs down the left and right margins, drawn as concentric circles from the
// rim inward. The brightness step grows pair by pair, so the lower lights have harder cores.
void DrawMarginLights(Form1& form) {
  PictureBox& picture = form.Picture1;
  const double inset = 1000 * form.ScaleY();
  const double offset = 370 * form.ScaleY();
  double brightnessStep = 0.9;
  ForStep(inset, picture.Height() - inset, picture.Height() / 8, [&](double y) {
    form.Intensity = RandomLightLevel(form);
    ForStep(200 * form.ScaleY(), 1, -1, [&](double radius) {
      picture.Circle(inset - offset, y, radius, form.ShadedColor());
      picture.Circle(picture.Width() - inset + offset, y, radius, form.ShadedColor());
      form.Intensity += brightnessStep;
      form.DoEvents();
    });
    brightnessStep += 0.04;
  });
}

}  // namespace

// Once a second the frame around the greetings and its lights are painted again over what is
// there, each light at a fresh random brightness, so the border flickers.
void Form1::TimerGreetingsAnim_Timer() {
  DrawGreetingFrame(*this);
  DrawMarginLights(*this);
  DoEvents();
}

}  // namespace frost
