#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/text.h"

namespace frost {

// A label: caption in its font and colours; with AutoSize its size follows the caption,
// measured with the same text engine that prints it.
class Label : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  const FontSpec& Font() const { return font_; }
  void SetFont(FontSpec font);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  Color ForeColor{};
  Color BackColor = RGB(255, 255, 255);
  bool BackStyleOpaque = true;
  void Paint(Bitmap& frame, const PixelRect& area) override;

 private:
  void FitToCaption();
  std::string caption_;
  FontSpec font_;
  bool autoSize_ = false;
};

// A single-line text box: text, font, colours, MaxLength limiting user input, focus, caret,
// typing, Backspace/Delete, Home/End, arrows, paste. Change runs on every change of the text, by
// the user or by the program.
class TextBox : public Control {
 public:
  using Control::Control;
  const std::string& Text() const { return text_; }  // UTF-8
  void SetText(std::string text);                    // raises Change when the text differs
  int MaxLength = 0;                                 // 0: no limit; counts characters
  FontSpec Font;
  Color ForeColor{};
  Color BackColor = RGB(255, 255, 255);
  std::function<void()> Change;
  // What the box keeps of typed or pasted text; unset: all of it (but line breaks and control
  // characters, which a single-line box never takes).
  std::function<std::string(std::string_view)> InputFilter;

  int CaretPosition() const { return caret_; }  // in characters
  void SetCaretPosition(int position);
  // Places the caret at the character boundary nearest to x (twips from the box's left edge),
  // as a click does.
  void SetCaretFromX(double twips);
  // User input (from the form's focus handling); each respects MaxLength.
  void TypeText(std::string_view utf8);
  void PressKey(Key key, int modifiers);
  void Paste(std::string_view utf8);

  // What a member of a control array created at run time takes over from the design member:
  // everything but the index, the visibility and the event handlers (each member's owner wires
  // its own, with its index).
  void CopyDesignFrom(const TextBox& design);

  bool AcceptsFocus() const override { return true; }
  void Paint(Bitmap& frame, const PixelRect& area) override;

 private:
  // Inserts user input at the caret, as much of it as MaxLength still admits.
  void Insert(std::string_view utf8);
  void Changed();
  // Width of the first `chars` characters (pixels).
  int PrefixPixels(int chars) const;
  // How far the text is scrolled left so that the caret stays inside the box (pixels).
  int ScrollPixels(int caretX, int boxWidth) const;

  std::string text_;
  int caret_ = 0;
};

// An image control: shows its picture at natural size; its tooltip appears after the mouse has
// rested on it.
class Image : public Control {
 public:
  using Control::Control;
  const Picture& GetPicture() const { return picture_; }
  void SetPicture(Picture picture);  // sizes the control to the picture
  void Paint(Bitmap& frame, const PixelRect& area) override;

 private:
  Picture picture_;
};

// A shape: a rectangle outline (and optional fill). A decoration: mouse input goes through it.
class Shape : public Control {
 public:
  using Control::Control;
  std::optional<Color> BorderColor = RGB(0, 0, 0);  // nullopt: a transparent border
  std::optional<Color> FillColor;                   // nullopt: a transparent inside
  void Paint(Bitmap& frame, const PixelRect& area) override;
  bool TakesMouse() const override { return false; }
};

// A command button: a caption and a Click handler. The card never shows its buttons.
class CommandButton : public Control {
 public:
  using Control::Control;
  std::string Caption;
  void Paint(Bitmap& frame, const PixelRect& area) override;
};

// A list box: a list of text items.
class ListBox : public Control {
 public:
  using Control::Control;
  std::vector<std::string> Items;
  void Paint(Bitmap& frame, const PixelRect& area) override;
};

}  // namespace frost
