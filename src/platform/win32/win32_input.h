#pragma once
#include <optional>
#include <string>

#include "toolkit/input.h"

namespace frost {

// The keyboard as the toolkit sees it: a key-down message's virtual key with the modifier
// state (kShift | kControl | kAlt) becomes a KeyDownEvent for the keys the editor uses and
// for Control+letter shortcuts; other keys arrive as characters (WM_CHAR).
std::optional<InputEvent> KeyDownOf(unsigned virtualKey, int modifiers);

// WM_CHAR delivers UTF-16 code units; characters beyond the BMP come as two of them. Control
// characters (Backspace, Enter, Control+letter) are keys, not text.
class CharacterInput {
 public:
  std::optional<TextInputEvent> Add(wchar_t unit);

 private:
  wchar_t high_surrogate_ = 0;
};

}  // namespace frost
