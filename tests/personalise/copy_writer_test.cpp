// "Update Card" on the headless platform: real files in a temporary folder, the started copy and
// the message boxes recorded, the virtual clock for the waits.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
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
  CopyWriterTest() { form.handOver.TimeLimit = 2; }

  std::string Card() const { return folder.File("Frostmail.exe"); }
  std::string Copy() const { return folder.File("Frost_Mail.exe"); }
  bool Update() {
    return Ends([&] { form.copyWriter.UpdateCard(); });
  }
  // What the next start does: the copy takes the card's name and reads its lines.
  std::vector<std::string> LinesReadBackFromTheCopy() {
    fs::rename(Copy(), Card());
    SetLines({"-", "-", "-", "-", "-", "-", "-", "-"});
    form.greetingsStore.ReadStoredGreetings();
    return Lines();
  }

  // The names in the program folder: no partial or temporary file may stay behind.
  // The names in the folder, apart from the guard's lock file where the guard is one.
  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.Path())) {
      if (entry.path().filename() != testing::TempFolder::kGuardFile)
        names.push_back(entry.path().filename().string());
    }
    std::ranges::sort(names);
    return names;
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
  EXPECT_TRUE(card.platform.window.message_boxes.empty());
}

TEST_F(CopyWriterTest, StartsTheCopyWithTheGuardReleasedStopsTheMusicAndEnds) {
  card.platform.os.SetInstanceGuard(folder.InstanceGuard());
  ASSERT_TRUE(card.platform.os.AcquireSingleInstance());
  WriteBytes(Card(), program);
  EXPECT_TRUE(Update());
  EXPECT_EQ(card.platform.os.opened_files, std::vector<std::string>{Copy()});
  HeadlessOs startedCopy;
  startedCopy.SetInstanceGuard(folder.InstanceGuard());
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
  form.greetingsStore.LoadGreetings();
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

TEST_F(CopyWriterTest, CharacterOutsideTheCodePageStopsBeforeAnythingIsWritten) {
  WriteBytes(Card(), program);
  SetLines({"", "Snow \u2603 day", "", "", "", "", "", "last"});
  EXPECT_FALSE(Update());
  ASSERT_EQ(card.platform.window.message_boxes.size(), 1u);
  EXPECT_THAT(card.platform.window.message_boxes[0].text, ::testing::HasSubstr("greeting line 2"));
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"Frostmail.exe"});
  EXPECT_TRUE(card.platform.os.opened_files.empty());
  EXPECT_EQ(Lines()[1], "Snow \u2603 day");
}

TEST_F(CopyWriterTest, LineLongerThanItsFieldStopsThereAndLeavesTheTail) {
  // The editor keeps lines to 40 characters; the program can set longer ones.
  WriteBytes(Card(), program);
  SetLines({"", "", "", "", "", "", "", std::string(45, 'L')});
  EXPECT_TRUE(Update());
  EXPECT_TRUE(SameBytes(ReadBytes(Copy()),
                        Personalised(program, {"", "", "", "", "", "", "", std::string(40, 'L')})));
}

TEST_F(CopyWriterTest, WithoutTheCardFileItSaysSoOnceAndStaysOpen) {
  form.TextGreetings(1).SetVisible(true);  // the editor is open
  SetLines({"typed", "", "", "", "", "", "", ""});
  EXPECT_FALSE(Update());
  ASSERT_EQ(card.platform.window.message_boxes.size(), 1u);
  EXPECT_THAT(card.platform.window.message_boxes[0].text, ::testing::HasSubstr(Card()));
  EXPECT_EQ(card.platform.window.message_boxes[0].caption, "Frostmail");
  EXPECT_TRUE(card.platform.os.opened_files.empty());
  EXPECT_TRUE(FolderNames().empty());
  EXPECT_TRUE(form.TextGreetings(1).Visible());
  EXPECT_EQ(Lines()[0], "typed");
}

TEST_F(CopyWriterTest, ARenamedCardCopiesItselfNotAnotherFrostmailFile) {
  const std::string renamed = folder.File("Card for Mum.exe");
  card.platform.os.SetProgramPath(renamed);
  WriteBytes(renamed, program);
  WriteBytes(Card(), Bytes(600, 'x'));  // someone else's file under the usual name
  SetLines({"Mum", "", "", "", "", "", "", ""});
  EXPECT_TRUE(Update());
  EXPECT_TRUE(
      SameBytes(ReadBytes(Copy()), Personalised(program, {"Mum", "", "", "", "", "", "", ""})));
}

