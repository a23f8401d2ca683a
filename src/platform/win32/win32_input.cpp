#include "platform/win32/win32_input.h"

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_prelude.h"

namespace frost {

namespace {

std::optional<Key> KeyOf(unsigned virtualKey) {
  switch (virtualKey) {
    case VK_BACK:
      return Key::Backspace;
    case VK_DELETE:
      return Key::Delete;
    case VK_HOME:
      return Key::Home;
    case VK_END:
      return Key::End;
    case VK_LEFT:
      return Key::Left;
    case VK_RIGHT:
      return Key::Right;
    case VK_UP:
      return Key::Up;
    case VK_DOWN:
      return Key::Down;
    case VK_RETURN:
      return Key::Enter;
    case VK_ESCAPE:
      return Key::Escape;
    case VK_TAB:
      return Key::Tab;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<InputEvent> KeyDownOf(unsigned virtualKey, int modifiers) {
  if ((modifiers & kControl) != 0 && virtualKey >= 'A' && virtualKey <= 'Z')
    return KeyDownEvent{Key::Other, modifiers, static_cast<char>(virtualKey - 'A' + 'a')};
  if (std::optional<Key> known = KeyOf(virtualKey))
    return KeyDownEvent{*known, modifiers};
  return std::nullopt;
}

std::optional<TextInputEvent> CharacterInput::Add(wchar_t unit) {
  if (IS_HIGH_SURROGATE(unit)) {
    high_surrogate_ = unit;
    return std::nullopt;
  }
  std::wstring text;
  if (IS_LOW_SURROGATE(unit) && high_surrogate_ != 0)
    text = {high_surrogate_, unit};
  else if (unit >= 0x20 && unit != 0x7F && !IS_LOW_SURROGATE(unit))
    text = {unit};
  high_surrogate_ = 0;
  if (text.empty())
    return std::nullopt;
  return TextInputEvent{Narrow(text)};
}

}  // namespace frost
