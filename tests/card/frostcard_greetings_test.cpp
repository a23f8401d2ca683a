// `frostcard greetings` reads and writes a card file's lines through the card's own reader and
// "Update Card" writer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "personalise/greeting_area.h"
#include "support/commands.h"
#include "support/temp_folder.h"

namespace frost {
namespace {

const std::string kBuild = FROST_BINARY_DIR;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Runs `frostcard greetings`, under `wrapper` (e.g. strace injecting failures) when given.
testing::CommandResult Greetings(const std::string& arguments, const std::string& wrapper = "") {
  return testing::RunCapturing(wrapper + " " + kBuild + "/frostcard greetings " + arguments +
                               " 2>/dev/null");
}

class FrostcardGreetingsTest : public ::testing::Test {
 protected:
  FrostcardGreetingsTest() { std::filesystem::copy_file(kBuild + "/Frostmail.exe", card); }
  std::size_t FolderSize() const {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(folder.Path()), {}));
  }

  testing::TempFolder folder;
  std::string card = folder.File("card.exe");
};

TEST_F(FrostcardGreetingsTest, TheBuiltCardShowsItsFourDefaultLines) {
  // The build appends the area with a script of its own; byte for byte the card's layout.
  const std::string bytes = ReadFile(card);
  const auto area = MakeGreetingArea(DefaultGreetingLines());
  ASSERT_GT(bytes.size(), area.size());
  EXPECT_EQ(bytes.substr(bytes.size() - area.size()), std::string(area.begin(), area.end()));
  const testing::CommandResult result = Greetings(card);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output,
            "\n\nSeason's Greetings\nMerry Christmas\nHappy New Year\nLove Peace Joy\n\n\n");
}

TEST_F(FrostcardGreetingsTest, LinesWrittenAreReadBackAndTheCardKeepsItsSize) {
  const auto size = std::filesystem::file_size(card);
  ASSERT_EQ(Greetings(card + " --set 1 'Für Anna' --set 6 ''").status, 0);
  EXPECT_EQ(std::filesystem::file_size(card), size);
  EXPECT_EQ(Greetings(card).output,
            "Für Anna\n\nSeason's Greetings\nMerry Christmas\nHappy New Year\n\n\n\n");
  EXPECT_NE(std::filesystem::status(card).permissions() & std::filesystem::perms::owner_exec,
            std::filesystem::perms::none);
}

TEST_F(FrostcardGreetingsTest, LinesTheCardCannotStoreAreRefusedWithExitCode2) {
  EXPECT_EQ(Greetings(card + " --set 9 x").status, 2);
  EXPECT_EQ(Greetings(card + " --set 1 '" + std::string(41, 'x') + "'").status, 2);
  EXPECT_EQ(Greetings(card + " --set 1 'snow ☃'").status, 2);
  EXPECT_EQ(Greetings(card + " --set 1").status, 2);
  EXPECT_EQ(Greetings(card + " --set 1 \"$(printf 'red \\033[31m')\"").status, 2);
  EXPECT_EQ(Greetings(card + " --set 1 \"$(printf 'two\\nlines')\"").status, 2);
  EXPECT_EQ(Greetings(card).output.substr(0, 2), "\n\n");  // nothing was written
}

// A write that fails mid-way, a failing flush, or the tool killed while it writes: the card stays
// byte for byte as it was, and no partial file is left beside it (none can be cleaned up after a
// kill).
TEST_F(FrostcardGreetingsTest, AWriteFailingMidWayLeavesTheCardAsItWas) {
  const std::string before = ReadFile(card);
  for (const std::string inject :
       {"pwrite64:error=ENOSPC:when=3", "fsync:error=EIO", "pwrite64:signal=KILL:when=3"}) {
    const testing::CommandResult result =
        Greetings(card + " --set 1 'lost'", "strace -f -o /dev/null -e inject=" + inject);
    EXPECT_NE(result.status, 0) << inject;
    EXPECT_EQ(ReadFile(card), before) << inject;
    if (inject.find("KILL") == std::string::npos) {
      EXPECT_EQ(FolderSize(), 1u) << inject;
    }
  }
}

TEST_F(FrostcardGreetingsTest, AFileThatIsNoCardIsRefusedAndLeftAlone) {
  for (const std::string& bytes : {std::string("tiny file!"), std::string(1000, 'x')}) {
    WriteFile(card, bytes);
    EXPECT_EQ(Greetings(card + " --set 1 x").status, 1);
    EXPECT_EQ(ReadFile(card), bytes);
    const testing::CommandResult read = Greetings(card);
    EXPECT_EQ(read.status, 1);
    EXPECT_EQ(read.output, "");
  }
}

TEST_F(FrostcardGreetingsTest, ControlBytesOfOlderCardsArePrintedEscaped) {
  std::string bytes = ReadFile(card);
  const std::string line = "a\x1b[31mb\nc\\d";
  bytes.replace(bytes.size() - 501, line.size(), line);
  WriteFile(card, bytes);
  const std::string output = Greetings(card).output;
  EXPECT_EQ(output.substr(0, output.find('\n')), R"(a\x1B[31mb\x0Ac\\d)");
}

}  // namespace
}  // namespace frost
