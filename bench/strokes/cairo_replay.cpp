#include <cairo.h>

#include <numbers>

#include "tree_strokes.h"

namespace frost::bench {
namespace {

void SetColor(cairo_t* cr, Color c) {
  cairo_set_source_rgb(cr, c.Red() / 255.0, c.Green() / 255.0, c.Blue() / 255.0);
}

// Our pixel (x, y) is cairo's unit square from (x, y), its centre at +0.5. An even pen width
// sits half a pixel up and left in our rasteriser, so its centre lands on the pixel corner.
double Centre(int v, int width) {
  return v + (width % 2 == 0 ? 0.0 : 0.5);
}

void Line(cairo_t* cr, const Stroke& s) {
  cairo_set_line_width(cr, s.pen.width);
  cairo_move_to(cr, Centre(s.from.x, s.pen.width), Centre(s.from.y, s.pen.width));
  cairo_line_to(cr, Centre(s.to.x, s.pen.width), Centre(s.to.y, s.pen.width));
  SetColor(cr, s.pen.color);
  cairo_stroke(cr);
}

void Circle(cairo_t* cr, const Stroke& s) {
  const PixelRect& b = s.bounds;
  const double radius = (b.right - b.left - 1) / 2.0;
  cairo_new_path(cr);
  cairo_arc(cr, (b.left + b.right) / 2.0, (b.top + b.bottom) / 2.0, radius, 0,
            2 * std::numbers::pi);
  if (s.fill) {
    SetColor(cr, *s.fill);
    cairo_fill_preserve(cr);
  }
  cairo_set_line_width(cr, s.pen.width);
  SetColor(cr, s.pen.color);
  cairo_stroke(cr);
}

void Dot(cairo_t* cr, const Stroke& s) {
  cairo_new_path(cr);
  cairo_arc(cr, Centre(s.from.x, s.pen.width), Centre(s.from.y, s.pen.width), s.pen.width / 2.0, 0,
            2 * std::numbers::pi);
  SetColor(cr, s.pen.color);
  cairo_fill(cr);
}

}  // namespace

struct CairoCanvas::State {
  State()
      : surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kCardWidth, kCardHeight)),
        cr(cairo_create(surface)) {
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  }
  ~State() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
  }
  cairo_surface_t* surface;
  cairo_t* cr;
};

CairoCanvas::CairoCanvas() : state_(std::make_unique<State>()) {}

CairoCanvas::~CairoCanvas() = default;

void CairoCanvas::Replay(const std::vector<Stroke>& strokes) {
  for (const Stroke& s : strokes) {
    switch (s.kind) {
      case StrokeKind::Line:
        Line(state_->cr, s);
        break;
      case StrokeKind::Circle:
        Circle(state_->cr, s);
        break;
      case StrokeKind::Dot:
        Dot(state_->cr, s);
        break;
    }
  }
}

void CairoCanvas::Flush() {
  cairo_surface_flush(state_->surface);
}

}  // namespace frost::bench
