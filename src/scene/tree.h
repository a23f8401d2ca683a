#pragma once
#include "scene/paint_context.h"

namespace frost {

// The golden tree's body: the ground under it, its nine tiers and the balls on them, and the
// brightness levels they are painted at. Painting the tiers also fixes where the top star sits.
class Tree {
 public:
  explicit Tree(PaintContext& paint) : paint_(paint) {}

  void DrawGround();
  void DrawTreeTiers();
  void DrawBaubles();

  // The lights' resting level and their current one, which the balls and stars are painted at.
  double LightBaseLevel() const { return lightBaseLevel_; }
  double LightLevel() const { return lightLevel_; }
  void SetLightLevel(double level) { lightLevel_ = level; }
  // The brightness the tiers' fill starts at.
  double TierFillLevel() const { return tierFillLevel_; }
  void SetTierFillLevel(double level) { tierFillLevel_ = level; }

  // The top star's centre: where the last tier's fill ended (0, 0 before any tiers were drawn).
  double TopStarX() const { return topStarX_; }
  double TopStarY() const { return topStarY_; }

 private:
  PaintContext& paint_;
  double lightBaseLevel_ = 120;
  double lightLevel_ = 120;
  double tierEdgeLevel_ = 150;
  double tierFillLevel_ = 140;
  double topStarX_ = 0;
  double topStarY_ = 0;
};

}  // namespace frost
