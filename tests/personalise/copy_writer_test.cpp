// "Update Card" on the headless platform: real files in a temporary folder, the started copy and
// the message boxes recorded, the virtual clock for the waits.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "personalise_fixture.h"

namespace frost {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::ReadBytes;
using testing::WriteBytes;

// A program file: code bytes, then an old area whose fields are full and whose tail is no text.
Bytes ProgramWithOldArea() {
  Bytes bytes(3000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
  bytes.push_back('~');
  bytes.insert(bytes.end(), 320, 'X');
  for (int i = 0; i < 181; ++i) bytes.push_back(static_cast<std::uint8_t>(0x80 + i % 50));
  return bytes;
}

// `program` as the personalised copy must be: "~" 502 bytes before the end, then line k
// (single-byte text) NUL-padded in the 40 bytes from 501 - 40 (k - 1) bytes before the end.
Bytes Personalised(Bytes program, const std::vector<std::string>& ansiLines) {
  const std::size_t length = program.size();
  program[length - 502] = '~';
  for (std::size_t k = 0; k < 8; ++k) {
    const auto field = program.begin() + static_cast<std::ptrdiff_t>(length - 501 + 40 * k);
    std::fill_n(field, 40, 0);
    std::copy(ansiLines[k].begin(), ansiLines[k].end(), field);
  }
  return program;
}

::testing::AssertionResult SameBytes(const Bytes& actual, const Bytes& expected) {
  if (actual.size() != expected.size()) {
    return ::testing::AssertionFailure()
           << "length " << actual.size() << ", expected " << expected.size();
  }
  const auto [a, e] = std::ranges::mismatch(actual, expected);
  if (a == actual.end())
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "first difference " << (actual.end() - a) << " bytes before the end: " << int{*a}
         << ", expected " << int{*e};
}

class CopyWriterTest : public testing::PersonaliseTest {
 protected:
  CopyWriterTest() { form.HandOverTimeLimit = 2; }

  std::string Card() const { return folder.File("Frostmail.exe"); }
  std::string Copy() const { return folder.File("Frost_Mail.exe"); }
  bool Update() {
    return Ends([&] { form.UpdateCard(); });
  }
  // What the next start does: the copy takes the card's name and reads its lines.
  std::vector<std::string> LinesReadBackFromTheCopy() {
    fs::rename(Copy(), Card());
    SetLines({"-", "-", "-", "-", "-", "-", "-", "-"});
    form.ReadStoredGreetings();
    return Lines();
  }

  const Bytes program = ProgramWithOldArea();
};

TEST_F(CopyWriterTest, CopyCarriesTheLinesAndEveryOtherByteAsCopied) {
  WriteBytes(Card(), program);
  SetLines({"Dear Ann,", std::string(40, 'W'), "", "Caf\u00e9 \u20ac5", "", "", "", "from Bo"});
  EXPECT_TRUE(Update());
  EXPECT_TRUE(
      SameBytes(ReadBytes(Copy()), Personalised(program, {"Dear Ann,", std::string(40, 'W'), "",
                                                          "Caf\xE9 \x80"
                                                          "5",
                                                          "", "", "", "from Bo"})));
  EXPECT_TRUE(SameBytes(ReadBytes(Card()), program)) << "the running card's file is not touched";
  EXPECT_TRUE(card.platform.message_boxes.empty());
}

TEST_F(CopyWriterTest, StartsTheCopyWithTheGuardReleasedStopsTheMusicAndEnds) {
  card.platform.SetLockPath(folder.File("instance.lock"));
  ASSERT_TRUE(card.platform.AcquireSingleInstance());
  WriteBytes(Card(), program);
  EXPECT_TRUE(Update());
  EXPECT_EQ(card.platform.opened_files, std::vector<std::string>{Copy()});
  RecordingSound otherSound;
  HeadlessPlatform startedCopy(otherSound);
  startedCopy.SetLockPath(folder.File("instance.lock"));
  EXPECT_TRUE(startedCopy.AcquireSingleInstance());
  ASSERT_FALSE(card.sound.mci_commands.empty());
  EXPECT_EQ(card.sound.mci_commands.front().rfind("close", 0), 0u);
}

TEST_F(CopyWriterTest, EightEmptyLinesLeaveZeroFieldsAndGiveTheDefaultsOnReading) {
  WriteBytes(Card(), program);
  SetLines({"", "", "", "", "", "", "", ""});
  EXPECT_TRUE(Update());
  const Bytes copy = ReadBytes(Copy());
  EXPECT_TRUE(SameBytes(copy, Personalised(program, std::vector<std::string>(8))));
  EXPECT_EQ(LinesReadBackFromTheCopy(), std::vector<std::string>(8));
  form.LoadGreetings();
  EXPECT_EQ(Lines()[2], "Season's Greetings");
}

TEST_F(CopyWriterTest, LinesComeBackAsTypedWhenTheCopyIsRead) {
  WriteBytes(Card(), program);
  const std::vector<std::string> typed{"Dear Ann,", std::string(39, 'a') + "\u00e9",
                                       "",          "\u201cMerry\u201d \u2014 \u20ac5 \u2026",
                                       "",          "Gr\u00fc\u00dfe",
                                       "",          "from Bo"};
  SetLines(typed);
  EXPECT_TRUE(Update());
  EXPECT_EQ(LinesReadBackFromTheCopy(), typed);
}

TEST_F(CopyWriterTest, CharacterOutsideTheCodePageIsReportedLeftZeroAndEndsTheLine) {
  WriteBytes(Card(), program);
  SetLines({"", "Snow \u2603 day", "", "", "", "", "", "last"});
  EXPECT_TRUE(Update());
  ASSERT_EQ(card.platform.message_boxes.size(), 1u);
  EXPECT_EQ(card.platform.message_boxes[0].caption, "Frostmail");
  EXPECT_FALSE(card.platform.message_boxes[0].text.empty());
  EXPECT_TRUE(SameBytes(
      ReadBytes(Copy()),
      Personalised(program, {"", std::string("Snow \0 day", 10), "", "", "", "", "", "last"})));
  EXPECT_EQ(card.platform.opened_files, std::vector<std::string>{Copy()});
  const auto lines = LinesReadBackFromTheCopy();
  EXPECT_EQ(lines[1], "Snow ");
  EXPECT_EQ(lines[7], "last");
}

TEST_F(CopyWriterTest, LineLongerThanItsFieldStopsThereAndLeavesTheTail) {
  // The editor keeps lines to 40 characters; the program can set longer ones.
  WriteBytes(Card(), program);
  SetLines({"", "", "", "", "", "", "", std::string(45, 'L')});
  EXPECT_TRUE(Update());
  EXPECT_TRUE(SameBytes(ReadBytes(Copy()),
                        Personalised(program, {"", "", "", "", "", "", "", std::string(40, 'L')})));
}

TEST_F(CopyWriterTest, WithoutTheCardFileItSaysSoAfterABoundedWaitAndStaysOpen) {
  form.TextGreetings(1).SetVisible(true);  // the editor is open
  SetLines({"typed", "", "", "", "", "", "", ""});
  const double start = card.app.Now();
  EXPECT_FALSE(Update());
  EXPECT_GE(card.app.Now() - start, 2.0);
  EXPECT_LT(card.app.Now() - start, 3.0);
  ASSERT_EQ(card.platform.message_boxes.size(), 2u) << "the failed copy, then the wait given up";
  EXPECT_EQ(card.platform.message_boxes[0].caption, "Frostmail");
  EXPECT_NE(card.platform.message_boxes[1].text.find(Copy()), std::string::npos);
  EXPECT_EQ(card.platform.message_boxes[1].caption, "Frostmail");
  EXPECT_TRUE(card.platform.opened_files.empty());
  EXPECT_FALSE(fs::exists(Copy()));
  EXPECT_FALSE(card.app.Ended());
  EXPECT_TRUE(form.TextGreetings(1).Visible());
  EXPECT_EQ(Lines()[0], "typed");
}

TEST_F(CopyWriterTest, TheWaitServesEventsSoADoubleClickStillEndsTheCard) {
  const double at = card.app.Now() + 1;
  card.backend.Push(MouseDownEvent{{100, 100}}, at);
  card.backend.Push(MouseUpEvent{{100, 100}}, at);
  card.backend.Push(MouseDownEvent{{100, 100}, MouseButton::Left, 2}, at);
  card.backend.Push(MouseUpEvent{{100, 100}}, at);
  EXPECT_TRUE(Update());
  EXPECT_LT(card.app.Now(), at + 1);
  EXPECT_TRUE(card.platform.opened_files.empty());
}

TEST_F(CopyWriterTest, AnOlderCopyIsPersonalisedWhenTheCardCannotBeCopied) {
  WriteBytes(Copy(), program);
  SetLines({"older copy", "", "", "", "", "", "", ""});
  EXPECT_TRUE(Update());
  EXPECT_EQ(card.platform.message_boxes.size(), 1u);
  EXPECT_TRUE(SameBytes(ReadBytes(Copy()),
                        Personalised(program, {"older copy", "", "", "", "", "", "", ""})));
  EXPECT_EQ(card.platform.opened_files, std::vector<std::string>{Copy()});
}

// Refuses to open any file for writing, as a copy in use or denied would.
class RefusingPlatform : public HeadlessPlatform {
 public:
  using HeadlessPlatform::HeadlessPlatform;
  std::unique_ptr<BinaryFile> OpenBinary(const std::string& path, FileMode mode) override {
    if (mode == FileMode::ReadWrite)
      throw RuntimeError(error::kPermissionDenied, "Permission denied: " + path);
    return HeadlessPlatform::OpenBinary(path, mode);
  }
};

TEST(CopyWriterOpenTest, CopyThatCannotBeOpenedIsReportedOnceAndStartedUnchanged) {
  testing::TempFolder folder;
  HeadlessBackend backend;
  Random random{1};
  Application app(backend, random);
  RecordingSound sound;
  RefusingPlatform platform(sound);
  Form1 form(app, platform);
  form.ProgramFolder = folder.Path().string();
  form.greetingPanel.LayoutGreetingBoxes();
  form.TextGreetings(1).SetText("lost");
  const Bytes program = ProgramWithOldArea();
  WriteBytes(folder.File("Frostmail.exe"), program);
  EXPECT_THROW(form.UpdateCard(), EndProgram);
  ASSERT_EQ(platform.message_boxes.size(), 1u);
  EXPECT_NE(platform.message_boxes[0].text.find("Permission denied"), std::string::npos);
  EXPECT_TRUE(SameBytes(ReadBytes(folder.File("Frost_Mail.exe")), program));
  EXPECT_EQ(platform.opened_files, std::vector<std::string>{folder.File("Frost_Mail.exe")});
}

}  // namespace
}  // namespace frost
