#pragma once
#include "personalise/copy_writer.h"
#include "personalise/menu_strip.h"
#include "toolkit/control_array.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace frost {

// The greeting editor: the eight greeting boxes shown in place over the card. The editor is open
// exactly while box 1 is visible; the strip and the sequencer test nothing else.
class GreetingEditor {
 public:
  struct Parts {
    Form& window;                  // gives box 1 the focus
    ControlArray<TextBox>& lines;  // boxes 1 to 8
    Label& measure;                // the hidden label that measures a line
    MenuStrip& strip;
    CopyWriter& writer;
  };
  explicit GreetingEditor(Parts parts) : parts_(parts) {}

  bool IsOpen() const { return parts_.lines(1).Visible(); }
  // "Customize": the boxes shown, the focus on line 1, the strip's editor buttons.
  void OpenEditor();
  // "Cancel": the typed lines stay; they are the card's lines until a restart reads the file.
  void CancelEditor();
  // "Update Card": the boxes stay visible while the copy is written; the program then ends.
  void SaveEditor();
  // Keeps line `index` within its field and its box.
  void LineChanged(int index);

 private:
  Parts parts_;
};

}  // namespace frost
