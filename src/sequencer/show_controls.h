#pragma once
#include <vector>

#include "scene/backdrop.h"
#include "scene/paint_context.h"
#include "sound/bas_sound.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"

namespace frost {

// The hidden buttons that steer the show as a whole: back to the backdrop, the painters' yield
// switch, hiding the controls, and freezing the show.
class ShowControls {
 public:
  struct Parts {
    Form& window;
    const Control& surface;          // stays shown when the controls are hidden
    CommandButton& yieldSwitch;      // shows the switch's state as its caption
    Timer& show;                     // the sequencer's timer
    Timer& twinkle;                  // the tree lights
    std::vector<Timer*> animations;  // the lights' ramp, the candles, the frame lights
  };
  ShowControls(PaintContext& paint, Backdrop& backdrop, BasSound& sound, Parts parts)
      : paint_(paint), backdrop_(backdrop), sound_(sound), parts_(std::move(parts)) {}

  // The animations end (the tree lights twinkle on); the backdrop and frame are painted.
  void Back();
  void ToggleYielding();
  void HideControls();
  // Every timer stops, the tune too, and the backdrop and frame are painted over the card.
  void Freeze();

 private:
  PaintContext& paint_;
  Backdrop& backdrop_;
  BasSound& sound_;
  Parts parts_;
};

}  // namespace frost
