#pragma once
#include <cstdint>
#include <vector>

#include "toolkit/bitmap.h"

namespace frost {

// Pixel loops of the toolkit's own rasteriser. Coordinates are pixels; everything is clipped to
// `clip` (itself within the bitmap). They follow GDI's pixel conventions, which decide the card's
// look because its painters overlap thousands of strokes.
// Coordinates beyond kRasterCoordinateLimit (GDI's own 27-bit coordinate space) draw nothing;
// callers that take outside values (PictureBox) refuse them before they get here.
inline constexpr int kRasterCoordinateLimit = 1 << 27;

struct Pen {
  Color color;
  int width = 1;  // pixels; 0 and 1 both draw a 1-pixel line
};

enum class RasterOp { Copy, And };  // And: D = D & S (&H8800C6)

// A 1-pixel line leaves out its end pixel (Bresenham; clipping never moves pixels). Wider pens
// are round-capped and cover both end points; an even width puts its extra row above/left.
void RasterLine(Bitmap& target, const PixelRect& clip, PixelPoint from, PixelPoint to,
                const Pen& pen);

// Outline of the rectangle whose corners are a and b (both included), as VB's "Line ... B".
void RasterBox(Bitmap& target, const PixelRect& clip, PixelPoint a, PixelPoint b, const Pen& pen);

// Ellipse inscribed in the half-open `bounds`: the outline spans left..right-1 and
// top..bottom-1; the fill (when given) is painted first and the outline over it.
void RasterEllipse(Bitmap& target, const PixelRect& clip, const PixelRect& bounds, const Pen& pen,
                   const Color* fill);
// The inside of that ellipse alone (a fill with an invisible pen).
void RasterFillEllipse(Bitmap& target, const PixelRect& clip, const PixelRect& bounds, Color fill);

// Open arc of that ellipse from `start` to `end` (radians, counter-clockwise as seen on the
// screen, 0 along +x), in the pen.
void RasterArc(Bitmap& target, const PixelRect& clip, const PixelRect& bounds, double start,
               double end, const Pen& pen);

// A dot of the pen's width centred on the point (a round dot for widths above 2).
void RasterDot(Bitmap& target, const PixelRect& clip, PixelPoint at, const Pen& pen);

// Stretches `from` (a part of source) onto `to` (a part of target) by nearest source pixel.
void RasterStretchBlit(Bitmap& target, const PixelRect& clip, const PixelRect& to,
                       const Bitmap& source, const PixelRect& from, RasterOp op);

// Coverage mask (0..255 per pixel) of rendered text, blended over the target in `color`.
struct CoverageMask {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;
};
void RasterMask(Bitmap& target, const PixelRect& clip, PixelPoint origin, const CoverageMask& mask,
                Color color);

}  // namespace frost
