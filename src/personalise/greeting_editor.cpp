#include "personalise/greeting_editor.h"

#include <algorithm>
#include <string>

#include "personalise/greeting_area.h"
#include "toolkit/errors.h"
#include "toolkit/text_measure.h"

namespace frost {
namespace {

// Characters as the text box counts them for MaxLength.
int CharacterCount(const std::string& utf8) {
  return static_cast<int>(std::ranges::count_if(
      utf8, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

void GreetingEditor::OpenEditor() {
  for (int i = 1; i <= greeting_area::kFieldCount; ++i) {
    Attempt([&] { parts_.lines(i).SetVisible(true); });
  }
  ResumeNext([&] { parts_.window.SetFocus(&parts_.lines(1)); },
             [&] { parts_.strip.ShowStripButtons(StripButtons::Editor); },
             [&] { parts_.window.App().DoEvents(); });
}

void GreetingEditor::CancelEditor() {
  for (int i = 1; i <= greeting_area::kFieldCount; ++i) parts_.lines(i).SetVisible(false);
  parts_.strip.ShowStripButtons(StripButtons::Normal);
}

void GreetingEditor::SaveEditor() {
  parts_.strip.HideStrip();
  parts_.window.App().DoEvents();
  parts_.writer.UpdateCard();
}

// The limit refuses input without cutting the text, so the character that made the line as wide
// as the box stays, nothing more can be added, and the next change (a deletion, say) measures
// again from the full 40.
void GreetingEditor::LineChanged(int index) {
  TextBox& box = parts_.lines(index);
  box.MaxLength = greeting_area::kFieldSize;
  // Other events, the show's ticks among them, may run in the measure before the limit is set.
  if (MeasureText(parts_.measure, box.Font.name, box.Font.size, box.Text()) >= box.Width())
    box.MaxLength = CharacterCount(box.Text()) - 1;
}

}  // namespace frost
