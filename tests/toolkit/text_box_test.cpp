#include <gtest/gtest.h>

#include <string>

#include "toolkit/controls.h"
#include "toolkit/errors.h"
#include "toolkit_fixture.h"

namespace frost {
namespace {

// A shown, focused text box of 40 characters at most that counts its Change events.
class TextBoxTest : public testing::ToolkitTest {
 protected:
  TextBoxTest() {
    box.Move(15, 15, 150 * 15, 20 * 15);
    box.MaxLength = 40;
    box.Change = [this] { ++changes; };
    form.SetFocus(&box);
  }

  void Type(const std::string& text) {
    for (char c : text) backend.Push(TextInputEvent{std::string(1, c)});
    app.DoEvents();
  }
  void Press(Key key, int modifiers = 0, char letter = 0) {
    backend.Push(KeyDownEvent{key, modifiers, letter});
    app.DoEvents();
  }

  TextBox box{form, &form, "TextGreetings", 1};
  int changes = 0;
};

TEST_F(TextBoxTest, TypingInsertsAtTheCaretAndRaisesChangeEachTime) {
  Type("Noel");
  EXPECT_EQ(box.Text(), "Noel");
  EXPECT_EQ(changes, 4);
  Press(Key::Home);
  Press(Key::Right);
  Type("x");
  EXPECT_EQ(box.Text(), "Nxoel");
  EXPECT_EQ(box.CaretPosition(), 2);
}

TEST_F(TextBoxTest, DeletionKeysAndCaretMoves) {
  box.SetText("Merry");
  changes = 0;
  Press(Key::Backspace);
  EXPECT_EQ(box.Text(), "Merr");
  Press(Key::Home);
  Press(Key::Delete);
  EXPECT_EQ(box.Text(), "err");
  Press(Key::Backspace);  // nothing before the caret
  Press(Key::End);
  Press(Key::Delete);  // nothing after it
  EXPECT_EQ(box.Text(), "err");
  EXPECT_EQ(changes, 2);
  Press(Key::Left);
  Press(Key::Left);
  Press(Key::Left);
  Press(Key::Left);
  EXPECT_EQ(box.CaretPosition(), 0);
}

TEST_F(TextBoxTest, MaxLengthRefusesTheFortyFirstCharacter) {
  Type(std::string(39, 'a'));
  Type("bc");
  EXPECT_EQ(box.Text(), std::string(39, 'a') + "b");
}

TEST_F(TextBoxTest, ProgramTextIsNeverCut) {
  const std::string longLine(50, 'w');
  box.SetText(longLine);
  EXPECT_EQ(box.Text(), longLine);
  EXPECT_EQ(changes, 1);
  box.SetText(longLine);
  EXPECT_EQ(changes, 1) << "no change, no event";
}

TEST_F(TextBoxTest, LoweredMaxLengthRefusesInputUntilTheTextIsShorter) {
  box.SetText("Peace on earth");
  box.MaxLength = 10;
  Type("!");
  EXPECT_EQ(box.Text(), "Peace on earth");
  for (int i = 0; i < 4; ++i) Press(Key::Backspace);
  Type("!");
  EXPECT_EQ(box.Text(), "Peace on e") << "still at the limit";
  Press(Key::Backspace);
  Type("!!");
  EXPECT_EQ(box.Text(), "Peace on !");
  box.MaxLength = 0;
  Type("xyz");
  EXPECT_EQ(box.Text(), "Peace on !xyz") << "0 is no limit";
}

TEST_F(TextBoxTest, PasteTakesTheFirstLineAsFarAsMaxLengthAllows) {
  box.SetText(std::string(35, 'a'));
  changes = 0;
  backend.SetClipboardText("Gloria in excelsis\nDeo");
  Press(Key::Other, kControl, 'v');
  EXPECT_EQ(box.Text(), std::string(35, 'a') + "Glori");
  EXPECT_EQ(changes, 1);
  box.Paste("more");
  EXPECT_EQ(changes, 1);
}

TEST_F(TextBoxTest, CountsCharactersNotBytes) {
  Type(std::string(38, 'a'));
  backend.Push(TextInputEvent{"\xC3\xA9"});      // é
  backend.Push(TextInputEvent{"\xE2\x82\xAC"});  // €
  backend.Push(TextInputEvent{"x"});
  app.DoEvents();
  EXPECT_EQ(box.Text(), std::string(38, 'a') + "\xC3\xA9\xE2\x82\xAC");
  Press(Key::Backspace);
  EXPECT_EQ(box.Text(), std::string(38, 'a') + "\xC3\xA9");
}

TEST_F(TextBoxTest, ControlCharactersAreNotTyped) {
  Type("a\tb\x7F");
  EXPECT_EQ(box.Text(), "ab");
}

TEST_F(TextBoxTest, KeyboardGoesToTheFocusedShownBoxOnly) {
  TextBox other(form, &form, "TextGreetings", 2);
  other.Move(15, 40 * 15, 150 * 15, 20 * 15);
  Type("a");
  form.SetFocus(&other);
  Type("b");
  EXPECT_EQ(box.Text(), "a");
  EXPECT_EQ(other.Text(), "b");
  other.SetVisible(false);
  Type("c");
  EXPECT_EQ(other.Text(), "b");
  EXPECT_EQ(box.Text(), "a");
  EXPECT_THROW(form.SetFocus(&other), RuntimeError);
}

TEST_F(TextBoxTest, TabMovesTheFocusInControlOrder) {
  TextBox second(form, &form, "TextGreetings", 2);
  Label label(form, &form, "Label1");
  TextBox third(form, &form, "TextGreetings", 3);
  Press(Key::Tab);
  EXPECT_EQ(form.ActiveControl(), &second);
  Press(Key::Tab);
  EXPECT_EQ(form.ActiveControl(), &third);
  Press(Key::Tab);
  EXPECT_EQ(form.ActiveControl(), &box);
  Press(Key::Tab, kShift);
  EXPECT_EQ(form.ActiveControl(), &third);
}

TEST_F(TextBoxTest, ClickFocusesTheBoxAndPlacesTheCaret) {
  TextBox other(form, &form, "Other");
  other.Move(15, 40 * 15, 150 * 15, 20 * 15);
  other.SetText("Hallelujah");
  backend.Push(MouseDownEvent{{3, 45}});
  backend.Push(MouseUpEvent{{3, 45}});
  app.DoEvents();
  EXPECT_EQ(form.ActiveControl(), &other);
  EXPECT_EQ(other.CaretPosition(), 0);
  const int afterFour = backend.Text().Measure(other.Font, "Hall").width;
  backend.Push(MouseDownEvent{{1 + 2 + afterFour, 45}});
  app.DoEvents();
  EXPECT_EQ(other.CaretPosition(), 4);
}

TEST_F(TextBoxTest, ChangeHandlerMayYieldWhileMoreInputArrives) {
  std::vector<std::string> seen;
  box.Change = [&] {
    app.DoEvents();
    seen.push_back(box.Text());
  };
  Type("ab");
  EXPECT_EQ(box.Text(), "ab");
  EXPECT_EQ(seen.size(), 2u);
}

TEST_F(TextBoxTest, CaretIsDrawnOnlyWhenFocused) {
  box.ForeColor = RGB(139, 104, 28);
  box.BackColor = RGB(224, 168, 45);
  Bitmap frame;
  form.Compose(frame);
  // Empty box: the caret is the only ink, at the text's left margin.
  const int caretX = 1 + 2;
  EXPECT_EQ(frame.At(caretX, 10), RGB(139, 104, 28));
  form.SetFocus(nullptr);
  form.Compose(frame);
  EXPECT_EQ(frame.At(caretX, 10), RGB(224, 168, 45));
}

}  // namespace
}  // namespace frost
