// The small handlers of the hidden buttons: timer toggles, clearing, the yield switch, hiding
// the controls and freezing the show. Each toggle reads the timer's state and flips it, so the
// sequencer relies on calling the same toggle twice to restore a state.
#include "startup/form1.h"
#include "toolkit/errors.h"

namespace frost {
namespace {

void Toggle(Timer& timer) {
  timer.SetEnabled(!timer.Enabled());
}

}  // namespace

void Form1::Command2_Click() {
  TimerSpeclAnimTree.SetEnabled(false);
  TimerCard.SetEnabled(false);
  TimerGreetingsAnim.SetEnabled(false);
  DrawBackground();
  DrawFrame();
}

void Form1::Command4_Click() {
  if (!TimerAnimTree.Enabled()) {
    TimerSpeclAnimTree.SetEnabled(false);
    TimerAnimTree.SetEnabled(true);
  } else {
    TimerAnimTree.SetEnabled(false);
  }
}

void Form1::Command9_Click() {
  Toggle(TimerCard);
}

void Form1::Command10_Click() {
  Toggle(TimerGreetingsAnim);
}

void Form1::Command12_Click() {
  DoEventsOn = !DoEventsOn;
  Command12.Caption = DoEventsOn ? "True" : "False";
}

void Form1::Command14_Click() {
  Picture1.Cls();
}

void Form1::Command17_Click() {
  // Timers have no Visible property; their assignment fails and the loop goes on.
  for (Control* control : Controls()) {
    Attempt([&] {
      if (control->Name() != "Picture1")
        control->SetVisible(false);
    });
  }
}

void Form1::Command23_Click() {
  TimerMain.SetEnabled(false);
  TimerAnimTree.SetEnabled(false);
  TimerSpeclAnimTree.SetEnabled(false);
  TimerCard.SetEnabled(false);
  TimerGreetingsAnim.SetEnabled(false);
  DoEventsOn = false;
  Picture1.SetAutoRedraw(true);
  Picture1.FillStyle = FillStyle::Transparent;
  DoEvents();
  DrawBackground();
  DrawFrame();
  Sound().StopSoundFile();
}

}  // namespace frost
