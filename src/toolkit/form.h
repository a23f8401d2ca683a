#pragma once
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "toolkit/changed_area.h"
#include "toolkit/picture_box.h"

namespace frost {

class Application;
class Timer;

namespace detail {
// Bound before the PictureBox base is built, so that the form's own surface can already reach
// the application (twips per pixel) while the form is being constructed.
struct FormApplication {
  Application& app_;
};
}  // namespace detail

// A top-level window: a drawing surface under its controls. It keeps every control of the
// window (timers, members of control arrays created at run time and controls inside other
// controls included) in one list, in creation order.
class Form : private detail::FormApplication, public PictureBox {
 public:
  Form(Application& app, std::string name);
  ~Form() override;

  Application& App() const { return app_; }
  const std::vector<Control*>& Controls() const { return controls_; }
  Control* FindControl(std::string_view name, int index = -1) const;

  // Visible: the window is shown on the screen; Width/Height: the window's size in twips.
  void SetVisible(bool visible) override;
  void SetWidth(double twips) override;
  void SetHeight(double twips) override;

  // The window region (window pixels); nullopt gives the full rectangle back.
  void SetRegion(std::optional<Region> region);
  // The region the window has: the one set, joined by the rectangles of the shown controls that
  // are kept in it.
  const std::optional<Region>& WindowRegion() const { return region_; }
  // While `control` is shown, its rectangle joins a set region, so that a shaped window still
  // shows what lies beyond its shape (a menu, say) and takes clicks on it.
  void KeepInRegion(Control& control);

  std::string Caption;
  std::span<const CursorImage> Icon;  // every size, smallest first

  // Raised by the window's close request; `cancel` may keep the window open.
  std::function<void(bool& cancel)> QueryUnload;

  // Keyboard focus.
  Control* ActiveControl() const { return activeControl_; }
  void SetFocus(Control* control);

  // Composes the window as the user sees it: the form's screen, then every shown control
  // over its container (children after containers, in control order, each clipped by its
  // containers), then the tooltip. Only the area changed since the last presentation is
  // repainted, over the picture `frame` holds from then; a frame of another size is composed
  // whole. Returns the repainted rectangles. Pixels outside the region are left as they are
  // (the caller masks them). Not const: painting a surface refreshes its stale screen.
  const std::vector<PixelRect>& Compose(Bitmap& frame);
  // True when something changed since the last presentation.
  bool NeedsPresent() const { return !changed_.Empty(); }
  void MarkPresented() { changed_.Clear(); }
  // The whole window changed, or only `area` of it (window pixels).
  void MarkChanged() { changed_.AddAll(); }
  void MarkChanged(const PixelRect& area) { changed_.Add(area); }

  // The tooltip box drawn over the window (set by the application's mouse handling).
  void ShowToolTip(std::string text, PixelPoint mouse);
  void HideToolTip();
  bool ToolTipShown() const { return toolTip_.has_value(); }

 private:
  friend class Control;
  void Register(Control* control);
  void Unregister(Control* control);
  // Gives the backend's window the form's size in pixels.
  void SizeWindow();
  // Called when a control is shown, hidden, moved or resized.
  void RegionMayChange();
  std::vector<PixelRect> KeptRects() const;
  void ApplyRegion();

  struct ToolTip {
    std::string text;
    PixelPoint mouse;
  };

  std::vector<Control*> controls_;
  std::optional<Region> shape_;   // as set
  std::optional<Region> region_;  // as the window has it
  std::vector<Control*> keptInRegion_;
  std::vector<PixelRect> keptRects_;
  Control* activeControl_ = nullptr;
  std::optional<ToolTip> toolTip_;
  ChangedArea changed_;
  std::vector<PixelRect> composed_;
};

}  // namespace frost
