#pragma once
#include <functional>

#include "platform/os_services.h"
#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/picture_box.h"

namespace frost {

// The two pairs of image buttons that share the menu strip's two places.
enum class StripButtons { Normal, Editor };  // "Customize" and "Exit"; "Update Card" and "Cancel"

// The menu strip near the card's top right corner and the about label near its bottom left,
// brought up by a click on the card. The sequencer hides both again after 7 idle seconds.
class MenuStrip {
 public:
  struct Parts {
    const PictureBox& surface;  // the card: the strip is placed on it and shows its pixels
    PictureBox& strip;
    Label& about;
    frost::Image& exit;
    frost::Image& customize;
    frost::Image& update;
    frost::Image& cancel;
    std::function<bool()> editorOpen;
  };
  MenuStrip(Application& app, OsServices& os, Parts parts)
      : app_(app), os_(os), parts_(std::move(parts)) {}

  // A click on the card.
  void ShowMenu();
  // The strip takes on the part of the card beneath it.
  void RefreshMenuStrip();
  // Shows one pair and hides the other.
  void ShowStripButtons(StripButtons pair);
  void HideStrip() { parts_.strip.SetVisible(false); }
  // The strip and the about label.
  void HideMenu();
  void OpenAbout();

 private:
  void LayOutMenuStrip();

  Application& app_;
  OsServices& os_;
  Parts parts_;
};

}  // namespace frost
