#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/controls.h"
#include "toolkit/input_dispatch.h"
#include "toolkit/picture_box.h"
#include "toolkit_fixture.h"

namespace frost {
namespace {

// A 200 x 150 window holding a picture box (10, 10)-(110, 90) with a child image at (20, 20)
// inside it (20 x 20 pixels) and a label over its right part.
class MouseInputTest : public testing::ToolkitTest {
 protected:
  MouseInputTest() {
    picture.Move(10 * 15, 10 * 15, 100 * 15, 80 * 15);
    image.Move(20 * 15, 20 * 15, 20 * 15, 20 * 15);
    label.Move(80 * 15, 10 * 15, 50 * 15, 20 * 15);
    for (Control* control : {static_cast<Control*>(&form), static_cast<Control*>(&picture),
                             static_cast<Control*>(&image), static_cast<Control*>(&label)}) {
      Record(*control);
    }
  }

  void Record(Control& control) {
    const std::string name = control.Name();
    control.MouseDown = [this, name](const MouseArgs&) { log.push_back(name + " Down"); };
    control.MouseUp = [this, name](const MouseArgs&) { log.push_back(name + " Up"); };
    control.Click = [this, name] { log.push_back(name + " Click"); };
    control.DblClick = [this, name] { log.push_back(name + " DblClick"); };
  }

  void Press(PixelPoint at, int clicks = 1) {
    backend.Push(MouseDownEvent{at, MouseButton::Left, clicks});
    backend.Push(MouseUpEvent{at});
    app.DoEvents();
  }

  std::string HitName(PixelPoint at) { return InputDispatcher::HitTest(form, at).Name(); }

  PictureBox picture{form, &form, "Picture1"};
  Image image{form, &picture, "Image1"};
  Label label{form, &picture, "Label2"};
  std::vector<std::string> log;
};

TEST_F(MouseInputTest, HitTestFindsTheTopmostShownControl) {
  EXPECT_EQ(HitName({5, 5}), "Form1");
  EXPECT_EQ(HitName({10, 10}), "Picture1");
  EXPECT_EQ(HitName({30, 30}), "Image1");  // child over its container
  EXPECT_EQ(HitName({49, 49}), "Image1");
  EXPECT_EQ(HitName({50, 50}), "Picture1");  // half-open rectangles
  EXPECT_EQ(HitName({95, 25}), "Label2");
  // The label reaches beyond its container, and is clipped by it.
  EXPECT_EQ(HitName({115, 25}), "Form1");
  label.SetVisible(false);
  EXPECT_EQ(HitName({95, 25}), "Picture1");
  picture.SetVisible(false);
  EXPECT_EQ(HitName({30, 30}), "Form1");
}

TEST_F(MouseInputTest, LaterControlsLieOverEarlierOnesButShapesLetTheMouseThrough) {
  Label over(form, &picture, "Label3");
  over.Move(20 * 15, 20 * 15, 5 * 15, 5 * 15);
  Shape shape(form, &picture, "Shape1");
  shape.Move(0, 0, 100 * 15, 80 * 15);
  EXPECT_EQ(HitName({22, 22}), "Picture1") << "the label sits in the picture at (30, 30)";
  EXPECT_EQ(HitName({32, 32}), "Label3");
  EXPECT_EQ(HitName({45, 45}), "Image1");
}

TEST_F(MouseInputTest, ClickAndDoubleClickComeInTheWindowOrder) {
  Press({30, 30});
  Press({30, 30}, 2);
  EXPECT_EQ(log, (std::vector<std::string>{"Image1 Down", "Image1 Up", "Image1 Click",
                                           "Image1 DblClick", "Image1 Up"}));
}

TEST_F(MouseInputTest, SecondPressOnAnotherControlIsAPlainClick) {
  Press({30, 30});
  Press({70, 70}, 2);
  EXPECT_EQ(log, (std::vector<std::string>{"Image1 Down", "Image1 Up", "Image1 Click",
                                           "Picture1 Down", "Picture1 Up", "Picture1 Click"}));
}

TEST_F(MouseInputTest, ReleaseElsewhereGoesToThePressedControlWithoutClick) {
  backend.Push(MouseDownEvent{{30, 30}});
  backend.Push(MouseMoveEvent{{70, 70}});
  backend.Push(MouseUpEvent{{70, 70}});
  std::vector<MouseArgs> moves;
  image.MouseMove = [&](const MouseArgs& args) { moves.push_back(args); };
  app.DoEvents();
  EXPECT_EQ(log, (std::vector<std::string>{"Image1 Down", "Image1 Up"}));
  ASSERT_EQ(moves.size(), 1u) << "the pressed control keeps the mouse";
  EXPECT_EQ(moves[0].button, 1);
}

TEST_F(MouseInputTest, ReleaseOutsideTheWindowIsNoClick) {
  backend.Push(MouseDownEvent{{5, 5}});
  backend.Push(MouseUpEvent{{-20, 5}});
  app.DoEvents();
  EXPECT_EQ(log, (std::vector<std::string>{"Form1 Down", "Form1 Up"}));
}

TEST_F(MouseInputTest, MouseArgumentsAreTwipsWithinTheControl) {
  std::vector<MouseArgs> moves;
  image.MouseMove = [&](const MouseArgs& args) { moves.push_back(args); };
  backend.Push(MouseMoveEvent{{33, 45}});
  app.DoEvents();
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].button, 0);
  EXPECT_DOUBLE_EQ(moves[0].x, 3 * 15);
  EXPECT_DOUBLE_EQ(moves[0].y, 15 * 15);
}

