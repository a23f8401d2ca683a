#pragma once
#include <limits>

#include "toolkit/backend.h"
#include "toolkit/control.h"
#include "toolkit/tooltip.h"

namespace frost {

class Application;
class Form;

// Routes a window's mouse and keyboard input to its controls: hit testing, capture while a
// button is held, Click and DblClick in the order the window's controls raise them, the hovered
// control's cursor and tooltip, and keyboard focus.
class InputDispatcher {
 public:
  explicit InputDispatcher(Application& app) : app_(app) {}

  void Dispatch(Form& form, const InputEvent& event);
  // Shows the hovered control's tooltip once the mouse has rested long enough, and hides it when
  // that control disappears.
  void UpdateToolTip(Form& form, double now);
  // When UpdateToolTip next has something to do (infinity when nothing is pending).
  double NextToolTipTime() const {
    return toolTipArmed_ ? restSince_ + kToolTipDelaySeconds
                         : std::numeric_limits<double>::infinity();
  }
  // Drops every reference to a control that is going away.
  void Forget(const Control* control);

  // The topmost shown control under a window pixel: children over their containers, later
  // controls over earlier ones; the form itself when no control is there.
  static Control& HitTest(Form& form, PixelPoint at);

 private:
  void OnMouseMove(Form& form, const MouseMoveEvent& event);
  void OnMouseDown(Form& form, const MouseDownEvent& event);
  void OnMouseUp(Form& form, const MouseUpEvent& event);
  void OnKeyDown(Form& form, const KeyDownEvent& event);
  void OnTextInput(Form& form, const TextInputEvent& event);
  void MoveFocus(Form& form, int step);
  void UpdateCursor(const Control& hovered);
  MouseArgs ArgsFor(const Control& control, PixelPoint at, int button) const;

  Application& app_;
  PixelPoint mouse_;
  int buttonsDown_ = 0;
  Control* captured_ = nullptr;     // receives the mouse while a button is held
  Control* lastClicked_ = nullptr;  // the control a second press makes a double-click on
  bool inDoubleClick_ = false;      // the press was a double-click: its release is no Click
  Control* hovered_ = nullptr;
  const CursorImage* cursor_ = nullptr;
  bool toolTipArmed_ = false;
  double restSince_ = 0;
};

}  // namespace frost
