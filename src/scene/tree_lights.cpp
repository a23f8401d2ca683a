#include "scene/tree_lights.h"

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

void TreeLights::DrawWholeTree() {
  tree_.DrawGround();
  tree_.DrawTreeTiers();
  tree_.DrawBaubles();
  stars_.DrawOrnamentStars();
  stars_.DrawTopStarSparkles();
  stars_.DrawTopStar();
}

// The lights alternate between their resting level and a random bright one on every tick that
// draws a new pattern. Above 190 the whole tree flashes with a brighter fill; the next tick
// below 190 restores the normal fill. While fireworks run only the lights are repainted.
void TreeLights::Twinkle() {
  timers_.twinkle.SetInterval(static_cast<int>(Int(991 * paint_.Rnd() + 10)));
  const double pattern = Int(10 * paint_.Rnd() + 1);
  if (pattern == lastLightPattern_)
    return;

  if (tree_.LightLevel() == tree_.LightBaseLevel()) {
    tree_.SetLightLevel(Int(paint_.Rnd() * 46 + 155));
    if (pattern == 3)
      paint_.DoEventsOn = true;
  } else {
    tree_.SetLightLevel(tree_.LightBaseLevel());
    paint_.DoEventsOn = false;
  }

  if (RepaintsBaubles(pattern))
    tree_.DrawBaubles();
  paint_.DoEvents();
  if (RepaintsOrnamentStars(pattern))
    stars_.DrawOrnamentStars();
  paint_.DoEvents();
  stars_.DrawTopStarSparkles();
  stars_.DrawTopStar();
  paint_.DoEvents();

  if (!timers_.fireworks.Enabled())
    FlashTiers(pattern);
  lastLightPattern_ = pattern;
}

void TreeLights::FlashTiers(double pattern) {
  if (tree_.LightLevel() > 190 && MayRepaintTiers(pattern)) {
    tree_.SetTierFillLevel(180);
    DrawWholeTree();
  }
  if (tree_.LightLevel() < 190 && MayRepaintTiers(pattern) && tree_.TierFillLevel() != 140) {
    tree_.SetTierFillLevel(140);
    DrawWholeTree();
  }
}

// Balls, ornament stars, sparkles and top star with a yield after each group.
void TreeLights::DrawLights() {
  tree_.DrawBaubles();
  paint_.DoEvents();
  stars_.DrawOrnamentStars();
  paint_.DoEvents();
  stars_.DrawTopStarSparkles();
  stars_.DrawTopStar();
  paint_.DoEvents();
}

// A steady ramp of the lights: 120, 130, ... 200 and again.
void TreeLights::RampLights() {
  DrawLights();
  tree_.SetLightLevel(tree_.LightLevel() + 10);
  if (tree_.LightLevel() > 200)
    tree_.SetLightLevel(120);
}

// The same ramp (120 ... 220) carried into the tier fill: the whole tree but its ground.
void TreeLights::RampWholeTree() {
  tree_.SetTierFillLevel(tree_.LightLevel());
  tree_.DrawTreeTiers();
  tree_.DrawBaubles();
  stars_.DrawOrnamentStars();
  stars_.DrawTopStarSparkles();
  stars_.DrawTopStar();
  paint_.DoEvents();
  tree_.SetLightLevel(tree_.LightLevel() + 10);
  if (tree_.LightLevel() > 220)
    tree_.SetLightLevel(120);
}

void TreeLights::ToggleTwinkle() {
  if (!timers_.twinkle.Enabled()) {
    timers_.lightsRamp.SetEnabled(false);
    timers_.twinkle.SetEnabled(true);
  } else {
    timers_.twinkle.SetEnabled(false);
  }
}

void TreeLights::ToggleLightsRamp() {
  if (timers_.lightsRamp.Enabled()) {
    timers_.lightsRamp.SetEnabled(false);
  } else {
    timers_.twinkle.SetEnabled(false);
    timers_.lightsRamp.SetEnabled(true);
  }
}

void TreeLights::ToggleWholeTreeRamp() {
  timers_.wholeTreeRamp.SetEnabled(!timers_.wholeTreeRamp.Enabled());
}

}  // namespace frost