// The writer yields after every character; a double-click then ends the card at once, and what
// was written so far never appears under the copy's name.
TEST_F(CopyWriterTest, EndingTheCardWhileTheLinesAreWrittenLeavesNoCopy) {
  WriteBytes(Card(), program);
  SetLines({std::string(40, 'a'), "", "", "", "", "", "", ""});
  const double at = card.app.Now() + 0.001;
  card.backend.Push(MouseDownEvent{{100, 100}}, at);
  card.backend.Push(MouseUpEvent{{100, 100}}, at);
  card.backend.Push(MouseDownEvent{{100, 100}, MouseButton::Left, 2}, at);
  card.backend.Push(MouseUpEvent{{100, 100}}, at);
  EXPECT_TRUE(Update());
  EXPECT_TRUE(card.platform.os.opened_files.empty());
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"Frostmail.exe"});
}

TEST_F(CopyWriterTest, AStaleCopyIsReplacedAndNeverStarted) {
  WriteBytes(Card(), program);
  WriteBytes(Copy(), Personalised(program, {"stale", "", "", "", "", "", "", ""}));
  fs::permissions(Copy(), fs::perms::owner_read);
  SetLines({"fresh", "", "", "", "", "", "", ""});
  EXPECT_TRUE(Update());
  EXPECT_TRUE(
      SameBytes(ReadBytes(Copy()), Personalised(program, {"fresh", "", "", "", "", "", "", ""})));
  EXPECT_TRUE(card.platform.window.message_boxes.empty());
}

TEST_F(CopyWriterTest, AStaleCopyIsNotStartedWhenTheCardCannotBeCopied) {
  const Bytes stale = Personalised(program, {"stale", "", "", "", "", "", "", ""});
  WriteBytes(Copy(), stale);
  SetLines({"fresh", "", "", "", "", "", "", ""});
  EXPECT_FALSE(Update());
  EXPECT_EQ(card.platform.window.message_boxes.size(), 1u);
  EXPECT_TRUE(card.platform.os.opened_files.empty());
  EXPECT_TRUE(SameBytes(ReadBytes(Copy()), stale));
}

struct Fault {
  const char* name;
  std::function<void(FileFaults&)> apply;
  const char* why;     // what the one message box says
  bool copy_in_place;  // only a failed start leaves the finished copy
};

void PrintTo(const Fault& fault, std::ostream* out) {
  *out << fault.name;
}

// Each fault stops "Update Card" with one message box. The card stays open where the user was,
// and the folder holds the card untouched and, at most, a complete copy with the new lines.
class CopyWriterFaultTest : public CopyWriterTest, public ::testing::WithParamInterface<Fault> {};

TEST_P(CopyWriterFaultTest, LeavesTheCardWholeTheEditorOpenAndOneMessage) {
  card.platform.os.SetInstanceGuard(folder.InstanceGuard());
  ASSERT_TRUE(card.platform.os.AcquireSingleInstance());
  WriteBytes(Card(), program);
  form.ImageEdit_Click();
  SetLines({"new lines", "", "", "", "", "", "", ""});
  GetParam().apply(card.platform.os.faults);

  EXPECT_FALSE(Update());

  ASSERT_EQ(card.platform.window.message_boxes.size(), 1u);
  EXPECT_THAT(card.platform.window.message_boxes[0].text, ::testing::HasSubstr(GetParam().why));
  EXPECT_THAT(card.platform.window.message_boxes[0].text, ::testing::HasSubstr("stays open"));
  EXPECT_TRUE(card.platform.os.opened_files.empty());
  EXPECT_TRUE(form.TextGreetings(1).Visible());
  EXPECT_EQ(Lines()[0], "new lines");
  EXPECT_TRUE(SameBytes(ReadBytes(Card()), program));
  if (GetParam().copy_in_place) {
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"Frost_Mail.exe", "Frostmail.exe"}));
    EXPECT_EQ(LinesReadBackFromTheCopy()[0], "new lines");
  } else {
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"Frostmail.exe"});
  }
  HeadlessOs secondCard;
  secondCard.SetInstanceGuard(folder.InstanceGuard());
  EXPECT_FALSE(secondCard.AcquireSingleInstance()) << "the open card holds its guard again";
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CopyWriterFaultTest,
    ::testing::Values(
        Fault{"NoSpaceLeft", [](FileFaults& f) { f.space_for_bytes = 1500; },
              "No space left on device", false},
        Fault{"WriteFailsInTheArea", [](FileFaults& f) { f.failing_byte_write = 5; },
              "Input/output error", false},
        Fault{"PeerHoldsTheCopy", [](FileFaults& f) { f.refused_renames = 1; }, "busy", false},
        Fault{"StartFails", [](FileFaults& f) { f.start_result = 5; }, "access denied", true}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace frost
