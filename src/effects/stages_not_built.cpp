// Greeting, frame-light, firework and card-panel stages that are not built yet. The show calls
// them by name at their places; until they land they paint nothing.
#include "startup/form1.h"

namespace frost {

void Form1::LayoutGreetingBoxes() {}
void Form1::Command7_Click() {}
void Form1::DrawGreetingLines() {}
void Form1::TimerGreetingsAnim_Timer() {}
void Form1::Command22_Click() {}
void Form1::TimerFireworks_Timer() {}
void Form1::BurstFirework() {}
void Form1::Command6_Click() {}
void Form1::DrawCardGlow() {}
void Form1::TimerCard_Timer() {}
void Form1::DrawCandles() {}

}  // namespace frost
