// Reading the greeting lines from the data area at the end of the program file.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "effects/effects_probe.h"
#include "personalise/greeting_area.h"
#include "personalise_fixture.h"

namespace frost {
namespace {

class GreetingsStoreTest : public testing::PersonaliseTest {
 protected:
  GreetingsStoreTest() {
    // The editor's change handler yields once per change; these tests count the reader's own.
    for (int k = 1; k <= 8; ++k) form.TextGreetings(k).Change = nullptr;
  }
  // A program file: some bytes of code, then `area`.
  void WriteProgram(const testing::Bytes& area, const std::string& name = "Frostmail.exe") {
    testing::Bytes bytes(3000);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    bytes.insert(bytes.end(), area.begin(), area.end());
    testing::WriteBytes(folder.File(name), bytes);
  }
  GreetingLines Read() {
    GreetingLines lines;
    for (int k = 1; k <= 8; ++k) lines[k - 1] = form.TextGreetings(k).Text();
    return lines;
  }
};

TEST_F(GreetingsStoreTest, DeliveredFileYieldsItsOwnDefaultLines) {
  WriteProgram(MakeGreetingArea(DefaultGreetingLines()));
  form.greetingsStore.ReadStoredGreetings();  // from the file itself, no defaults applied
  EXPECT_EQ(Read(), (GreetingLines{"", "", "Season's Greetings", "Merry Christmas",
                                   "Happy New Year", "Love Peace Joy", "", ""}));
}

TEST_F(GreetingsStoreTest, StoredLinesReplaceTheDefaults) {
  const GreetingLines stored{"Dear Ann,", "", "all the best", "", "", "", "", "from Bo"};
  WriteProgram(MakeGreetingArea(stored));
  form.greetingsStore.LoadGreetings();
  EXPECT_EQ(Read(), stored);
}

TEST_F(GreetingsStoreTest, AllFieldsEmptyGiveTheFourDefaultLines) {
  WriteProgram(MakeGreetingArea(GreetingLines{}));
  form.greetingsStore.ReadStoredGreetings();
  EXPECT_EQ(Read(), GreetingLines{});
  form.greetingsStore.LoadGreetings();
  EXPECT_EQ(Read(), DefaultGreetingLines());
}

TEST_F(GreetingsStoreTest, OneStoredLineAloneAddsNoDefaults) {
  GreetingLines stored{};
  stored[7] = "Only the last";
  WriteProgram(MakeGreetingArea(stored));
  form.greetingsStore.LoadGreetings();
  EXPECT_EQ(Read(), stored);
}

TEST_F(GreetingsStoreTest, MissingFileGivesTheDefaults) {
  testing::YieldCounter yields(card.app);
  form.greetingsStore.LoadGreetings();
  EXPECT_EQ(yields.Count(), 0);
  EXPECT_EQ(Read(), DefaultGreetingLines());
}

TEST_F(GreetingsStoreTest, ARenamedCardShowsItsOwnLines) {
  GreetingLines stored{};
  stored[0] = "Saved as a download";
  WriteProgram(MakeGreetingArea(stored), "Frostmail (1).exe");
  WriteProgram(MakeGreetingArea(GreetingLines{"Another card"}));  // "Frostmail.exe" beside it
  card.platform.os.SetProgramPath(folder.File("Frostmail (1).exe"));
  form.greetingsStore.LoadGreetings();
  EXPECT_EQ(Read(), stored);
}

TEST_F(GreetingsStoreTest, FullFieldIsReadWholeWithoutTheNextFieldOrTheTail) {
  GreetingLines stored{};
  stored[0] = std::string(40, 'A');
  stored[1] = "Next";
  stored[7] = std::string(40, 'H');
  std::vector<std::uint8_t> area = MakeGreetingArea(stored);
  std::fill(area.end() - 181, area.end(), 'T');  // a tail that is no text
  WriteProgram(area);
  form.greetingsStore.ReadStoredGreetings();
  EXPECT_EQ(form.TextGreetings(1).Text(), std::string(40, 'A'));
  EXPECT_EQ(form.TextGreetings(2).Text(), "Next");
  EXPECT_EQ(form.TextGreetings(8).Text(), std::string(40, 'H'));
}

TEST_F(GreetingsStoreTest, LineEndsAtItsFirstNul) {
  GreetingLines stored{};
  stored[2] = std::string("Joy\0xyz", 7);
  WriteProgram(MakeGreetingArea(stored));
  form.greetingsStore.ReadStoredGreetings();
  EXPECT_EQ(form.TextGreetings(3).Text(), "Joy");
}

TEST_F(GreetingsStoreTest, TildeInAnyLineIsJustACharacter) {
  for (int k = 0; k < 8; ++k) {
    GreetingLines stored{};
    stored[k] = "Hi ~ there";
    WriteProgram(MakeGreetingArea(stored));
    form.greetingsStore.ReadStoredGreetings();
    EXPECT_EQ(Read(), stored) << "line " << k + 1;
  }
  const GreetingLines several{"~", "a~b", "", "~~~~", "", std::string(40, '~'), "end ~", "~ start"};
  WriteProgram(MakeGreetingArea(several));
  form.greetingsStore.ReadStoredGreetings();
  EXPECT_EQ(Read(), several);
}

// Files whose byte 502 before the end is no "~" are read as the card always read them: the "~"
// nearest the end is the marker.
class MisplacedMarkerTest : public GreetingsStoreTest {
 protected:
  void WriteWithoutMarkerAtItsPlace(const GreetingLines& stored) {
    std::vector<std::uint8_t> area = MakeGreetingArea(stored);
    area[0] = 'x';
    WriteProgram(area);
  }
};

TEST_F(MisplacedMarkerTest, TheTildeNearestTheEndShiftsTheFields) {
  // The "~" opens field 2, so reading starts one byte into each field from there on: seven
  // windows of 40 bytes fit before the bound, box 8 is left alone.
  WriteWithoutMarkerAtItsPlace({"First", "~Second", "Xthird", "Yfourth", "", "", "", "Zlast"});
  form.TextGreetings(8).SetText("kept");
  form.greetingsStore.ReadStoredGreetings();
  EXPECT_EQ(Read(), (GreetingLines{"Second", "third", "fourth", "", "", "", "last", "kept"}));
}

TEST_F(MisplacedMarkerTest, TildeTooNearTheEndLeavesNoFieldToRead) {
  // The "~" lies 183 bytes before the end.
  WriteWithoutMarkerAtItsPlace(
      {"One", "Two", "Three", "Four", "Five", "Six", "Seven", std::string(38, 'e') + "~"});
  form.greetingsStore.LoadGreetings();
  EXPECT_EQ(Read(), DefaultGreetingLines());
}

TEST_F(MisplacedMarkerTest, TildeOneByteFurtherFromTheEndReadsOneFieldIntoTheTail) {
  GreetingLines stored{};
  stored[7] = std::string(37, 'e') + "~AB";  // the "~" lies 184 bytes before the end
  WriteWithoutMarkerAtItsPlace(stored);
  form.TextGreetings(2).SetText("kept");
  form.greetingsStore.ReadStoredGreetings();
  EXPECT_EQ(form.TextGreetings(1).Text(), "AB");
  EXPECT_EQ(form.TextGreetings(2).Text(), "kept");
}

TEST_F(GreetingsStoreTest, FileWithoutMarkerGivesTheDefaults) {
  std::vector<std::uint8_t> area =
      MakeGreetingArea(GreetingLines{"Lost", "", "", "", "", "", "", ""});
  area[0] = 0;
  WriteProgram(area);
  form.greetingsStore.LoadGreetings();
  EXPECT_EQ(Read(), DefaultGreetingLines());
}

TEST_F(GreetingsStoreTest, FileShorterThanTheAreaIsReadWithoutFailing) {
  // Reads before the first byte fail and are skipped.
  std::ofstream(folder.File("Frostmail.exe"), std::ios::binary) << "short, no marker";
  form.greetingsStore.LoadGreetings();
  EXPECT_EQ(Read(), DefaultGreetingLines());
}

TEST_F(GreetingsStoreTest, HighBytesAreWindows1252Characters) {
  GreetingLines stored{};
  stored[0] = "Caf\xE9 \x80 5";
  stored[1] = "\x93Joyeux No\xEBl\x94 \x85";
  stored[2] =
      "Gr\xFC\xDF"
      "e \x8A\x9F";
  WriteProgram(MakeGreetingArea(stored));
  form.greetingsStore.ReadStoredGreetings();
  EXPECT_EQ(form.TextGreetings(1).Text(), "Café € 5");
  EXPECT_EQ(form.TextGreetings(2).Text(), "“Joyeux Noël” …");
  EXPECT_EQ(form.TextGreetings(3).Text(), "Grüße ŠŸ");
}

}  // namespace
}  // namespace frost
