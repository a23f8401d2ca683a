#pragma once
#include "scene/paint_context.h"
#include "scene/tree.h"
#include "scene/tree_stars.h"
#include "toolkit/timer.h"

namespace frost {

// The tree's lights in motion: the twinkling on a random timer and the two steady ramps, each
// on its own timer, and the whole tree painted ground to top star.
class TreeLights {
 public:
  struct Timers {
    Timer& twinkle;          // random patterns, a fresh interval every tick
    Timer& lightsRamp;       // the lights alone
    Timer& wholeTreeRamp;    // the lights carried into the tier fill
    const Timer& fireworks;  // while it runs, the tiers are left alone
  };
  TreeLights(PaintContext& paint, Tree& tree, TreeStars& stars, Timers timers)
      : paint_(paint), tree_(tree), stars_(stars), timers_(timers) {}

  // Ground, tiers, balls, ornament stars, sparkles and top star, in that order.
  void DrawWholeTree();

  // One tick of each timer.
  void Twinkle();
  void RampLights();
  void RampWholeTree();

  // The buttons: twinkling on (the lights ramp off) or off; the lights ramp on (twinkling off) or
  // off; the whole-tree ramp on or off.
  void ToggleTwinkle();
  void ToggleLightsRamp();
  void ToggleWholeTreeRamp();

 private:
  void DrawLights();
  void FlashTiers(double pattern);

  PaintContext& paint_;
  Tree& tree_;
  TreeStars& stars_;
  Timers timers_;
  double lastLightPattern_ = 0;
};

}  // namespace frost
