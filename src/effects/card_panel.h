#pragma once
#include "scene/paint_context.h"
#include "scene/tree.h"
#include "scene/tree_stars.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"

namespace frost {

// The card stage: the card drawing over a soft glow with the card line in relief, and two
// candles whose flames flicker on their timer while the tree's top star keeps glowing.
class CardPanel {
 public:
  struct Parts {
    const Form& window;    // the drawing is centred on it
    const Image& drawing;  // the card drawing
    Label& measure;        // the hidden label that measures the card line
    Timer& candles;        // the candles' flicker
  };
  CardPanel(PaintContext& paint, Tree& tree, TreeStars& stars, Parts parts)
      : paint_(paint), tree_(tree), stars_(stars), parts_(parts) {}

  // The glow, the drawing and the card line; the candles' bodies are drawn again on the next
  // tick.
  void DrawCard();
  void DrawCardGlow();
  // One tick: the top star, a fresh light level for the next one, and the candles.
  void DrawCandleTick();
  void DrawCandles();
  void ToggleCandles() { parts_.candles.SetEnabled(!parts_.candles.Enabled()); }

 private:
  struct CandlePlace {
    double leftX, rightX;
    double bodyRadius;
    double height;
    double bottomY, topY;
  };
  CandlePlace PlaceCandles() const;
  void DrawCandleBodies(const CandlePlace& place);
  void DrawCandleFlames(const CandlePlace& place);
  Color BoostedColor() const;

  PaintContext& paint_;
  Tree& tree_;
  TreeStars& stars_;
  Parts parts_;
  bool candlesDrawn_ = false;
};

}  // namespace frost
