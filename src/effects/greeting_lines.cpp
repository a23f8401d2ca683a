#include "effects/relief_text.h"
#include "personalise/ansi.h"
#include "personalise/greeting_area.h"
#include "scene/for_step.h"
#include "startup/form1.h"

namespace frost {
namespace {

constexpr int kGreetingLines = greeting_area::kFieldCount;
constexpr const char* kGreetingFont = "Times New Roman";

// A font size designed at 15 twips per pixel, for this screen, as the card computes it.
double ScaledFontSize(double size, double twipsPerPixelX) {
  return Int(size / (15 / twipsPerPixelX));
}

// Horizontal lines 4 twips apart (not scaled), inset by the margin on every side, brightening
// toward the middle of the surface and darkening again below it. Every line yields, whatever
// the painters' yield switch says, so the panel wipes visibly down the card.
void DrawGreetingPanel(Form1& form) {
  PictureBox& picture = form.Picture1;
  const double margin = 1000 * form.ScaleY();
  form.Intensity = 130;
  ForStep(margin, picture.Height() - margin, 4, [&](double y) {
    picture.Line(margin, y, picture.Width() - margin, y, form.ShadedColor());
    if (y < picture.Height() / 2)
      form.Intensity += 0.2;
    else
      form.Intensity -= 0.2;
    form.DoEvents();
  });
}

}  // namespace

// Eight hidden boxes stacked 100 twips apart from 2000 (scaled) down. Their tops are where the
// greeting lines are painted later, so they are laid out even though the show never shows them.
void Form1::LayoutGreetingBoxes() {
  const double left = 1300 * ScaleX();
  double top = 2000 * ScaleY();
  Intensity = 100;
  for (int i = 1; i <= kGreetingLines; ++i) {
    TextBox& box = TextGreetings.Load(i);
    box.Change = [this, i] { TextGreetings_Change(i); };
    // Refused at input what the card file could not store, so what is shown is what is sent.
    box.InputFilter = StorableText;
    KeepInRegion(box);  // the editor stays usable in the window shaped to the tree
    box.Font.size = ScaledFontSize(box.Font.size, App().TwipsPerPixelX());
    box.SetHeight(box.Height() * App().TwipsPerPixelY() / 15);
    box.SetLeft(left + 250);
    box.SetTop(top);
    box.SetWidth(Picture1.Width() - 2 * left - 500);
    box.ForeColor = ShadedColor();
    top += box.Height() + 100;
  }
}

void Form1::Command7_Click() {
  TimerAnimTree.SetEnabled(false);
  TimerSpeclAnimTree.SetEnabled(false);
  TimerCard.SetEnabled(false);
  DoEvents();
  DrawGreetingPanel(*this);
  DrawRandomStars();
  DrawGreetingLines();
}

// Every non-empty line centred on the window's width at its box's top, in relief. An empty line
// is skipped and the others keep their rows.
void Form1::DrawGreetingLines() {
  Picture1.Font.size = 15;
  Picture1.Font.name = kGreetingFont;
  Picture1.Font.size = ScaledFontSize(Picture1.Font.size, App().TwipsPerPixelX());
  Picture1.Font.italic = true;
  FontSpec measuring = Label1.Font();
  measuring.size = Picture1.Font.size;
  measuring.name = kGreetingFont;
  measuring.italic = true;
  Label1.SetFont(measuring);
  for (int i = 1; i <= kGreetingLines; ++i) {
    if (TextGreetings(i).Text().empty())
      continue;
    Label1.SetCaption(TextGreetings(i).Text());
    DoEvents();  // the label takes its new size
    Intensity = 75;
    PrintInRelief(*this, Label1.Caption(), Width() / 2 - Label1.Width() / 2, TextGreetings(i).Top(),
                  35);
  }
}

}  // namespace frost
