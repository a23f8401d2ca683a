// The menu strip near the card's top right corner and the about label near its bottom left,
// brought up by a click on the card. The sequencer hides both again after 7 idle seconds.
#include "personalise/menu_strip.h"

#include "startup/form1.h"
#include "toolkit/design_scale.h"
#include "toolkit/errors.h"

namespace frost {
namespace {

constexpr const char* kMakerAddress = "https://www.frostmail.example/";
// A fixed gap between the two buttons, in twips whatever the screen.
constexpr double kButtonGap = 50;

// Lays the strip out 20 screen pixels in from the card's top right corner and the label 20 in
// from its left edge near the bottom, repaints the strip's background from the card under it,
// and shows both with the normal buttons. Every step may fail alone.
void LayOutMenuStrip(Form1& form) {
  const double unitX = DesignScale(form.App().TwipsPerPixelX()) * 300;
  const double unitY = DesignScale(form.App().TwipsPerPixelY()) * 300;
  PictureBox& strip = form.PictureMenu;
  ResumeNext(
      [&] { form.Label2.SetLeft(unitX); },
      [&] { strip.SetWidth(2 * form.ImageClose.Width() + kButtonGap); },
      [&] { strip.SetHeight(form.ImageClose.Height()); }, [&] { strip.SetTop(unitY); },
      [&] {
        form.ImageClose.SetTop(0);
        form.ImageEdit.SetTop(form.ImageClose.Top());
        form.ImageEditSave.SetTop(form.ImageClose.Top());
        form.ImageEditCancel.SetTop(form.ImageClose.Top());
      },
      [&] { strip.SetLeft(form.Picture1.Width() - strip.Width() - unitX); },
      [&] { form.ImageClose.SetLeft(strip.Width() - form.ImageClose.Width()); },
      [&] { form.ImageEdit.SetLeft(form.ImageClose.Left() - form.ImageEdit.Width() - kButtonGap); },
      [&] { form.ImageEditCancel.SetLeft(form.ImageClose.Left()); },
      [&] { form.ImageEditSave.SetLeft(form.ImageEdit.Left()); }, [&] { form.RefreshMenuStrip(); },
      [&] { form.Label2.SetTop(form.Picture1.Height() - form.Label2.Height() - 0.8 * unitY); },
      [&] { form.Label2.SetVisible(true); }, [&] { form.ImageClose.SetVisible(true); },
      [&] { form.ImageEdit.SetVisible(true); }, [&] { strip.SetVisible(true); });
}

}  // namespace

void ShowStripButtons(Form1& form, StripButtons pair) {
  const bool editor = pair == StripButtons::Editor;
  form.ImageClose.SetVisible(!editor);
  form.ImageEdit.SetVisible(!editor);
  form.ImageEditSave.SetVisible(editor);
  form.ImageEditCancel.SetVisible(editor);
}

// Three cases: the editor's strip already up (nothing to do), the editor open with the strip
// hidden (its buttons come back where they were), otherwise the normal strip laid out afresh.
void Form1::Picture1_Click() {
  if (ImageEditSave.Visible() && PictureMenu.Visible())
    return;
  bool editorOpen = false;
  Attempt([&] { editorOpen = TextGreetings(1).Visible(); });
  if (editorOpen) {
    ResumeNext([&] { ShowStripButtons(*this, StripButtons::Editor); },
               [&] { PictureMenu.SetVisible(true); });
    return;
  }
  LayOutMenuStrip(*this);
}

void Form1::RefreshMenuStrip() {
  PictureMenu.PaintPicture(Picture1.Image(), 0, 0,
                           {.sourceX = PictureMenu.Left(), .sourceY = PictureMenu.Top()});
}

// Whether a browser opened is not looked at.
void Form1::Label2_Click() {
  OS().ShellExecuteOpen(kMakerAddress);
}

}  // namespace frost
