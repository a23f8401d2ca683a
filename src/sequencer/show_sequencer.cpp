// The show: thirteen phases on the 10 ms timer. The blocks of a tick are independent tests, not
// alternatives: a block that changes the phase lets the next block test the new phase with a
// fresh clock reading in the same tick, so long paintings cascade.
#include "startup/form1.h"
#include "toolkit/errors.h"

namespace frost {
void Form1::EnterPhase(const char* phase) {
  Phase = phase;
  PhaseStart = App().Now();
  if (PhaseEntered)
    PhaseEntered(Phase);
}

void Form1::RefreshMenuStrip() {
  PictureMenu.PaintPicture(Picture1.Image(), 0, 0,
                           {.sourceX = PictureMenu.Left(), .sourceY = PictureMenu.Top()});
}

void Form1::TimerMain_Timer() {
  auto now = [&] { return App().Now(); };
  auto due = [&](const char* phase, double duration) {
    return Phase == phase && now() > PhaseStart + duration;
  };
  const bool editorOpen = [&] {
    bool open = false;
    Attempt([&] { open = TextGreetings(1).Visible(); });
    return open;
  }();

  // Menu block: hide the strip and the about label after 7 idle seconds.
  ResumeNext([&] {
    if (!editorOpen && now() > LastMenuMouseMove + 7) {
      LastMenuMouseMove = now();
      Label2.SetVisible(false);
      PictureMenu.SetVisible(false);
    }
  });

  if (due("DrawSnow", 0)) {
    ResumeNext([&] { Picture1.SetAutoRedraw(false); });
    if (now() > PhaseStart + 7) {
      ResumeNext([&] { Picture1.FillStyle = FillStyle::Transparent; }, [&] { Picture1.Cls(); },
                 [&] { Picture1.SetAutoRedraw(true); }, [&] { Picture1.Refresh(); },
                 [&] { EnterPhase("DrawBack"); }, [&] { DoEvents(); });
    }
    ResumeNext([&] { DoEvents(); }, [&] { snow.MoveSnowFlakes(); }, [&] { RefreshMenuStrip(); });
  }
  if (due("DrawBack", 0)) {
    ResumeNext([&] { Picture1.FillStyle = FillStyle::Transparent; },
               [&] { backdrop.DrawNativity(); }, [&] { EnterPhase("DrawTree"); },
               [&] { DoEvents(); }, [&] { Command2_Click(); }, [&] { RefreshMenuStrip(); });
  }
  if (due("DrawTree", 4)) {
    ResumeNext([&] { EnterPhase("AnimTree"); }, [&] { DoEvents(); }, [&] { Command8_Click(); });
  }
  if (due("AnimTree", 4)) {
    ResumeNext([&] { EnterPhase("Pause1"); }, [&] { paint.DoEventsOn = false; },
               [&] { DoEvents(); }, [&] { Command4_Click(); });
  }
  if (due("Pause1", 10)) {
    ResumeNext([&] { EnterPhase("DrawNativity"); }, [&] { paint.DoEventsOn = false; },
               [&] { DoEvents(); }, [&] { Command4_Click(); });
  }
  if (due("DrawNativity", 3)) {
    ResumeNext([&] { EnterPhase("AnimNativity"); }, [&] { Command2_Click(); }, [&] { DoEvents(); },
               [&] { paint.DoEventsOn = true; }, [&] { Command6_Click(); });
  }
  if (due("AnimNativity", 7)) {
    ResumeNext([&] { EnterPhase("DrawGreeting"); }, [&] { paint.DoEventsOn = false; },
               [&] { DoEvents(); }, [&] { Command9_Click(); });
  }
  if (due("DrawGreeting", 7)) {
    ResumeNext([&] { EnterPhase("AnimGreeting"); }, [&] { Command9_Click(); },
               [&] { Command2_Click(); }, [&] { DoEvents(); }, [&] { Command7_Click(); });
  }
  if (due("AnimGreeting", 1)) {
    ResumeNext([&] { EnterPhase("DrawFireworks"); }, [&] { DoEvents(); },
               [&] { Command10_Click(); });
  }
  if (due("DrawFireworks", 1)) {
    ResumeNext([&] { EnterPhase("ReDrawTree"); }, [&] { DoEvents(); });
  }
  if (due("ReDrawTree", 7)) {
    bool editorStillOpen = false;
    Attempt([&] { editorStillOpen = TextGreetings(1).Visible(); });
    if (editorStillOpen)
      return;  // the show waits here until the editor closes
    ResumeNext([&] { SetVisible(false); }, [&] { DoEvents(); },
               [&] { EnterPhase("DrawFireworks1"); }, [&] { Command10_Click(); },
               [&] { Command14_Click(); }, [&] { DoEvents(); }, [&] { Command8_Click(); },
               [&] { Command4_Click(); }, [&] { DoEvents(); }, [&] { Command18_Click(); },
               [&] { DoEvents(); }, [&] { SetVisible(true); }, [&] { DoEvents(); });
  }
  if (due("DrawFireworks1", 3)) {
    ResumeNext([&] { EnterPhase("DrawRandSnow"); }, [&] { fireworks.UseColor(); },
               [&] { TimerFireworks.SetEnabled(true); });
  }
  if (due("DrawRandSnow", 21)) {
    ResumeNext(
        [&] {
          if (!Picture1.AutoRedraw())
            Picture1.SetAutoRedraw(true);
        },
        [&] {
          if (TimerFireworks.Enabled()) {
            TimerFireworks.SetEnabled(false);
            Sound().StopSoundFile();
          }
        },
        [&] {
          if (Picture1.DrawWidth != 2)
            Picture1.DrawWidth = 2;
        },
        [&] { TimerMain.SetInterval(static_cast<int>(Int(491 * App().Rnd() + 10))); },
        [&] { snow.ScatterSnowFlakes(); });
  }
}

}  // namespace frost
