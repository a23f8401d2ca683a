#include "startup/form1.h"

namespace frost {

namespace {

bool RepaintsBaubles(double pattern) {
  return pattern != 1 && pattern != 6;
}
bool RepaintsOrnamentStars(double pattern) {
  return pattern != 2 && pattern != 8;
}
// Pattern 3 lights the tree without ever flashing its fill.
bool MayRepaintTiers(double pattern) {
  return pattern != 3;
}

}  // namespace

// The lights alternate between their resting level and a random bright one on every tick that
// draws a new pattern. Above 190 the whole tree flashes with a brighter fill; the next tick
// below 190 restores the normal fill. While fireworks run only the lights are repainted.
void Form1::TimerAnimTree_Timer() {
  TimerAnimTree.SetInterval(static_cast<int>(Int(991 * App().Rnd() + 10)));
  const double pattern = Int(10 * App().Rnd() + 1);
  if (pattern == LastLightPattern)
    return;

  if (LightLevel == LightBaseLevel) {
    LightLevel = Int(App().Rnd() * 46 + 155);
    if (pattern == 3)
      DoEventsOn = true;
  } else {
    LightLevel = LightBaseLevel;
    DoEventsOn = false;
  }

  if (RepaintsBaubles(pattern))
    DrawBaubles();
  DoEvents();
  if (RepaintsOrnamentStars(pattern))
    DrawOrnamentStars();
  DoEvents();
  DrawTopStarSparkles();
  DrawTopStar();
  DoEvents();

  if (!TimerFireworks.Enabled()) {
    if (LightLevel > 190 && MayRepaintTiers(pattern)) {
      TierFillLevel = 180;
      Command8_Click();
    }
    if (LightLevel < 190 && MayRepaintTiers(pattern) && TierFillLevel != 140) {
      TierFillLevel = 140;
      Command8_Click();
    }
  }
  LastLightPattern = pattern;
}

// A steady ramp of the lights: 120, 130, ... 200 and again.
void Form1::TimerSpeclAnimTree_Timer() {
  DrawBaubles();
  DoEvents();
  DrawOrnamentStars();
  DoEvents();
  DrawTopStarSparkles();
  DrawTopStar();
  DoEvents();
  LightLevel += 10;
  if (LightLevel > 200)
    LightLevel = 120;
}

// The same ramp (120 ... 220) carried into the tier fill: the whole tree but its ground.
void Form1::Timer1SpeclAnimTree_Timer() {
  TierFillLevel = LightLevel;
  DrawTreeTiers();
  DrawBaubles();
  DrawOrnamentStars();
  DrawTopStarSparkles();
  DrawTopStar();
  DoEvents();
  LightLevel += 10;
  if (LightLevel > 220)
    LightLevel = 120;
}

void Form1::Command11_Click() {
  if (TimerSpeclAnimTree.Enabled()) {
    TimerSpeclAnimTree.SetEnabled(false);
  } else {
    TimerAnimTree.SetEnabled(false);
    TimerSpeclAnimTree.SetEnabled(true);
  }
}

void Form1::Command16_Click() {
  Timer1SpeclAnimTree.SetEnabled(!Timer1SpeclAnimTree.Enabled());
}

}  // namespace frost
