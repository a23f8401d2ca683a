#pragma once
// The strokes of one full "Tree" command as they reach the rasteriser, recorded from the real
// painter, and their replay through our rasteriser and through cairo.
#include <memory>
#include <optional>
#include <vector>

#include "toolkit/raster.h"

namespace frost::bench {

inline constexpr int kCardWidth = 517, kCardHeight = 608;

enum class StrokeKind { Line, Circle, Dot };

struct Stroke {
  StrokeKind kind;
  PixelPoint from;   // Line, Dot
  PixelPoint to;     // Line
  PixelRect bounds;  // Circle: the ellipse's half-open bounds
  Pen pen;
  std::optional<Color> fill;  // Circle
};

// Runs "Tree" on the card's surface (pacing and yields off) and returns what it drew.
std::vector<Stroke> RecordTreeStrokes();

void ReplayOurs(Bitmap& surface, const std::vector<Stroke>& strokes);

// Replays onto an ARGB32 cairo image surface of the card's size, without antialiasing and
// with round caps, the nearest cairo has to our pixel rules.
class CairoCanvas {
 public:
  CairoCanvas();
  ~CairoCanvas();
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;
  void Replay(const std::vector<Stroke>& strokes);
  // Forces cairo to finish its drawing, so that timings include it.
  void Flush();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace frost::bench
