#pragma once
#include <string>

namespace frost {

// What the card asks of the desktop beyond its own window.
class WindowServices {
 public:
  virtual ~WindowServices() = default;
  // One OK button; blocks until the box is closed and works before the card's window exists.
  virtual void MessageBox(const std::string& text, const std::string& caption) = 0;
};

}  // namespace frost
