#include <algorithm>
#include <cmath>
#include <limits>

#include "toolkit/application.h"
#include "toolkit/control_paint.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace frost {
namespace {

// Space between the box's left edge and its text, in pixels.
constexpr int kMargin = 2;

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

int CharCount(std::string_view utf8) {
  return static_cast<int>(
      std::ranges::count_if(utf8, [](char c) { return !IsContinuationByte(c); }));
}

// Byte offset of the character at `index` (the end for index >= the character count).
std::size_t ByteOffset(std::string_view utf8, int index) {
  std::size_t offset = 0;
  for (int seen = 0; offset < utf8.size(); ++offset) {
    if (!IsContinuationByte(utf8[offset]) && seen++ == index)
      return offset;
  }
  return utf8.size();
}

// What a single-line box takes of typed or pasted text: the first line, without control
// characters.
std::string SingleLine(std::string_view utf8) {
  std::string line(utf8.substr(0, utf8.find_first_of("\r\n")));
  std::erase_if(line, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
  return line;
}

}  // namespace

void TextBox::SetText(std::string text) {
  if (text == text_)
    return;
  text_ = std::move(text);
  caret_ = CharCount(text_);
  Changed();
}

void TextBox::SetCaretPosition(int position) {
  caret_ = std::clamp(position, 0, CharCount(text_));
  Invalidate();
}

void TextBox::TypeText(std::string_view utf8) {
  Insert(utf8);
}

void TextBox::Paste(std::string_view utf8) {
  Insert(utf8);
}

void TextBox::Insert(std::string_view utf8) {
  std::string input = SingleLine(utf8);
  if (InputFilter)
    input = InputFilter(input);
  const int length = CharCount(text_);
  // A lowered MaxLength never cuts the text; it only refuses more input.
  const int room = MaxLength > 0 ? MaxLength - length : std::numeric_limits<int>::max();
  if (room <= 0 || input.empty())
    return;
  input.resize(ByteOffset(input, room));
  text_.insert(ByteOffset(text_, caret_), input);
  caret_ += CharCount(input);
  Changed();
}

void TextBox::PressKey(Key key, int /*modifiers*/) {
  const int length = CharCount(text_);
  switch (key) {
    case Key::Backspace:
      if (caret_ == 0)
        return;
      --caret_;
      [[fallthrough]];
    case Key::Delete: {
      if (caret_ >= length)
        return;
      const std::size_t from = ByteOffset(text_, caret_);
      text_.erase(from, ByteOffset(text_, caret_ + 1) - from);
      Changed();
      return;
    }
    case Key::Home:
      SetCaretPosition(0);
      return;
    case Key::End:
      SetCaretPosition(length);
      return;
    case Key::Left:
      SetCaretPosition(caret_ - 1);
      return;
    case Key::Right:
      SetCaretPosition(caret_ + 1);
      return;
    default:
      return;
  }
}

void TextBox::Changed() {
  Invalidate();
  if (Change) {
    auto handler = Change;
    handler();
  }
}

void TextBox::CopyDesignFrom(const TextBox& design) {
  Move(design.Left(), design.Top(), design.Width(), design.Height());
  ToolTipText = design.ToolTipText;
  MouseIcon = design.MouseIcon;
  MaxLength = design.MaxLength;
  Font = design.Font;
  ForeColor = design.ForeColor;
  BackColor = design.BackColor;
  text_ = design.text_;
  caret_ = design.caret_;
  Invalidate();
}

int TextBox::PrefixPixels(int chars) const {
  const std::string_view before(text_.data(), ByteOffset(text_, chars));
  return App().GetBackend().Text().Measure(Font, before).width;
}

int TextBox::ScrollPixels(int caretX, int boxWidth) const {
  return std::max(0, caretX - (boxWidth - 2 * kMargin - 1));
}

void TextBox::SetCaretFromX(double twips) {
  const PixelRect rect = WindowRect();
  const int x = static_cast<int>(std::lround(twips / App().TwipsPerPixelX())) - kMargin +
                ScrollPixels(PrefixPixels(caret_), rect.Width());
  const int length = CharCount(text_);
  int best = 0;
  int bestDistance = std::numeric_limits<int>::max();
  for (int i = 0; i <= length; ++i) {
    const int width = PrefixPixels(i);
    if (std::abs(width - x) < bestDistance) {
      bestDistance = std::abs(width - x);
      best = i;
    }
  }
  SetCaretPosition(best);
}

void TextBox::Paint(Bitmap& frame, const PixelRect& area) {
  const PixelRect rect = WindowRect();
  FillRect(frame, area, rect, BackColor);
  TextEngine& engine = App().GetBackend().Text();
  const int lineHeight = engine.Measure(Font, "").height;
  const int caretX = PrefixPixels(caret_);
  const int left = rect.left + kMargin - ScrollPixels(caretX, rect.Width());
  const int top = rect.top + (rect.Height() - lineHeight) / 2;
  const PixelRect inner =
      area.Intersect({rect.left + kMargin, rect.top, rect.right - kMargin, rect.bottom});
  DrawText(frame, inner, {left, top}, engine, Font, text_, ForeColor);
  if (ParentForm().ActiveControl() == this) {
    FillRect(frame, area, {left + caretX, top, left + caretX + 1, top + lineHeight}, ForeColor);
  }
}

}  // namespace frost
