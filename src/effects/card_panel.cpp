#include "effects/relief_text.h"
#include "scene/for_step.h"
#include "startup/form1.h"

namespace frost {
namespace {

constexpr const char* kCardLine = "Born to you this day a Savior who is Christ the Lord";
constexpr double kGlowAspect = 1.1;
constexpr double kRingAspect = 0.3;  // flat rings: 0.3 times as high as wide

// The flames' colour: the shared colour a tenth brighter, each product rounded half to even.
Color BoostedColor(const Form1& form) {
  const double i = form.Intensity;
  return RGB(CInt(1.1 * form.ColorR * i), CInt(1.1 * form.ColorG * i), CInt(1.1 * form.ColorB * i));
}

// Where the candles stand; bodies and flames share it.
struct CandlePlace {
  double leftX, rightX;
  double bodyRadius;
  double height;
  double bottomY, topY;
};

CandlePlace PlaceCandles(const Form1& form) {
  CandlePlace place;
  place.bodyRadius = 350 * form.ScaleX();
  place.leftX = 750 * form.ScaleX();
  place.rightX = form.Picture1.Width() - 750 * form.ScaleX();
  place.height = 1600 * form.ScaleY();
  place.bottomY = form.Picture1.Height() - 500 * form.ScaleY();
  place.topY = place.bottomY - place.height;
  return place;
}

// Two upright cylinders of flat rings 10 twips apart, brightening from the foot up.
void DrawCandleBodies(Form1& form, const CandlePlace& place) {
  PictureBox& picture = form.Picture1;
  ForStep(place.bottomY, place.topY, -10, [&](double y) {
    picture.Circle(place.leftX, y, place.bodyRadius, form.ShadedColor(), {}, {}, kRingAspect);
    picture.Circle(place.rightX, y, place.bodyRadius, form.ShadedColor(), {}, {}, kRingAspect);
    form.Intensity += 0.7;
    form.DoEventsIfOn();
    form.CandlesDrawn = true;
  });
}

// A tapering cone of rings rising 800 (scaled) above each wick, with a fresh width, brightness
// and (left only) sideways offset every tick; never erased, so the flames flicker. The rings
// narrow faster wherever the loop value lies above y = 4800 (not scaled).
void DrawCandleFlames(Form1& form, const CandlePlace& place) {
  PictureBox& picture = form.Picture1;
  form.Intensity = Int(51 * form.App().Rnd() + 150);
  double radius = Int(21 * form.App().Rnd() + 100) * form.ScaleY();
  const double offset = Int(20 * form.App().Rnd() + 1);  // not scaled
  ForStep(place.bottomY, place.topY + 800 * form.ScaleY(), -10, [&](double y) {
    const double centreY = y - place.height;
    picture.Circle(place.leftX + offset, centreY, radius, BoostedColor(form), {}, {}, kRingAspect);
    picture.Circle(place.rightX, centreY, radius, BoostedColor(form), {}, {}, kRingAspect);
    form.Intensity += 0.7;
    radius -= 1.2;
    if (y < 4800)
      radius -= 1;
    if (radius < 1)
      radius = 1;
    form.DoEventsIfOn();
  });
}

}  // namespace

// The card drawing over a soft oval glow, and the card line in relief near the bottom. The
// drawing is centred on the window, the line on the surface.
void Form1::Command6_Click() {
  DoEvents();
  DrawCardGlow();
  // AND keeps the glow wherever the drawing is white, so no white box frames it.
  PaintArea overGlow;
  overGlow.op = RasterOp::And;
  Picture1.PaintPicture(Image1.GetPicture(), Width() / 2 - Image1.Width() / 2,
                        Height() / 2 - Image1.Height() / 2, overGlow);
  DoEventsIfOn();
  CandlesDrawn = false;
  Intensity = 75;
  Picture1.Font.size = 11.5;
  Picture1.Font.size = Int(ScaleX() * Picture1.Font.size);
  FontSpec measuring = Label1.Font();
  measuring.name = Picture1.Font.name;
  measuring.size = Picture1.Font.size;
  Label1.SetFont(measuring);
  Label1.SetCaption(kCardLine);
  DoEvents();  // the label takes its new size
  Label1.SetLeft(Picture1.Width() / 2 - Label1.Width() / 2);
  // The horizontal factor places this vertical distance.
  PrintInRelief(*this, Label1.Caption(), Label1.Left(), Picture1.Height() - 1000 * ScaleX(), 30);
}

// Ellipse outlines one twip apart, slightly taller than wide, from the rim inward and brighter
// toward the centre, merging into a solid oval.
void Form1::DrawCardGlow() {
  const double cx = Width() / 2;
  const double cy = 2300 * ScaleY() + Image1.Height() / 2;
  Intensity = 150;
  ForStep(Image1.Height() / 2 * 1.1, 1, -1, [&](double radius) {
    Picture1.Circle(cx, cy, radius, ShadedColor(), {}, {}, kGlowAspect);
    Intensity += 0.23;
    DoEventsIfOn();
  });
}

void Form1::TimerCard_Timer() {
  DrawTopStar();
  LightLevel = Int(46 * App().Rnd() + 155);
  DrawCandles();
  DoEvents();
}

// The bodies stand once drawn; after that they are drawn again only on one tick in five on
// average (k = 3). The flames are drawn on every tick.
void Form1::DrawCandles() {
  const CandlePlace place = PlaceCandles(*this);
  Intensity = 130;
  const double k = Int(5 * App().Rnd() + 1);
  if (!(k != 3 && CandlesDrawn))
    DrawCandleBodies(*this, place);
  DrawCandleFlames(*this, place);
  DoEventsIfOn();
}

}  // namespace frost
