#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/control.h"
#include "toolkit/raster.h"
#include "toolkit/text.h"

namespace frost {

enum class ScaleMode { Twips = 1, Pixels = 3 };
enum class DrawStyle { Solid = 0, Transparent = 5 };  // Transparent: strokes move the point only
enum class FillStyle { Solid = 0, Transparent = 1 };
enum class DrawMode { CopyPen = 13 };

// The optional parts of PaintPicture: destination size and source rectangle in the
// destination's scale units; omitted sizes mean the picture's natural size.
struct PaintArea {
  std::optional<double> width{};
  std::optional<double> height{};
  std::optional<double> sourceX{};
  std::optional<double> sourceY{};
  std::optional<double> sourceWidth{};
  std::optional<double> sourceHeight{};
  RasterOp op = RasterOp::Copy;
};

// A drawing surface with a kept bitmap (the persistent image) and a screen.
// AutoRedraw on: operations draw into the kept bitmap and the screen is refreshed from it at the
// next presentation (transient screen drawing is lost). AutoRedraw off: operations draw on the
// screen only; Cls then restores the screen from the kept bitmap.
// Coordinates are in the current ScaleMode units (twips or pixels); a twip position maps to
// pixel floor(twips / TwipsPerPixel + 0.5). Strokes outside the surface are clipped.
// Coordinates and sizes that are not finite, or that land beyond the rasteriser's coordinate
// limit, raise RuntimeError(error::kOverflow) before anything changes, as an out-of-range
// conversion does in the card's language; the card's resume-next painters then skip that stroke.
class PictureBox : public Control {
 public:
  PictureBox(Form& form, Control* container, std::string name, int index = -1);

  // --- drawing operations ---
  void Line(double x1, double y1, double x2, double y2, Color color);
  void LineTo(double x2, double y2, Color color);  // continued from the current point
  void Box(double x1, double y1, double x2, double y2, Color color);  // outline only
  void Circle(double x, double y, double radius, Color color,
              std::optional<double> start = std::nullopt, std::optional<double> end = std::nullopt,
              std::optional<double> aspect = std::nullopt);
  void PSet(double x, double y, Color color);
  Color Point(double x, double y) const;  // -1 (0xFFFFFFFF) outside the surface
  void Print(std::string_view text);
  void PaintPicture(const Picture& picture, double x, double y, const PaintArea& area = {});
  void Cls();
  void Refresh();
  const Bitmap& Image() const { return kept_; }  // the kept bitmap
  // hDC-style direct pixel access to the bitmap the current AutoRedraw mode draws into.
  const Bitmap& DeviceContext() const;

  // --- settings ---
  int DrawWidth = 1;
  frost::DrawStyle DrawStyle = frost::DrawStyle::Solid;
  frost::DrawMode DrawMode = frost::DrawMode::CopyPen;
  frost::FillStyle FillStyle = frost::FillStyle::Transparent;
  Color FillColor{};
  Color ForeColor{};
  double CurrentX = 0;
  double CurrentY = 0;
  FontSpec Font;

  Color BackColor() const { return backColor_; }
  void SetBackColor(Color color);  // also fills the kept bitmap, as a back colour change does
  bool AutoRedraw() const { return autoRedraw_; }
  void SetAutoRedraw(bool on);
  frost::ScaleMode ScaleMode() const { return scaleMode_; }
  void SetScaleMode(frost::ScaleMode mode);
  double ScaleWidth() const;  // inner size in the current scale units
  double ScaleHeight() const;
  void SetWidth(double twips) override;  // resizes the bitmaps
  void SetHeight(double twips) override;

  // The screen as the window shows it (the kept bitmap when the screen is stale).
  const Bitmap& ScreenBitmap() const;
  void Paint(Bitmap& frame, const PixelRect& area) override;
  bool PaintsOpaque() const override { return true; }

 private:
  // Scale units per pixel on each axis: twips per pixel, or 1 in pixel mode.
  double UnitsPerPixelX() const;
  double UnitsPerPixelY() const;
  PixelPoint ToPixel(double x, double y) const;
  Pen CurrentPen(Color color) const;
  bool PenVisible() const { return DrawStyle != frost::DrawStyle::Transparent; }
  // The bitmap the current AutoRedraw mode draws into (the screen made current first).
  Bitmap& DrawTarget();
  // After drawing into `area` (surface pixels): the window needs presenting there.
  void Drawn(const PixelRect& area);
  void ResizeSurface();

  Bitmap kept_;
  Bitmap screen_;
  bool screenStale_ = true;
  bool autoRedraw_ = false;
  Color backColor_ = RGB(255, 255, 255);
  frost::ScaleMode scaleMode_ = frost::ScaleMode::Twips;
};

}  // namespace frost
