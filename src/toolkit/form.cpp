#include "toolkit/form.h"

#include <algorithm>

#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/tooltip.h"

namespace frost {
namespace {

// Children after their container, in control order, each clipped by its containers.
void PaintChildren(const Control& container, const PixelRect& clip, Bitmap& frame) {
  for (Control* child : container.Children()) {
    if (!child->Visible())
      continue;
    const PixelRect area = child->WindowRect().Intersect(clip);
    if (area.Empty())
      continue;
    child->Paint(frame, area);
    PaintChildren(*child, area, frame);
  }
}

// A shown child covering the whole area hides the form's own surface there, so painting that
// surface would be a wasted copy.
bool HiddenByAChild(const Control& form, const PixelRect& area) {
  return std::ranges::any_of(form.Children(), [&](const Control* child) {
    return child->Visible() && child->PaintsOpaque() && child->WindowRect().Covers(area);
  });
}

}  // namespace

Form::Form(Application& app, std::string name)
    : detail::FormApplication{app}, PictureBox(*this, nullptr, std::move(name)) {
  // A window starts hidden until the program shows it.
  Control::SetVisible(false);
  MarkChanged();
  app_.AddForm(this);
}

Form::~Form() {
  app_.RemoveForm(this);
}

Control* Form::FindControl(std::string_view name, int index) const {
  auto found = std::ranges::find_if(controls_, [&](const Control* control) {
    return control->Name() == name && control->Index() == index;
  });
  return found == controls_.end() ? nullptr : *found;
}

void Form::SetVisible(bool visible) {
  if (visible == Visible())
    return;
  Backend& backend = app_.GetBackend();
  Control::SetVisible(visible);
  if (visible) {
    backend.SetWindowTitle(Caption);
    if (!Icon.empty())
      backend.SetWindowIcon(Icon);
    backend.SetWindowVisible(true);
    MarkChanged();
    app_.PresentIfChanged();
  } else {
    HideToolTip();
    backend.SetWindowVisible(false);
  }
}

void Form::SetWidth(double twips) {
  PictureBox::SetWidth(twips);
  SizeWindow();
}

void Form::SetHeight(double twips) {
  PictureBox::SetHeight(twips);
  SizeWindow();
}

void Form::SizeWindow() {
  app_.GetBackend().SetWindowSize(TwipsToPixels(Width(), app_.TwipsPerPixelX()),
                                  TwipsToPixels(Height(), app_.TwipsPerPixelY()));
}

void Form::SetRegion(std::optional<Region> region) {
  shape_ = std::move(region);
  keptRects_ = KeptRects();
  ApplyRegion();
}

void Form::KeepInRegion(Control& control) {
  keptInRegion_.push_back(&control);
  RegionMayChange();
}

void Form::RegionMayChange() {
  if (!shape_ || keptInRegion_.empty())
    return;
  std::vector<PixelRect> kept = KeptRects();
  if (kept == keptRects_)
    return;
  keptRects_ = std::move(kept);
  ApplyRegion();
}

std::vector<PixelRect> Form::KeptRects() const {
  std::vector<PixelRect> rects;
  for (const Control* control : keptInRegion_) {
    const PixelRect rect = control->ClippedWindowRect();
    if (control->Shown() && !rect.Empty())
      rects.push_back(rect);
  }
  return rects;
}

void Form::ApplyRegion() {
  region_ = shape_;
  if (region_)
    region_->rects.insert(region_->rects.end(), keptRects_.begin(), keptRects_.end());
  app_.GetBackend().SetRegion(region_);
  MarkChanged();
}

void Form::SetFocus(Control* control) {
  if (control != nullptr && (!control->AcceptsFocus() || !control->Shown())) {
    throw RuntimeError(error::kInvalidCall, "Invalid procedure call or argument");
  }
  if (control == activeControl_)
    return;
  if (activeControl_ != nullptr && activeControl_->Shown())
    MarkChanged();
  activeControl_ = control;
  if (control != nullptr)
    MarkChanged();
}

const std::vector<PixelRect>& Form::Compose(Bitmap& frame) {
  const PixelRect window = WindowRect();
  const bool whole = frame.Width() != window.Width() || frame.Height() != window.Height();
  if (whole)
    frame = Bitmap(window.Width(), window.Height());
  composed_ = whole ? std::vector<PixelRect>{frame.Bounds()} : changed_.Within(frame.Bounds());
  std::erase_if(composed_, [](const PixelRect& area) { return area.Empty(); });
  for (const PixelRect& area : composed_) {
    if (!HiddenByAChild(*this, area))
      Paint(frame, area);
    PaintChildren(*this, area, frame);
  }
  // Drawn whole: over pixels it already covered it sets the same values again.
  if (toolTip_ && !composed_.empty())
    DrawToolTip(frame, app_.GetBackend().Text(), toolTip_->text, toolTip_->mouse);
  return composed_;
}

void Form::ShowToolTip(std::string text, PixelPoint mouse) {
  toolTip_ = ToolTip{std::move(text), mouse};
  MarkChanged();
}

void Form::HideToolTip() {
  if (!toolTip_)
    return;
  toolTip_.reset();
  MarkChanged();
}

void Form::Register(Control* control) {
  controls_.push_back(control);
}

void Form::Unregister(Control* control) {
  std::erase(controls_, control);
  std::erase(keptInRegion_, control);
  if (activeControl_ == control)
    activeControl_ = nullptr;
  app_.ForgetControl(control);
}

}  // namespace frost
