#include "scene/for_step.h"
#include "startup/form1.h"

namespace frost {

// Nested outlines one twip apart, brighter toward the middle. The loop runs on past the middle:
// once i passes W / 2 the corners cross and the rectangles grow again, repainting the middle in
// the brighter colours.
void Form1::DrawBackground() {
  Intensity = 100;
  ForStep(0, 4000 * ScaleX(), 1, [&](double i) {
    Picture1.Box(i, i, Picture1.Width() - i, Picture1.Height() - i, ShadedColor());
    Intensity += 0.1;
    DoEventsIfOn();
    if (i == 500 && Sequencer().Current() == Phase::DrawTree) {
      // Halfway through the show's backdrop the strip takes on what lies beneath it and the
      // window holds still for a second.
      RefreshMenuStrip();
      DoEvents();
      App().Sleep(1000);
    }
  });
}

void Form1::DrawFrame() {
  Intensity = 150;
  ForStep(0, 200 * ScaleX(), 40, [&](double i) {
    Picture1.Box(i, i, Picture1.Width() - i, Picture1.Height() - i, ShadedColor());
    Intensity += 0.7;
    DoEventsIfOn();
  });
}

}  // namespace frost
