#include "toolkit/control.h"

#include <algorithm>

#include "toolkit/application.h"
#include "toolkit/form.h"

namespace frost {

Control::Control(Form& form, Control* container, std::string name, int index)
    : form_(form), container_(container), name_(std::move(name)), index_(index) {
  // The form itself is the one control without a container; it is not in its own list.
  if (container_ != nullptr) {
    container_->children_.push_back(this);
    form_.Register(this);
  }
}

Control::~Control() {
  if (container_ != nullptr) {
    // What lay under it shows again.
    if (Shown())
      form_.MarkChanged();
    std::erase(container_->children_, this);
    form_.Unregister(this);
  }
}

void Control::SetVisible(bool visible) {
  if (visible == visible_)
    return;
  const bool wasShown = Shown();
  visible_ = visible;
  if (wasShown || Shown())
    form_.MarkChanged();
  form_.RegionMayChange();
}

void Control::SetLeft(double twips) {
  left_ = twips;
  Moved();
}

void Control::SetTop(double twips) {
  top_ = twips;
  Moved();
}

void Control::SetWidth(double twips) {
  width_ = twips;
  Moved();
}

void Control::SetHeight(double twips) {
  height_ = twips;
  Moved();
}

void Control::Move(double left, double top, double width, double height) {
  SetLeft(left);
  SetTop(top);
  SetWidth(width);
  SetHeight(height);
}

PixelRect Control::WindowRect() const {
  return Placed().rect;
}

PixelRect Control::ClippedWindowRect() const {
  return Placed().visible;
}

// A place changes by a move, or (headless only) when the pixel size is set anew.
const Control::Placement& Control::Placed() const {
  const Application& app = App();
  const double tppX = app.TwipsPerPixelX();
  const double tppY = app.TwipsPerPixelY();
  if (placement_ && placement_->tppX == tppX && placement_->tppY == tppY)
    return *placement_;
  const int width = std::max(0, TwipsToPixels(width_, tppX));
  const int height = std::max(0, TwipsToPixels(height_, tppY));
  // The form's own Left/Top place the window on the screen, not anything inside it.
  if (container_ == nullptr) {
    const PixelRect rect{0, 0, width, height};
    return placement_.emplace(rect, rect, tppX, tppY);
  }
  const Placement& outer = container_->Placed();
  const int x = outer.rect.left + TwipsToPixels(left_, tppX);
  const int y = outer.rect.top + TwipsToPixels(top_, tppY);
  const PixelRect rect{x, y, x + width, y + height};
  return placement_.emplace(rect, rect.Intersect(outer.visible), tppX, tppY);
}

void Control::ForgetPlacement() {
  placement_.reset();
  for (Control* child : children_) child->ForgetPlacement();
}

bool Control::Shown() const {
  for (const Control* control = this; control != nullptr; control = control->container_) {
    if (!control->Visible())
      return false;
  }
  return true;
}

void Control::Paint(Bitmap& /*frame*/, const PixelRect& /*area*/) {}

Application& Control::App() const {
  return form_.App();
}

void Control::Invalidate() const {
  if (Shown())
    form_.MarkChanged(ClippedWindowRect());
}

void Control::Invalidate(const PixelRect& area) const {
  if (!Shown())
    return;
  const Placement& at = Placed();
  form_.MarkChanged(area.Offset(at.rect.left, at.rect.top).Intersect(at.visible));
}

void Control::Moved() {
  ForgetPlacement();
  if (Shown())
    form_.MarkChanged();
  form_.RegionMayChange();
}

}  // namespace frost
