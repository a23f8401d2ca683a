// The hidden buttons and the painting timers: each handler hands over to the object that owns
// the behaviour.
#include "startup/form1.h"

namespace frost {

void Form1::Command1_Click() {
  starSketches.DrawRayWedge();
}
void Form1::Command3_Click() {
  starSketches.DrawRayWedgeShifted();
}
void Form1::Command5_Click() {
  starSketches.DrawStarConstruction();
}

void Form1::Command8_Click() {
  treeLights.DrawWholeTree();
}
void Form1::Command4_Click() {
  treeLights.ToggleTwinkle();
}
void Form1::Command11_Click() {
  treeLights.ToggleLightsRamp();
}
void Form1::Command16_Click() {
  treeLights.ToggleWholeTreeRamp();
}
void Form1::TimerAnimTree_Timer() {
  treeLights.Twinkle();
}
void Form1::TimerSpeclAnimTree_Timer() {
  treeLights.RampLights();
}
void Form1::Timer1SpeclAnimTree_Timer() {
  treeLights.RampWholeTree();
}

void Form1::Command6_Click() {
  cardPanel.DrawCard();
}
void Form1::Command9_Click() {
  cardPanel.ToggleCandles();
}
void Form1::TimerCard_Timer() {
  cardPanel.DrawCandleTick();
}

void Form1::Command7_Click() {
  greetingPanel.DrawGreetings();
}
void Form1::Command21_Click() {
  randomStars.DrawRandomStars();
}
void Form1::Command10_Click() {
  frameLights.ToggleFlicker();
}
void Form1::TimerGreetingsAnim_Timer() {
  frameLights.DrawFrameLights();
}

void Form1::Command22_Click() {
  fireworks.Launch();
}
void Form1::TimerFireworks_Timer() {
  fireworks.NextBurst();
}

void Form1::Command2_Click() {
  showControls.Back();
}
void Form1::Command12_Click() {
  showControls.ToggleYielding();
}
void Form1::Command14_Click() {
  Picture1.Cls();
}
void Form1::Command17_Click() {
  showControls.HideControls();
}
void Form1::Command23_Click() {
  showControls.Freeze();
}

void Form1::BackdropHalfway() {
  if (Sequencer().Current() != Phase::DrawTree)
    return;
  menuStrip.RefreshMenuStrip();
  DoEvents();
  App().Sleep(1000);
}

}  // namespace frost
