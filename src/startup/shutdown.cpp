#include "startup/form1.h"
#include "toolkit/errors.h"

namespace frost {

void Form1::Form_QueryUnload(bool& /*cancel*/) {
  ResumeNext([&] { Sound().StopSoundFile(); }, [&] { DoEvents(); });
}

void Form1::Command19_Click() {
  Sound().StopSoundFile();
  DoEvents();
  App().End();
}

// A double-click anywhere on the card closes it, whatever the menu strip shows.
void Form1::Picture1_DblClick() {
  ImageClose_Click();
}

void Form1::ImageClose_Click() {
  ResumeNext([&] { Sound().StopSoundFile(); }, [&] { DoEvents(); });
  App().End();
}

}  // namespace frost