TEST_F(MouseInputTest, MouseOutsideTheWindowRegionNeverArrives) {
  form.SetRegion(Region{{{0, 0, 20, 20}}});
  Press({30, 30});
  Press({15, 15});
  EXPECT_EQ(log, (std::vector<std::string>{"Picture1 Down", "Picture1 Up", "Picture1 Click"}));
}

TEST_F(MouseInputTest, AKeptControlJoinsTheRegionWhereverItIsWhileShown) {
  form.KeepInRegion(label);
  EXPECT_FALSE(form.WindowRegion()) << "a rectangular window stays rectangular";
  form.SetRegion(Region{{{0, 0, 20, 20}}});
  EXPECT_EQ(backend.WindowRegion()->rects,
            (std::vector<PixelRect>{{0, 0, 20, 20}, {90, 20, 110, 40}}));
  label.SetLeft(60 * 15);
  Press({75, 25});
  EXPECT_EQ(log, (std::vector<std::string>{"Label2 Down", "Label2 Up", "Label2 Click"}));
  label.SetVisible(false);
  EXPECT_EQ(backend.WindowRegion(), (Region{{{0, 0, 20, 20}}}));
}

TEST_F(MouseInputTest, CursorFollowsTheHoveredControlsIcon) {
  const CursorImage hand{2, 2, {0xFF000000u, 0, 0, 0xFF000000u}, {0, 0}};
  image.MouseIcon = &hand;
  backend.Push(MouseMoveEvent{{30, 30}});
  app.DoEvents();
  EXPECT_EQ(backend.Cursor(), &hand);
  backend.Push(MouseMoveEvent{{70, 70}});
  app.DoEvents();
  EXPECT_EQ(backend.Cursor(), nullptr);
}

TEST_F(MouseInputTest, ToolTipAppearsAfterTheMouseRestsAndGoesWhenItMoves) {
  image.ToolTipText = "Customize";
  app.Run(0.1);
  backend.Push(MouseMoveEvent{{30, 30}}, 1.0);
  app.Run(1.5);
  EXPECT_FALSE(form.ToolTipShown());
  app.Run(1.7);
  EXPECT_TRUE(form.ToolTipShown());
  // Light yellow box under the mouse in the presented frame.
  EXPECT_EQ(backend.LastFrame().At(31, 52), RGB(255, 255, 225));
  backend.Push(MouseMoveEvent{{31, 30}}, 2.0);
  app.Run(2.1);
  EXPECT_FALSE(form.ToolTipShown());
  EXPECT_NE(backend.LastFrame().At(31, 52), RGB(255, 255, 225));
}

TEST_F(MouseInputTest, ToolTipGoesWhenItsControlIsHidden) {
  image.ToolTipText = "Exit";
  backend.Push(MouseMoveEvent{{30, 30}});
  app.Run(1.0);
  ASSERT_TRUE(form.ToolTipShown());
  image.SetVisible(false);
  app.DoEvents();
  EXPECT_FALSE(form.ToolTipShown());
}

TEST_F(MouseInputTest, NoToolTipOnceTheMouseHasLeftTheWindow) {
  image.ToolTipText = "Exit";
  int formMoves = 0;
  form.MouseMove = [&](const MouseArgs&) { ++formMoves; };
  backend.Push(MouseMoveEvent{{30, 30}});
  backend.Push(MouseMoveEvent{{-1, -1}}, 0.1);
  app.Run(2.0);
  EXPECT_FALSE(form.ToolTipShown());
  EXPECT_EQ(formMoves, 0);
}

TEST_F(MouseInputTest, NoToolTipWithoutText) {
  backend.Push(MouseMoveEvent{{30, 30}});
  app.Run(2.0);
  EXPECT_FALSE(form.ToolTipShown());
}

}  // namespace
}  // namespace frost
