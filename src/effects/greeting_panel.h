#pragma once
#include <functional>
#include <vector>

#include "effects/random_stars.h"
#include "scene/paint_context.h"
#include "toolkit/control_array.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"

namespace frost {

// The greeting stage: a shaded panel with faint stars and the card's greeting lines printed on
// it in relief. The lines are the texts of eight hidden boxes, which this panel lays out.
class GreetingPanel {
 public:
  struct Parts {
    Form& window;  // the lines are centred on its width; the boxes are kept in its region
    ControlArray<TextBox>& lines;          // boxes 1 to 8 hold the lines
    Label& measure;                        // the hidden label that measures a line
    std::vector<Timer*> stopped;           // the animations the greeting stage ends
    std::function<void(int)> lineChanged;  // wired to every box's Change
  };
  GreetingPanel(PaintContext& paint, RandomStars& stars, Parts parts)
      : paint_(paint), stars_(stars), parts_(std::move(parts)) {}

  // Eight hidden boxes stacked under each other; they can be laid out only once.
  void LayoutGreetingBoxes();
  // Ends the tree's and the candles' animations, then the panel, the stars and the lines.
  void DrawGreetings();
  void DrawGreetingLines();

 private:
  void DrawGreetingPanel();

  PaintContext& paint_;
  RandomStars& stars_;
  Parts parts_;
};

}  // namespace frost
