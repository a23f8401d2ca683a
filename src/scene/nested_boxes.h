#pragma once
#include "scene/for_step.h"
#include "scene/paint_context.h"

namespace frost {

// Box outlines inset from `first` to `last` twips in steps of `step`, starting at the current
// brightness and each `brightnessStep` brighter; a yield after each when the switch is on, then
// `afterBox(inset)`. Past the middle the corners cross and the boxes grow again.
template <class AfterBox>
void DrawNestedBoxes(PaintContext& paint, double first, double last, double step,
                     double brightnessStep, AfterBox&& afterBox) {
  PictureBox& picture = paint.Picture1;
  ForStep(first, last, step, [&](double d) {
    picture.Box(d, d, picture.Width() - d, picture.Height() - d, paint.ShadedColor());
    paint.Intensity += brightnessStep;
    paint.DoEventsIfOn();
    afterBox(d);
  });
}

}  // namespace frost
