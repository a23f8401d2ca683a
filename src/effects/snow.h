#pragma once
#include <array>

#include "scene/paint_context.h"

namespace frost {

// The falling snow of the show's first seconds and the twinkling snow of its last phase: 151
// flakes over the whole surface.
class Snow {
 public:
  static constexpr int kFlakeCount = 151;
  struct Flake {
    double x = 0;
    double y = 0;
  };

  explicit Snow(PaintContext& paint) : paint_(paint) {}

  // Takes the surface's size and puts every flake at a random place on it, drawing nothing.
  void Start();
  void MoveSnowFlakes();
  void ScatterSnowFlakes();

  const std::array<Flake, kFlakeCount>& Flakes() const { return flakes_; }

 private:
  void PlaceAtRandom(Flake& flake) const;

  PaintContext& paint_;
  std::array<Flake, kFlakeCount> flakes_{};
  double flakeRadius_ = 0;
  double width_ = 0;
  double height_ = 0;
};

}  // namespace frost
