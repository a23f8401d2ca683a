#include "effects/greeting_frame_lights.h"

#include "scene/for_step.h"
#include "scene/nested_boxes.h"

namespace frost {

// A random brightness from 130 to 200.
double GreetingFrameLights::RandomLightLevel() const {
  return Int(71 * paint_.Rnd() + 130);
}

// Nested rectangles 40 twips apart (not scaled) from the inset inward, each a little brighter.
void GreetingFrameLights::DrawGreetingFrame() {
  const double inset = 1000 * paint_.ScaleY();
  paint_.Intensity = RandomLightLevel();
  DrawNestedBoxes(paint_, inset, inset + 200 * paint_.ScaleX(), 40, 0.7, [](double) {});
}

// Pairs of glowing discs down the left and right margins, drawn as concentric circles from the
// rim inward. The brightness step grows pair by pair, so the lower lights have harder cores.
void GreetingFrameLights::DrawMarginLights() {
  PictureBox& picture = paint_.Picture1;
  const double inset = 1000 * paint_.ScaleY();
  const double offset = 370 * paint_.ScaleY();
  double brightnessStep = 0.9;
  ForStep(inset, picture.Height() - inset, picture.Height() / 8, [&](double y) {
    paint_.Intensity = RandomLightLevel();
    ForStep(200 * paint_.ScaleY(), 1, -1, [&](double radius) {
      picture.Circle(inset - offset, y, radius, paint_.ShadedColor());
      picture.Circle(picture.Width() - inset + offset, y, radius, paint_.ShadedColor());
      paint_.Intensity += brightnessStep;
      paint_.DoEvents();
    });
    brightnessStep += 0.04;
  });
}

// Once a second the frame around the greetings and its lights are painted again over what is
// there, each light at a fresh random brightness, so the border flickers.
void GreetingFrameLights::DrawFrameLights() {
  DrawGreetingFrame();
  DrawMarginLights();
  paint_.DoEvents();
}

}  // namespace frost
