#include "effects/greeting_panel.h"

#include "effects/relief_text.h"
#include "personalise/ansi.h"
#include "personalise/greeting_area.h"
#include "scene/for_step.h"
#include "toolkit/text_measure.h"

namespace frost {
namespace {

constexpr int kGreetingLines = greeting_area::kFieldCount;
constexpr const char* kGreetingFont = "Times New Roman";

}  // namespace

// Horizontal lines 4 twips apart (not scaled), inset by the margin on every side, brightening
// toward the middle of the surface and darkening again below it. Every line yields, whatever
// the painters' yield switch says, so the panel wipes visibly down the card.
void GreetingPanel::DrawGreetingPanel() {
  PictureBox& picture = paint_.Picture1;
  const double margin = 1000 * paint_.ScaleY();
  paint_.Intensity = 130;
  ForStep(margin, picture.Height() - margin, 4, [&](double y) {
    picture.Line(margin, y, picture.Width() - margin, y, paint_.ShadedColor());
    if (y < picture.Height() / 2)
      paint_.Intensity += 0.2;
    else
      paint_.Intensity -= 0.2;
    paint_.DoEvents();
  });
}

// Stacked 100 twips apart from 2000 (scaled) down. Their tops are where the greeting lines are
// painted later, so they are laid out even though the show never shows them.
void GreetingPanel::LayoutGreetingBoxes() {
  const double tppX = paint_.App().TwipsPerPixelX();
  const double left = 1300 * paint_.ScaleX();
  double top = 2000 * paint_.ScaleY();
  paint_.Intensity = 100;
  for (int i = 1; i <= kGreetingLines; ++i) {
    TextBox& box = parts_.lines.Load(i);
    box.Change = [this, i] { parts_.lineChanged(i); };
    // Refused at input what the card file could not store, so what is shown is what is sent.
    box.InputFilter = StorableText;
    parts_.window.KeepInRegion(box);  // the editor stays usable in the window shaped to the tree
    box.Font.size = ScaledFontSize(box.Font.size, tppX);
    box.SetHeight(box.Height() * paint_.App().TwipsPerPixelY() / kDesignTwipsPerPixel);
    box.SetLeft(left + 250);
    box.SetTop(top);
    box.SetWidth(paint_.Picture1.Width() - 2 * left - 500);
    box.ForeColor = paint_.ShadedColor();
    top += box.Height() + 100;
  }
}

void GreetingPanel::DrawGreetings() {
  for (Timer* timer : parts_.stopped) timer->SetEnabled(false);
  paint_.DoEvents();
  DrawGreetingPanel();
  stars_.DrawRandomStars();
  DrawGreetingLines();
}

// Every non-empty line centred on the window's width at its box's top, in relief. An empty line
// is skipped and the others keep their rows.
void GreetingPanel::DrawGreetingLines() {
  PictureBox& picture = paint_.Picture1;
  picture.Font.name = kGreetingFont;
  picture.Font.size = ScaledFontSize(15, paint_.App().TwipsPerPixelX());
  picture.Font.italic = true;
  for (int i = 1; i <= kGreetingLines; ++i) {
    const std::string line = parts_.lines(i).Text();
    if (line.empty())
      continue;
    const double width = MeasureText(parts_.measure, kGreetingFont, picture.Font.size, line);
    paint_.Intensity = 75;
    PrintInRelief(paint_, line, parts_.window.Width() / 2 - width / 2, parts_.lines(i).Top(), 35);
  }
}

}  // namespace frost
