#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/control_array.h"
#include "toolkit/controls.h"
#include "toolkit/errors.h"
#include "toolkit/picture_box.h"
#include "toolkit/timer.h"
#include "toolkit_fixture.h"

namespace frost {
namespace {

std::vector<std::string> Names(const std::vector<Control*>& controls) {
  std::vector<std::string> names;
  for (const Control* control : controls) {
    names.push_back(control->Index() < 0
                        ? control->Name()
                        : control->Name() + "(" + std::to_string(control->Index()) + ")");
  }
  return names;
}

using ControlsTest = testing::ToolkitTest;

TEST_F(ControlsTest, ControlOrderIsCreationOrderWithRuntimeArrayMembersLast) {
  PictureBox picture(form, &form, "Picture1");
  ControlArray<TextBox> boxes(form, &picture, "TextGreetings");
  Label label(form, &picture, "Label1");
  Timer timer(form, "TimerMain", 10);
  boxes.Load(2);
  boxes.Load(1);
  EXPECT_EQ(Names(form.Controls()),
            (std::vector<std::string>{"Picture1", "TextGreetings(0)", "Label1", "TimerMain",
                                      "TextGreetings(2)", "TextGreetings(1)"}));
  EXPECT_EQ(Names(picture.Children()),
            (std::vector<std::string>{"TextGreetings(0)", "Label1", "TextGreetings(2)",
                                      "TextGreetings(1)"}));
  EXPECT_EQ(form.FindControl("TextGreetings", 1), &boxes(1));
  EXPECT_EQ(form.FindControl("TextGreetings", 3), nullptr);
}

TEST_F(ControlsTest, ArrayMemberStartsHiddenWithTheDesignSettings) {
  ControlArray<TextBox> boxes(form, &form, "TextGreetings");
  TextBox& design = boxes(0);
  design.Move(180, 6516, 1308, 288);
  design.MaxLength = 40;
  design.BackColor = RGB(224, 168, 45);
  design.Font = FontSpec{"Times New Roman", 16.8, true};
  design.SetText("Merry");
  int designChanges = 0;
  design.Change = [&] { ++designChanges; };
  TextBox& member = boxes.Load(3);
  EXPECT_FALSE(member.Visible());
  EXPECT_EQ(member.Index(), 3);
  EXPECT_DOUBLE_EQ(member.Top(), 6516);
  EXPECT_DOUBLE_EQ(member.Width(), 1308);
  EXPECT_EQ(member.MaxLength, 40);
  EXPECT_EQ(member.BackColor, RGB(224, 168, 45));
  EXPECT_EQ(member.Font, design.Font);
  EXPECT_EQ(member.Text(), "Merry");
  member.SetText("Other");
  EXPECT_EQ(designChanges, 0) << "handlers are wired per member";
  EXPECT_THROW(boxes.Load(3), RuntimeError);
}

TEST_F(ControlsTest, ComposePaintsChildrenOverContainersClippedByThem) {
  Shape back(form, &form, "Back");
  back.Move(0, 0, 50 * 15, 50 * 15);
  back.FillColor = back.BorderColor = RGB(10, 10, 10);
  Shape inner(form, &back, "Inner");
  inner.Move(40 * 15, 40 * 15, 30 * 15, 30 * 15);
  inner.FillColor = inner.BorderColor = RGB(20, 20, 20);
  Shape later(form, &form, "Later");
  later.Move(45 * 15, 0, 20 * 15, 20 * 15);
  later.FillColor = later.BorderColor = RGB(30, 30, 30);
  Bitmap frame;
  form.Compose(frame);
  EXPECT_EQ(frame.Width(), 200);
  EXPECT_EQ(frame.Height(), 150);
  EXPECT_EQ(frame.At(10, 10), RGB(10, 10, 10));
  EXPECT_EQ(frame.At(45, 45), RGB(20, 20, 20));
  EXPECT_NE(frame.At(55, 45), RGB(20, 20, 20)) << "clipped by its container";
  EXPECT_EQ(frame.At(47, 5), RGB(30, 30, 30)) << "a later control covers an earlier one";
  back.SetVisible(false);
  form.Compose(frame);
  EXPECT_NE(frame.At(45, 45), RGB(20, 20, 20)) << "hidden with its container";
  back.SetVisible(true);
  back.SetLeft(100 * 15);
  form.Compose(frame);
  EXPECT_EQ(inner.WindowRect(), (PixelRect{140, 40, 170, 70})) << "moves with its container";
  EXPECT_EQ(inner.ClippedWindowRect(), (PixelRect{140, 40, 150, 50}));
  EXPECT_EQ(frame.At(145, 45), RGB(20, 20, 20));
  backend.SetTwipsPerPixel(12, 12);
  EXPECT_EQ(inner.WindowRect(), (PixelRect{175, 50, 213, 88})) << "placed at the new scale";
}

TEST_F(ControlsTest, LabelAutoSizeFollowsTheCaptionInItsFont) {
  Label label(form, &form, "Label1");
  label.SetFont(FontSpec{"Arial", 16.8, true});
  label.SetAutoSize(true);
  label.SetCaption("Joy");
  const double shortWidth = label.Width();
  const TextExtent extent = backend.Text().Measure(label.Font(), "Joy");
  EXPECT_DOUBLE_EQ(shortWidth, extent.width * 15.0);
  EXPECT_DOUBLE_EQ(label.Height(), extent.height * 15.0);
  label.SetCaption("Joy to the world");
  EXPECT_GT(label.Width(), shortWidth);
  label.SetFont(FontSpec{"Arial", 8});
  EXPECT_LT(label.Width(), shortWidth * 4);
}

TEST_F(ControlsTest, LabelWithoutAutoSizeKeepsItsSize) {
  Label label(form, &form, "Label2");
  label.Move(0, 0, 3480, 204);
  label.SetCaption("Frost Mail V2014.2 with a long caption that does not fit");
  EXPECT_DOUBLE_EQ(label.Width(), 3480);
  EXPECT_DOUBLE_EQ(label.Height(), 204);
}

class LargeFontControlsTest : public testing::ToolkitTest {
 protected:
  LargeFontControlsTest() : ToolkitTest(12) {}
};

TEST_F(LargeFontControlsTest, ImageTakesItsPicturesSize) {
  Image image(form, &form, "ImageClose");
  image.SetPicture(Bitmap(18, 18, RGB(1, 2, 3)));
  EXPECT_DOUBLE_EQ(image.Width(), 216);
  EXPECT_DOUBLE_EQ(image.Height(), 216);
  image.SetLeft(24);
  Bitmap frame;
  form.Compose(frame);
  EXPECT_EQ(frame.At(2, 0), RGB(1, 2, 3));
  EXPECT_EQ(frame.At(19, 17), RGB(1, 2, 3));
  EXPECT_NE(frame.At(20, 17), RGB(1, 2, 3));
}

}  // namespace
}  // namespace frost
