#include "personalise/menu_strip.h"

#include "toolkit/design_scale.h"
#include "toolkit/errors.h"

namespace frost {
namespace {

constexpr const char* kMakerAddress = "https://www.frostmail.example/";
// A fixed gap between the two buttons, in twips whatever the screen.
constexpr double kButtonGap = 50;

}  // namespace

// Lays the strip out 20 screen pixels in from the card's top right corner and the label 20 in
// from its left edge near the bottom, repaints the strip's background from the card under it,
// and shows both with the normal buttons. Every step may fail alone.
void MenuStrip::LayOutMenuStrip() {
  const double unitX = DesignScale(app_.TwipsPerPixelX()) * 300;
  const double unitY = DesignScale(app_.TwipsPerPixelY()) * 300;
  auto& [surface, strip, about, exit, customize, update, cancel, editorOpen] = parts_;
  ResumeNext([&] { about.SetLeft(unitX); }, [&] { strip.SetWidth(2 * exit.Width() + kButtonGap); },
             [&] { strip.SetHeight(exit.Height()); }, [&] { strip.SetTop(unitY); },
             [&] {
               exit.SetTop(0);
               customize.SetTop(exit.Top());
               update.SetTop(exit.Top());
               cancel.SetTop(exit.Top());
             },
             [&] { strip.SetLeft(surface.Width() - strip.Width() - unitX); },
             [&] { exit.SetLeft(strip.Width() - exit.Width()); },
             [&] { customize.SetLeft(exit.Left() - customize.Width() - kButtonGap); },
             [&] { cancel.SetLeft(exit.Left()); }, [&] { update.SetLeft(customize.Left()); },
             [&] { RefreshMenuStrip(); },
             [&] { about.SetTop(surface.Height() - about.Height() - 0.8 * unitY); },
             [&] { about.SetVisible(true); }, [&] { exit.SetVisible(true); },
             [&] { customize.SetVisible(true); }, [&] { strip.SetVisible(true); });
}

void MenuStrip::ShowStripButtons(StripButtons pair) {
  const bool editor = pair == StripButtons::Editor;
  parts_.exit.SetVisible(!editor);
  parts_.customize.SetVisible(!editor);
  parts_.update.SetVisible(editor);
  parts_.cancel.SetVisible(editor);
}

// Three cases: the editor's strip already up (nothing to do), the editor open with the strip
// hidden (its buttons come back where they were), otherwise the normal strip laid out afresh.
void MenuStrip::ShowMenu() {
  if (parts_.update.Visible() && parts_.strip.Visible())
    return;
  bool editorOpen = false;
  Attempt([&] { editorOpen = parts_.editorOpen(); });
  if (editorOpen) {
    ResumeNext([&] { ShowStripButtons(StripButtons::Editor); },
               [&] { parts_.strip.SetVisible(true); });
    return;
  }
  LayOutMenuStrip();
}

void MenuStrip::RefreshMenuStrip() {
  parts_.strip.PaintPicture(parts_.surface.Image(), 0, 0,
                            {.sourceX = parts_.strip.Left(), .sourceY = parts_.strip.Top()});
}

void MenuStrip::HideMenu() {
  parts_.about.SetVisible(false);
  parts_.strip.SetVisible(false);
}

// Whether a browser opened is not looked at.
void MenuStrip::OpenAbout() {
  os_.ShellExecuteOpen(kMakerAddress);
}

}  // namespace frost
