#include "toolkit/input_dispatch.h"

#include <algorithm>

#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace frost {
namespace {

template <class Handler, class... Args>
void Raise(const Handler& handler, const Args&... args) {
  if (!handler)
    return;
  // A copy, so that a handler that replaces itself finishes running.
  auto call = handler;
  call(args...);
}

Control* HitTestChildren(const Control& container, const PixelRect& clip, PixelPoint at) {
  Control* hit = nullptr;
  for (Control* child : container.Children()) {
    if (!child->Visible())
      continue;
    const PixelRect area = child->WindowRect().Intersect(clip);
    if (!area.Contains(at))
      continue;
    if (Control* inner = HitTestChildren(*child, area, at)) {
      hit = inner;
    } else if (child->TakesMouse()) {
      hit = child;
    }
  }
  return hit;
}

}  // namespace

Control& InputDispatcher::HitTest(Form& form, PixelPoint at) {
  Control* hit = HitTestChildren(form, form.WindowRect(), at);
  return hit != nullptr ? *hit : form;
}

void InputDispatcher::Dispatch(Form& form, const InputEvent& event) {
  std::visit(
      [&](const auto& e) {
        using E = std::decay_t<decltype(e)>;
        if constexpr (std::is_same_v<E, MouseMoveEvent>)
          OnMouseMove(form, e);
        if constexpr (std::is_same_v<E, MouseDownEvent>)
          OnMouseDown(form, e);
        if constexpr (std::is_same_v<E, MouseUpEvent>)
          OnMouseUp(form, e);
        if constexpr (std::is_same_v<E, KeyDownEvent>)
          OnKeyDown(form, e);
        if constexpr (std::is_same_v<E, TextInputEvent>)
          OnTextInput(form, e);
      },
      event);
}

MouseArgs InputDispatcher::ArgsFor(const Control& control, PixelPoint at, int button) const {
  const PixelRect rect = control.WindowRect();
  return MouseArgs{button, 0, (at.x - rect.left) * app_.TwipsPerPixelX(),
                   (at.y - rect.top) * app_.TwipsPerPixelY()};
}

void InputDispatcher::UpdateCursor(const Control& hovered) {
  if (hovered.MouseIcon == cursor_)
    return;
  cursor_ = hovered.MouseIcon;
  app_.GetBackend().SetCursor(cursor_);
}

void InputDispatcher::OnMouseMove(Form& form, const MouseMoveEvent& event) {
  const bool moved = event.at != mouse_;
  mouse_ = event.at;
  if (moved)
    form.HideToolTip();
  // Outside the window (the mouse has left it) nothing is hovered; only a held button still
  // reports the mouse to the control it pressed.
  if (!form.WindowRect().Contains(event.at)) {
    hovered_ = nullptr;
    toolTipArmed_ = false;
    if (captured_ != nullptr) {
      Raise(captured_->MouseMove, ArgsFor(*captured_, event.at, buttonsDown_));
    }
    return;
  }
  Control& hit = HitTest(form, event.at);
  hovered_ = &hit;
  UpdateCursor(hit);
  if (moved) {
    restSince_ = app_.Now();
    toolTipArmed_ = buttonsDown_ == 0 && !hit.ToolTipText.empty();
  }
  Control& target = captured_ != nullptr ? *captured_ : hit;
  Raise(target.MouseMove, ArgsFor(target, event.at, buttonsDown_));
}

void InputDispatcher::OnMouseDown(Form& form, const MouseDownEvent& event) {
  mouse_ = event.at;
  form.HideToolTip();
  toolTipArmed_ = false;
  Control& target = HitTest(form, event.at);
  const int button = static_cast<int>(event.button);
  buttonsDown_ |= button;
  captured_ = &target;
  if (target.AcceptsFocus()) {
    form.SetFocus(&target);
    if (auto* box = dynamic_cast<TextBox*>(&target)) {
      box->SetCaretFromX(ArgsFor(target, event.at, button).x);
    }
  }
  // The second press of a double-click raises DblClick in place of MouseDown.
  inDoubleClick_ = event.clicks >= 2 && lastClicked_ == &target;
  if (inDoubleClick_) {
    Raise(target.DblClick);
  } else {
    Raise(target.MouseDown, ArgsFor(target, event.at, button));
  }
}

void InputDispatcher::OnMouseUp(Form& form, const MouseUpEvent& event) {
  mouse_ = event.at;
  const int button = static_cast<int>(event.button);
  buttonsDown_ &= ~button;
  Control& hit = HitTest(form, event.at);
  Control* pressed = captured_;
  if (buttonsDown_ == 0)
    captured_ = nullptr;
  Control& target = pressed != nullptr ? *pressed : hit;
  Raise(target.MouseUp, ArgsFor(target, event.at, button));
  // A release outside the window (the mouse is captured while held) is no click.
  const bool click = pressed == &hit && !inDoubleClick_ && form.WindowRect().Contains(event.at);
  inDoubleClick_ = false;
  lastClicked_ = click ? pressed : nullptr;
  if (click)
    Raise(hit.Click);
}

void InputDispatcher::OnKeyDown(Form& form, const KeyDownEvent& event) {
  Control* active = form.ActiveControl();
  if (active == nullptr || !active->Shown())
    return;
  if (event.key == Key::Tab) {
    MoveFocus(form, (event.modifiers & kShift) != 0 ? -1 : 1);
    return;
  }
  auto* box = dynamic_cast<TextBox*>(active);
  if (box == nullptr)
    return;
  if ((event.modifiers & kControl) != 0 && event.letter == 'v') {
    box->Paste(app_.GetBackend().ClipboardText());
  } else {
    box->PressKey(event.key, event.modifiers);
  }
}

void InputDispatcher::OnTextInput(Form& form, const TextInputEvent& event) {
  Control* active = form.ActiveControl();
  if (active == nullptr || !active->Shown())
    return;
  if (auto* box = dynamic_cast<TextBox*>(active))
    box->TypeText(event.text);
}

void InputDispatcher::MoveFocus(Form& form, int step) {
  std::vector<Control*> stops;
  std::ranges::copy_if(form.Controls(), std::back_inserter(stops),
                       [](const Control* c) { return c->AcceptsFocus() && c->Shown(); });
  if (stops.empty())
    return;
  const auto count = static_cast<int>(stops.size());
  const auto current = std::ranges::find(stops, form.ActiveControl());
  const int index = current == stops.end() ? 0 : static_cast<int>(current - stops.begin());
  form.SetFocus(stops[((index + step) % count + count) % count]);
}

void InputDispatcher::UpdateToolTip(Form& form, double now) {
  if (form.ToolTipShown() && (hovered_ == nullptr || !hovered_->Shown()))
    form.HideToolTip();
  if (!toolTipArmed_ || now < restSince_ + kToolTipDelaySeconds)
    return;
  toolTipArmed_ = false;
  if (hovered_ != nullptr && hovered_->Shown() && !hovered_->ToolTipText.empty()) {
    form.ShowToolTip(hovered_->ToolTipText, mouse_);
  }
}

void InputDispatcher::Forget(const Control* control) {
  if (captured_ == control)
    captured_ = nullptr;
  if (lastClicked_ == control)
    lastClicked_ = nullptr;
  if (hovered_ == control) {
    hovered_ = nullptr;
    toolTipArmed_ = false;
  }
}

}  // namespace frost
