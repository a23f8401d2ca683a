// The greeting editor: the strip's button pairs, focus, and the limits of a line, typed through
// the real event loop into the focused box.
#include <gtest/gtest.h>

#include "personalise_fixture.h"

namespace frost {
namespace {

class GreetingEditorTest : public testing::PersonaliseTest {
 protected:
  bool EditorButtonsShown() const {
    return form.ImageEditSave.Visible() && form.ImageEditCancel.Visible() &&
           !form.ImageEdit.Visible() && !form.ImageClose.Visible();
  }
  bool NormalButtonsShown() const {
    return !form.ImageEditSave.Visible() && !form.ImageEditCancel.Visible() &&
           form.ImageEdit.Visible() && form.ImageClose.Visible();
  }
  int BoxesShown() {
    int shown = 0;
    for (int k = 1; k <= 8; ++k) shown += form.TextGreetings(k).Visible() ? 1 : 0;
    return shown;
  }
  void Type(const std::string& text) {
    card.backend.Push(TextInputEvent{text});
    card.app.DoEvents();
  }
  void Backspace() {
    card.backend.Push(KeyDownEvent{Key::Backspace});
    card.app.DoEvents();
  }
  // Typed one character at a time until the box refuses one; how many it took.
  int TypeUntilRefused(const std::string& character) {
    TextBox& box = form.TextGreetings(1);
    for (int typed = 0; typed < 100; ++typed) {
      const std::string before = box.Text();
      Type(character);
      if (box.Text() == before)
        return typed;
    }
    return -1;
  }
  int PixelWidth(const std::string& text) {
    FontSpec font = form.Label1.Font();
    font.name = form.TextGreetings(1).Font.name;
    font.size = form.TextGreetings(1).Font.size;
    return card.backend.Text().Measure(font, text).width;
  }
  int BoxPixelWidth() { return form.TextGreetings(1).WindowRect().Width(); }
};

TEST_F(GreetingEditorTest, CustomizeShowsTheBoxesAndTheEditorButtonsWithFocusOnLineOne) {
  form.Picture1_Click();
  form.ImageEdit_Click();
  EXPECT_EQ(BoxesShown(), 8);
  EXPECT_TRUE(EditorButtonsShown());
  EXPECT_EQ(form.ActiveControl(), &form.TextGreetings(1));
  // Whichever line was edited last, Customize starts on line 1 again.
  form.SetFocus(&form.TextGreetings(5));
  form.ImageEditCancel_Click();
  form.ImageEdit_Click();
  EXPECT_EQ(form.ActiveControl(), &form.TextGreetings(1));
}

TEST_F(GreetingEditorTest, CancelHidesTheBoxesAndKeepsTheEditedText) {
  SetLines({"", "", "Season's Greetings", "", "", "", "", ""});
  form.Picture1_Click();
  form.ImageEdit_Click();
  Type("Dear Ann");
  form.ImageEditCancel_Click();
  EXPECT_EQ(BoxesShown(), 0);
  EXPECT_TRUE(NormalButtonsShown());
  EXPECT_TRUE(form.PictureMenu.Visible());
  form.ImageEdit_Click();
  EXPECT_EQ(Lines()[0], "Dear Ann");
  EXPECT_EQ(Lines()[2], "Season's Greetings");
}

TEST_F(GreetingEditorTest, UpdateCardHidesTheStripAndWritesTheCopyWithTheBoxesShown) {
  testing::WriteBytes(folder.File("Frostmail.exe"), testing::Bytes(1000, 0));
  form.Picture1_Click();
  form.ImageEdit_Click();
  Type("From us");
  EXPECT_TRUE(Ends([&] { form.ImageEditSave_Click(); }));
  EXPECT_FALSE(form.PictureMenu.Visible());
  EXPECT_EQ(BoxesShown(), 8);
  EXPECT_EQ(card.platform.os.opened_files, std::vector<std::string>{folder.File("Frost_Mail.exe")});
  const testing::Bytes copy = testing::ReadBytes(folder.File("Frost_Mail.exe"));
  EXPECT_EQ(std::string(copy.end() - 501, copy.end() - 494), "From us");
}

TEST_F(GreetingEditorTest, TheFortyFirstCharacterOfANarrowLineIsRefused) {
  form.ImageEdit_Click();
  ASSERT_LT(PixelWidth(std::string(41, 'i')), BoxPixelWidth());
  EXPECT_EQ(TypeUntilRefused("i"), 40);
  EXPECT_EQ(form.TextGreetings(1).Text(), std::string(40, 'i'));
  // Pasting is refused as well.
  card.backend.SetClipboardText("more");
  card.backend.Push(KeyDownEvent{Key::Other, kControl, 'v'});
  card.app.DoEvents();
  EXPECT_EQ(form.TextGreetings(1).Text(), std::string(40, 'i'));
}

TEST_F(GreetingEditorTest, AWideLineStopsAtTheBoxWidthAndTakesInputAgainAfterADeletion) {
  form.ImageEdit_Click();
  const int accepted = TypeUntilRefused("W");
  ASSERT_GT(accepted, 1);
  ASSERT_LT(accepted, 40) << "the box must fill up before the field does";
  const std::string line = form.TextGreetings(1).Text();
  // The character that made the line reach the box's width stayed; nothing after it.
  EXPECT_GE(PixelWidth(line), BoxPixelWidth());
  EXPECT_LT(PixelWidth(line.substr(0, line.size() - 1)), BoxPixelWidth());
  Backspace();
  EXPECT_EQ(TypeUntilRefused("W"), 1);
  EXPECT_EQ(form.TextGreetings(1).Text(), line);
}

TEST_F(GreetingEditorTest, CharactersTheCardCannotStoreAreRefusedAtInputTheRestIsKept) {
  form.ImageEdit_Click();
  Type("日本 ok");
  EXPECT_EQ(form.TextGreetings(1).Text(), " ok");
  form.TextGreetings(1).SetText("");
  card.backend.SetClipboardText("日本 ok €");
  card.backend.Push(KeyDownEvent{Key::Other, kControl, 'v'});
  card.app.DoEvents();
  EXPECT_EQ(form.TextGreetings(1).Text(), " ok €");
  // Control characters, also those 1252 would store in its five undefined bytes.
  for (const char* control : {"\a", "\x1B", "\u0085", "\u009D"}) {
    Type(control);
    EXPECT_EQ(form.TextGreetings(1).Text(), " ok €") << "typed " << int{control[0]};
  }
  testing::WriteBytes(folder.File("Frostmail.exe"), testing::Bytes(1000, 0));
  EXPECT_TRUE(Ends([&] { form.ImageEditSave_Click(); }));
  EXPECT_TRUE(card.platform.window.message_boxes.empty());
  const testing::Bytes copy = testing::ReadBytes(folder.File("Frost_Mail.exe"));
  EXPECT_EQ(std::string(copy.end() - 501, copy.end() - 496), " ok \x80");
}

}  // namespace
}  // namespace frost
