#include "toolkit/controls.h"

#include "toolkit/application.h"
#include "toolkit/control_paint.h"
#include "toolkit/raster.h"

namespace frost {
namespace {

constexpr Color kButtonFace = RGB(240, 240, 240);
constexpr Color kButtonEdge = RGB(105, 105, 105);
constexpr Color kListEdge = RGB(130, 135, 144);
constexpr Color kListBack = RGB(255, 255, 255);
constexpr Color kInk = RGB(0, 0, 0);
const FontSpec kDialogFont{"Arial", 8};

}  // namespace

// --- Label ---

void Label::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  FitToCaption();
  Invalidate();
}

void Label::SetFont(FontSpec font) {
  font_ = std::move(font);
  FitToCaption();
  Invalidate();
}

void Label::SetAutoSize(bool on) {
  autoSize_ = on;
  FitToCaption();
}

void Label::FitToCaption() {
  if (!autoSize_)
    return;
  const TextExtent extent = App().GetBackend().Text().Measure(font_, caption_);
  SetWidth(extent.width * App().TwipsPerPixelX());
  SetHeight(extent.height * App().TwipsPerPixelY());
}

void Label::Paint(Bitmap& frame, const PixelRect& area) {
  const PixelRect rect = WindowRect();
  if (BackStyleOpaque)
    FillRect(frame, area, rect, BackColor);
  DrawText(frame, area, {rect.left, rect.top}, App().GetBackend().Text(), font_, caption_,
           ForeColor);
}

// --- Image ---

void Image::SetPicture(Picture picture) {
  picture_ = std::move(picture);
  SetWidth(picture_.Width() * App().TwipsPerPixelX());
  SetHeight(picture_.Height() * App().TwipsPerPixelY());
  Invalidate();
}

void Image::Paint(Bitmap& frame, const PixelRect& area) {
  if (picture_.Empty())
    return;
  const PixelRect rect = WindowRect();
  const PixelRect natural{rect.left, rect.top, rect.left + picture_.Width(),
                          rect.top + picture_.Height()};
  RasterStretchBlit(frame, area, natural, picture_, picture_.Bounds(), RasterOp::Copy);
}

// --- Shape ---

void Shape::Paint(Bitmap& frame, const PixelRect& area) {
  const PixelRect rect = WindowRect();
  if (FillColor)
    FillRect(frame, area, rect, *FillColor);
  if (BorderColor)
    FrameRect(frame, area, rect, *BorderColor);
}

// --- CommandButton ---

void CommandButton::Paint(Bitmap& frame, const PixelRect& area) {
  const PixelRect rect = WindowRect();
  FillRect(frame, area, rect, kButtonFace);
  FrameRect(frame, area, rect, kButtonEdge);
  TextEngine& engine = App().GetBackend().Text();
  const TextExtent extent = engine.Measure(kDialogFont, Caption);
  const PixelPoint at{rect.left + (rect.Width() - extent.width) / 2,
                      rect.top + (rect.Height() - extent.height) / 2};
  DrawText(frame, area, at, engine, kDialogFont, Caption, kInk);
}

// --- ListBox ---

void ListBox::Paint(Bitmap& frame, const PixelRect& area) {
  const PixelRect rect = WindowRect();
  FillRect(frame, area, rect, kListBack);
  FrameRect(frame, area, rect, kListEdge);
  TextEngine& engine = App().GetBackend().Text();
  const PixelRect inner =
      area.Intersect({rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1});
  int top = rect.top + 1;
  for (const std::string& item : Items) {
    if (top >= inner.bottom)
      break;
    DrawText(frame, inner, {rect.left + 3, top}, engine, kDialogFont, item, kInk);
    top += engine.Measure(kDialogFont, item).height;
  }
}

}  // namespace frost
