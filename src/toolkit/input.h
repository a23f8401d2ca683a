#pragma once
#include <string>
#include <variant>

#include "toolkit/geometry.h"

namespace frost {

// Input as a backend reports it; positions are window pixels.
enum class MouseButton { Left = 1, Right = 2, Middle = 4 };
enum class Key { Other, Backspace, Delete, Home, End, Left, Right, Up, Down, Enter, Escape, Tab };
enum KeyModifier : int { kShift = 1, kControl = 2, kAlt = 4 };

struct MouseMoveEvent {
  PixelPoint at;
};
struct MouseDownEvent {
  PixelPoint at;
  MouseButton button = MouseButton::Left;
  int clicks = 1;  // 2 for the second press of a double-click
};
struct MouseUpEvent {
  PixelPoint at;
  MouseButton button = MouseButton::Left;
};
struct KeyDownEvent {
  Key key = Key::Other;
  int modifiers = 0;
  char letter = 0;  // for Control+letter shortcuts (Ctrl+V paste), lower case
};
struct TextInputEvent {
  std::string text;  // UTF-8
};
struct CloseRequestEvent {};

using InputEvent = std::variant<MouseMoveEvent, MouseDownEvent, MouseUpEvent, KeyDownEvent,
                                TextInputEvent, CloseRequestEvent>;

}  // namespace frost
