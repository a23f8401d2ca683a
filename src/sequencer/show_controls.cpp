// The small handlers of the hidden buttons: clearing, the yield switch, hiding the controls and
// freezing the show. The sequencer relies on the timer toggles' flipping to restore a state.
#include "sequencer/show_controls.h"

#include "toolkit/errors.h"

namespace frost {

void ShowControls::Back() {
  for (Timer* timer : parts_.animations) timer->SetEnabled(false);
  backdrop_.DrawBackground();
  backdrop_.DrawFrame();
}

void ShowControls::ToggleYielding() {
  paint_.DoEventsOn = !paint_.DoEventsOn;
  parts_.yieldSwitch.Caption = paint_.DoEventsOn ? "True" : "False";
}

void ShowControls::HideControls() {
  // Timers have no Visible property; their assignment fails and the loop goes on.
  for (Control* control : parts_.window.Controls()) {
    Attempt([&] {
      if (control != &parts_.surface)
        control->SetVisible(false);
    });
  }
}

void ShowControls::Freeze() {
  parts_.show.SetEnabled(false);
  parts_.twinkle.SetEnabled(false);
  for (Timer* timer : parts_.animations) timer->SetEnabled(false);
  paint_.DoEventsOn = false;
  paint_.Picture1.SetAutoRedraw(true);
  paint_.Picture1.FillStyle = FillStyle::Transparent;
  paint_.DoEvents();
  backdrop_.DrawBackground();
  backdrop_.DrawFrame();
  sound_.StopSoundFile();
}

}  // namespace frost
