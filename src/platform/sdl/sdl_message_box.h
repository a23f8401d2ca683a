#pragma once
#include "platform/window_services.h"

namespace frost {

// The Linux desktop's services: message boxes through SDL.
class SdlMessageBox : public WindowServices {
 public:
  // Blocks until the box is closed; shown without a parent, so it also works before the
  // card's window exists. Where no box can be shown, the text goes to stderr.
  void MessageBox(const std::string& text, const std::string& caption) override;
};

}  // namespace frost
