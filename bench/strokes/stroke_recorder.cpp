// Recording through the linker: the bench is linked with --wrap for the three raster entry
// points the painters reach, so the toolkit's calls land in the Wrapped* functions below and
// the originals stay reachable under their __real_ names. The symbol names are the functions'
// mangled names, given by the build (bench/CMakeLists.txt) with the matching linker options.
#include <algorithm>

#include "support/card_fixture.h"
#include "tree_strokes.h"

namespace frost::bench {
namespace {

std::vector<Stroke>* recording = nullptr;

}  // namespace

void RealLine(Bitmap&, const PixelRect&, PixelPoint, PixelPoint,
              const Pen&) asm("__real_" FROST_LINE_SYMBOL);
void RealEllipse(Bitmap&, const PixelRect&, const PixelRect&, const Pen&,
                 const Color*) asm("__real_" FROST_ELLIPSE_SYMBOL);
void RealDot(Bitmap&, const PixelRect&, PixelPoint, const Pen&) asm("__real_" FROST_DOT_SYMBOL);

void WrappedLine(Bitmap& target, const PixelRect& clip, PixelPoint from, PixelPoint to,
                 const Pen& pen) asm("__wrap_" FROST_LINE_SYMBOL);
void WrappedEllipse(Bitmap& target, const PixelRect& clip, const PixelRect& bounds, const Pen& pen,
                    const Color* fill) asm("__wrap_" FROST_ELLIPSE_SYMBOL);
void WrappedDot(Bitmap& target, const PixelRect& clip, PixelPoint at,
                const Pen& pen) asm("__wrap_" FROST_DOT_SYMBOL);

void WrappedLine(Bitmap& target, const PixelRect& clip, PixelPoint from, PixelPoint to,
                 const Pen& pen) {
  if (recording != nullptr)
    recording->push_back({StrokeKind::Line, from, to, {}, pen, {}});
  RealLine(target, clip, from, to, pen);
}

void WrappedEllipse(Bitmap& target, const PixelRect& clip, const PixelRect& bounds, const Pen& pen,
                    const Color* fill) {
  if (recording != nullptr) {
    recording->push_back({StrokeKind::Circle,
                          {},
                          {},
                          bounds,
                          pen,
                          fill != nullptr ? std::optional<Color>(*fill) : std::nullopt});
  }
  RealEllipse(target, clip, bounds, pen, fill);
}

void WrappedDot(Bitmap& target, const PixelRect& clip, PixelPoint at, const Pen& pen) {
  if (recording != nullptr)
    recording->push_back({StrokeKind::Dot, at, {}, {}, pen, {}});
  RealDot(target, clip, at, pen);
}

std::vector<Stroke> RecordTreeStrokes() {
  testing::CardFixture card;
  card.app.SetPacing(0);
  card.form.paint.DoEventsOn = false;
  std::vector<Stroke> strokes;
  recording = &strokes;
  card.form.Command8_Click();
  recording = nullptr;
  return strokes;
}

void ReplayOurs(Bitmap& surface, const std::vector<Stroke>& strokes) {
  const PixelRect clip = surface.Bounds();
  for (const Stroke& s : strokes) {
    switch (s.kind) {
      case StrokeKind::Line:
        RealLine(surface, clip, s.from, s.to, s.pen);
        break;
      case StrokeKind::Circle:
        RealEllipse(surface, clip, s.bounds, s.pen, s.fill ? &*s.fill : nullptr);
        break;
      case StrokeKind::Dot:
        RealDot(surface, clip, s.from, s.pen);
        break;
    }
  }
}

}  // namespace frost::bench
