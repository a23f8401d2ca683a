#pragma once
#include "platform/window_services.h"

namespace frost {

// The Windows desktop's services: the message box, modal for the card's thread.
class Win32MessageBox : public WindowServices {
 public:
  void MessageBox(const std::string& text, const std::string& caption) override;
};

}  // namespace frost
