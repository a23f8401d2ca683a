// Presenting only what changed: whatever a series of drawing and control changes does, the
// window shows what composing it whole would show.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "toolkit/controls.h"
#include "toolkit/picture_box.h"
#include "toolkit_fixture.h"

namespace frost {
namespace {

// "" when equal, else where they first differ.
std::string FirstDifference(const Bitmap& shown, const Bitmap& whole) {
  if (shown.Width() != whole.Width() || shown.Height() != whole.Height())
    return "sizes differ";
  for (int y = 0; y < whole.Height(); ++y) {
    for (int x = 0; x < whole.Width(); ++x) {
      if (shown.At(x, y) != whole.At(x, y))
        return "pixel " + std::to_string(x) + "," + std::to_string(y);
    }
  }
  return "";
}

class PartialPresentTest : public testing::ToolkitTest {
 protected:
  PartialPresentTest() {
    // A surface reaching past its container, which reaches past the window.
    outer.Move(30 * 15, 20 * 15, 190 * 15, 120 * 15);
    outer.SetBackColor(RGB(20, 40, 60));
    pic.Move(10 * 15, 10 * 15, 200 * 15, 80 * 15);
    pic.SetBackColor(RGB(108, 79, 19));
    pic.SetAutoRedraw(true);
    shape.Move(5 * 15, 100 * 15, 30 * 15, 30 * 15);
    shape.FillColor = RGB(200, 0, 0);
    label.Move(40 * 15, 2 * 15, 60 * 15, 15 * 15);
    picture.Set(1, 1, RGB(0, 255, 0));
  }

  int Pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(rng); }
  double Twips(int lowPixels, int highPixels) {
    return (lowPixels + Pick(highPixels - lowPixels)) * 15.0;
  }
  PictureBox& Surface() { return Pick(4) == 0 ? static_cast<PictureBox&>(form) : pic; }

  // One change of the kind the card makes, chosen at random.
  void Change() {
    const std::vector<std::function<void()>> changes{
        [&] {
          PictureBox& s = Surface();
          s.DrawWidth = 1 + Pick(8);
          s.Line(Twips(-20, 220), Twips(-20, 170), Twips(-20, 220), Twips(-20, 170), Ink());
        },
        [&] {
          PictureBox& s = Surface();
          s.DrawWidth = 1 + Pick(6);
          s.FillStyle = Pick(2) == 0 ? FillStyle::Solid : FillStyle::Transparent;
          s.FillColor = Ink();
          s.Circle(Twips(-10, 210), Twips(-10, 160), Twips(0, 40), Ink());
        },
        [&] {
          pic.DrawWidth = 1 + Pick(7);
          pic.PSet(Twips(-5, 205), Twips(-5, 95), Ink());
        },
        [&] { pic.Box(Twips(0, 200), Twips(0, 90), Twips(0, 200), Twips(0, 90), Ink()); },
        [&] { pic.PaintPicture(picture, Twips(-5, 200), Twips(-5, 90)); },
        [&] {
          pic.CurrentX = Twips(0, 150);
          pic.CurrentY = Twips(0, 70);
          pic.ForeColor = Ink();
          pic.Print("Joy");
        },
        [&] { pic.SetAutoRedraw(!pic.AutoRedraw()); },
        [&] { Surface().Cls(); },
        [&] { outer.SetLeft(Twips(0, 60)); },
        [&] { shape.SetVisible(!shape.Visible()); },
        [&] { label.SetCaption(std::string(1 + Pick(5), 'W')); },
        [&] {
          if (form.ToolTipShown())
            form.HideToolTip();
          else
            form.ShowToolTip("Merry", {Pick(200), Pick(150)});
        },
    };
    changes[Pick(static_cast<int>(changes.size()))]();
  }

  Color Ink() { return Color{static_cast<std::uint32_t>(Pick(1 << 24))}; }

  std::mt19937 rng{7};
  PictureBox outer{form, &form, "Outer"};
  PictureBox pic{form, &outer, "Picture1"};
  Shape shape{form, &form, "Shape1"};
  Label label{form, &form, "Label1"};
  Bitmap picture{12, 9, RGB(0, 0, 255)};
};

TEST_F(PartialPresentTest, PresentedPictureEqualsAWholeComposeAfterEveryPresent) {
  for (int step = 0; step < 600; ++step) {
    Change();
    // Mostly single changes, sometimes many at once (more rectangles than are kept apart).
    if (Pick(8) != 0)
      continue;
    app.PresentIfChanged();
    Bitmap whole;
    form.Compose(whole);
    ASSERT_EQ(FirstDifference(backend.LastFrame(), whole), "") << "after step " << step;
  }
}

TEST_F(PartialPresentTest, UnloadingAShownControlUncoversWhatLayUnderIt) {
  auto extra = std::make_unique<Shape>(form, &form, "Shape2");
  extra->Move(0, 0, 50 * 15, 50 * 15);
  extra->FillColor = RGB(1, 2, 3);
  app.PresentIfChanged();
  ASSERT_EQ(backend.LastFrame().At(1, 1), RGB(1, 2, 3));
  extra.reset();
  app.PresentIfChanged();
  EXPECT_NE(backend.LastFrame().At(1, 1), RGB(1, 2, 3));
}

}  // namespace
}  // namespace frost
