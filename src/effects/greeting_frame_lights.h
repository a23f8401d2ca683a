#pragma once
#include "scene/paint_context.h"
#include "toolkit/timer.h"

namespace frost {

// The glowing frame around the greetings, repainted on its timer at fresh random brightnesses
// so that the border flickers.
class GreetingFrameLights {
 public:
  GreetingFrameLights(PaintContext& paint, Timer& flicker) : paint_(paint), flicker_(flicker) {}

  // One tick: the frame and the lights beside it, then a yield.
  void DrawFrameLights();
  void ToggleFlicker() { flicker_.SetEnabled(!flicker_.Enabled()); }

 private:
  void DrawGreetingFrame();
  void DrawMarginLights();
  double RandomLightLevel() const;

  PaintContext& paint_;
  Timer& flicker_;
};

}  // namespace frost
