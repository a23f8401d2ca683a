// Connects the window's events to the card's handlers, as the form designer would.
#include "startup/form1.h"

namespace frost {

void Form1::WireEvents() {
  QueryUnload = [this](bool& cancel) { Form_QueryUnload(cancel); };
  Picture1.Click = [this] { Picture1_Click(); };
  Picture1.DblClick = [this] { Picture1_DblClick(); };
  Label2.Click = [this] { Label2_Click(); };
  ImageClose.Click = [this] { ImageClose_Click(); };
  ImageEdit.Click = [this] { ImageEdit_Click(); };
  ImageEditCancel.Click = [this] { ImageEditCancel_Click(); };
  ImageEditSave.Click = [this] { ImageEditSave_Click(); };
  backdrop.Halfway = [this] { BackdropHalfway(); };
  auto noteMenuMouseMove = [this](const MouseArgs&) { sequencer_.NoteMenuMouseMove(); };
  for (Control* control : {static_cast<Control*>(&PictureMenu), static_cast<Control*>(&ImageClose),
                           static_cast<Control*>(&ImageEdit), static_cast<Control*>(&Label2)}) {
    control->MouseMove = noteMenuMouseMove;
  }

  struct Command {
    CommandButton& button;
    void (Form1::*handler)();
  };
  for (const Command& command :
       {Command{Command1, &Form1::Command1_Click},   Command{Command2, &Form1::Command2_Click},
        Command{Command3, &Form1::Command3_Click},   Command{Command4, &Form1::Command4_Click},
        Command{Command5, &Form1::Command5_Click},   Command{Command6, &Form1::Command6_Click},
        Command{Command7, &Form1::Command7_Click},   Command{Command8, &Form1::Command8_Click},
        Command{Command9, &Form1::Command9_Click},   Command{Command10, &Form1::Command10_Click},
        Command{Command11, &Form1::Command11_Click}, Command{Command12, &Form1::Command12_Click},
        Command{Command13, &Form1::Command13_Click}, Command{Command14, &Form1::Command14_Click},
        Command{Command15, &Form1::Command15_Click}, Command{Command16, &Form1::Command16_Click},
        Command{Command17, &Form1::Command17_Click}, Command{Command18, &Form1::Command18_Click},
        Command{Command19, &Form1::Command19_Click}, Command{Command20, &Form1::Command20_Click},
        Command{Command21, &Form1::Command21_Click}, Command{Command22, &Form1::Command22_Click},
        Command{Command23, &Form1::Command23_Click}}) {
    command.button.Click = [this, handler = command.handler] { (this->*handler)(); };
  }

  struct TimerTick {
    Timer& timer;
    void (Form1::*handler)();
  };
  for (const TimerTick& tick : {TimerTick{TimerMain, &Form1::TimerMain_Timer},
                                TimerTick{TimerAnimTree, &Form1::TimerAnimTree_Timer},
                                TimerTick{TimerSpeclAnimTree, &Form1::TimerSpeclAnimTree_Timer},
                                TimerTick{Timer1SpeclAnimTree, &Form1::Timer1SpeclAnimTree_Timer},
                                TimerTick{TimerCard, &Form1::TimerCard_Timer},
                                TimerTick{TimerGreetingsAnim, &Form1::TimerGreetingsAnim_Timer},
                                TimerTick{TimerFireworks, &Form1::TimerFireworks_Timer}}) {
    tick.timer.OnTimer = [this, handler = tick.handler] { (this->*handler)(); };
  }
}

}  // namespace frost
