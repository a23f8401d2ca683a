// The greeting editor: the eight greeting boxes shown in place over the card. The editor is open
// exactly while box 1 is visible; the strip and the sequencer test nothing else.
#include <algorithm>
#include <string>

#include "personalise/greeting_area.h"
#include "personalise/menu_strip.h"
#include "startup/form1.h"
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

void Form1::ImageEdit_Click() {
  for (int i = 1; i <= greeting_area::kFieldCount; ++i) {
    Attempt([&] { TextGreetings(i).SetVisible(true); });
  }
  ResumeNext([&] { SetFocus(&TextGreetings(1)); },
             [&] { ShowStripButtons(*this, StripButtons::Editor); }, [&] { DoEvents(); });
}

// The typed lines stay: they are the card's lines until a restart reads the file again.
void Form1::ImageEditCancel_Click() {
  for (int i = 1; i <= greeting_area::kFieldCount; ++i) TextGreetings(i).SetVisible(false);
  ShowStripButtons(*this, StripButtons::Normal);
}

// The boxes stay visible while the copy is written; UpdateCard ends the program.
void Form1::ImageEditSave_Click() {
  PictureMenu.SetVisible(false);
  DoEvents();
  UpdateCard();
}

// Keeps a line within its field and its box. The limit refuses input without cutting the text,
// so the character that made the line as wide as the box stays, nothing more can be added, and
// the next change (a deletion, say) measures again from the full 40.
void Form1::TextGreetings_Change(int index) {
  TextBox& box = TextGreetings(index);
  box.MaxLength = greeting_area::kFieldSize;
  // Other events, the show's ticks among them, may run in the measure before the limit is set.
  if (MeasureText(Label1, box.Font.name, box.Font.size, box.Text()) >= box.Width())
    box.MaxLength = CharacterCount(box.Text()) - 1;
}

}  // namespace frost
