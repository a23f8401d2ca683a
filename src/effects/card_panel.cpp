#include "effects/card_panel.h"

#include "effects/relief_text.h"
#include "scene/for_step.h"
#include "toolkit/text_measure.h"

namespace frost {
namespace {

constexpr const char* kCardLine = "Born to you this day a Savior who is Christ the Lord";
constexpr double kGlowAspect = 1.1;
constexpr double kRingAspect = 0.3;  // flat rings: 0.3 times as high as wide

}  // namespace

// The flames' colour: the shared colour a tenth brighter, each product rounded half to even.
Color CardPanel::BoostedColor() const {
  const double i = paint_.Intensity;
  return RGB(CInt(1.1 * paint_.ColorR * i), CInt(1.1 * paint_.ColorG * i),
             CInt(1.1 * paint_.ColorB * i));
}

// Where the candles stand; bodies and flames share it.
CardPanel::CandlePlace CardPanel::PlaceCandles() const {
  const PictureBox& picture = paint_.Picture1;
  CandlePlace place;
  place.bodyRadius = 350 * paint_.ScaleX();
  place.leftX = 750 * paint_.ScaleX();
  place.rightX = picture.Width() - 750 * paint_.ScaleX();
  place.height = 1600 * paint_.ScaleY();
  place.bottomY = picture.Height() - 500 * paint_.ScaleY();
  place.topY = place.bottomY - place.height;
  return place;
}

// Two upright cylinders of flat rings 10 twips apart, brightening from the foot up.
void CardPanel::DrawCandleBodies(const CandlePlace& place) {
  PictureBox& picture = paint_.Picture1;
  ForStep(place.bottomY, place.topY, -10, [&](double y) {
    picture.Circle(place.leftX, y, place.bodyRadius, paint_.ShadedColor(), {}, {}, kRingAspect);
    picture.Circle(place.rightX, y, place.bodyRadius, paint_.ShadedColor(), {}, {}, kRingAspect);
    paint_.Intensity += 0.7;
    paint_.DoEventsIfOn();
    candlesDrawn_ = true;
  });
}

// A tapering cone of rings rising 800 (scaled) above each wick, with a fresh width, brightness
// and (left only) sideways offset every tick; never erased, so the flames flicker. The rings
// narrow faster wherever the loop value lies above y = 4800 (not scaled).
void CardPanel::DrawCandleFlames(const CandlePlace& place) {
  PictureBox& picture = paint_.Picture1;
  paint_.Intensity = Int(51 * paint_.Rnd() + 150);
  double radius = Int(21 * paint_.Rnd() + 100) * paint_.ScaleY();
  const double offset = Int(20 * paint_.Rnd() + 1);  // not scaled
  ForStep(place.bottomY, place.topY + 800 * paint_.ScaleY(), -10, [&](double y) {
    const double centreY = y - place.height;
    picture.Circle(place.leftX + offset, centreY, radius, BoostedColor(), {}, {}, kRingAspect);
    picture.Circle(place.rightX, centreY, radius, BoostedColor(), {}, {}, kRingAspect);
    paint_.Intensity += 0.7;
    radius -= 1.2;
    if (y < 4800)
      radius -= 1;
    if (radius < 1)
      radius = 1;
    paint_.DoEventsIfOn();
  });
}

// The card drawing over a soft oval glow, and the card line in relief near the bottom. The
// drawing is centred on the window, the line on the surface.
void CardPanel::DrawCard() {
  PictureBox& picture = paint_.Picture1;
  const Form& window = parts_.window;
  paint_.DoEvents();
  DrawCardGlow();
  // AND keeps the glow wherever the drawing is white, so no white box frames it.
  PaintArea overGlow;
  overGlow.op = RasterOp::And;
  picture.PaintPicture(parts_.drawing.GetPicture(), window.Width() / 2 - parts_.drawing.Width() / 2,
                       window.Height() / 2 - parts_.drawing.Height() / 2, overGlow);
  paint_.DoEventsIfOn();
  candlesDrawn_ = false;
  paint_.Intensity = 75;
  picture.Font.size = Int(paint_.ScaleX() * 11.5);
  const double width = MeasureText(parts_.measure, picture.Font.name, picture.Font.size, kCardLine);
  // The horizontal factor places this vertical distance.
  PrintInRelief(paint_, kCardLine, picture.Width() / 2 - width / 2,
                picture.Height() - 1000 * paint_.ScaleX(), 30);
}

// Ellipse outlines one twip apart, slightly taller than wide, from the rim inward and brighter
// toward the centre, merging into a solid oval.
void CardPanel::DrawCardGlow() {
  const double cx = parts_.window.Width() / 2;
  const double cy = 2300 * paint_.ScaleY() + parts_.drawing.Height() / 2;
  paint_.Intensity = 150;
  ForStep(parts_.drawing.Height() / 2 * 1.1, 1, -1, [&](double radius) {
    paint_.Picture1.Circle(cx, cy, radius, paint_.ShadedColor(), {}, {}, kGlowAspect);
    paint_.Intensity += 0.23;
    paint_.DoEventsIfOn();
  });
}

void CardPanel::DrawCandleTick() {
  stars_.DrawTopStar();
  tree_.SetLightLevel(Int(46 * paint_.Rnd() + 155));
  DrawCandles();
  paint_.DoEvents();
}

// The bodies stand once drawn; after that they are drawn again only on one tick in five on
// average (k = 3). The flames are drawn on every tick.
void CardPanel::DrawCandles() {
  const CandlePlace place = PlaceCandles();
  paint_.Intensity = 130;
  const double k = Int(5 * paint_.Rnd() + 1);
  if (!(k != 3 && candlesDrawn_))
    DrawCandleBodies(place);
  DrawCandleFlames(place);
  paint_.DoEventsIfOn();
}

}  // namespace frost
