#pragma once
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/backend.h"
#include "toolkit/bitmap.h"

namespace frost {

class Form;
class Application;

// A twip length or position in pixels: floor(twips / twipsPerPixel + 0.5).
inline int TwipsToPixels(double twips, double twipsPerPixel) {
  return static_cast<int>(std::floor(twips / twipsPerPixel + 0.5));
}

// Mouse details passed to mouse events: button bit set, shift bit set, position in the control's
// own units (twips).
struct MouseArgs {
  int button = 0;
  int shift = 0;
  double x = 0;
  double y = 0;
};

// A control of a window: a rectangle in twips inside its container, drawn by the toolkit over
// its container (lightweight controls), with the window's events. Every control registers
// itself with its form, which keeps them all in a fixed order (creation order).
class Control {
 public:
  // `container` is the control it sits in (the form itself for top-level controls).
  Control(Form& form, Control* container, std::string name, int index = -1);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  int Index() const { return index_; }  // -1 unless a member of a control array
  Form& ParentForm() const { return form_; }
  Control* Container() const { return container_; }
  const std::vector<Control*>& Children() const { return children_; }

  virtual bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);

  double Left() const { return left_; }
  double Top() const { return top_; }
  double Width() const { return width_; }
  double Height() const { return height_; }
  virtual void SetLeft(double twips);
  virtual void SetTop(double twips);
  virtual void SetWidth(double twips);
  virtual void SetHeight(double twips);
  void Move(double left, double top, double width, double height);

  // Rectangle in window pixels (container offsets added); empty when the control has no size.
  PixelRect WindowRect() const;
  // The part of it that can be seen: its containers clip it, as they clip its painting.
  PixelRect ClippedWindowRect() const;
  // True when this control and all its containers are visible.
  bool Shown() const;

  std::string ToolTipText;
  const CursorImage* MouseIcon = nullptr;  // nullptr: the default arrow

  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void(const MouseArgs&)> MouseMove;
  std::function<void(const MouseArgs&)> MouseDown;
  std::function<void(const MouseArgs&)> MouseUp;

  // Draws the control (not its children) onto the window frame; `area` is its WindowRect
  // clipped by its containers.
  virtual void Paint(Bitmap& frame, const PixelRect& area);
  // Whether Paint sets every pixel of the control's WindowRect, hiding what lies below.
  virtual bool PaintsOpaque() const { return false; }
  // Whether the control takes keyboard focus and input.
  virtual bool AcceptsFocus() const { return false; }
  // Whether mouse input stops at this control (decorations let it through to what lies below).
  virtual bool TakesMouse() const { return true; }

 protected:
  Application& App() const;
  // Tells the form that the control's picture changed and needs presenting again: all of it,
  // or only `area` (the control's own pixels).
  void Invalidate() const;
  void Invalidate(const PixelRect& area) const;
  // After a move or resize, which changes what lies under the old place and may also change
  // the window region.
  void Moved();

 private:
  // Where the control sits in the window, kept because every stroke on a picture asks for it.
  struct Placement {
    PixelRect rect;     // WindowRect
    PixelRect visible;  // ClippedWindowRect
    double tppX, tppY;  // the twips per pixel it was worked out with
  };
  const Placement& Placed() const;
  // After this control or a container moved: its place and its children's are found afresh.
  void ForgetPlacement();

  Form& form_;
  Control* container_;
  std::string name_;
  int index_;
  std::vector<Control*> children_;
  bool visible_ = true;
  double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  mutable std::optional<Placement> placement_;
};

}  // namespace frost
