// `frostcard greetings` reads and writes a card file's lines through the card's own reader and
// "Update Card" writer.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/commands.h"
#include "support/temp_folder.h"

namespace frost {
namespace {

const std::string kBuild = FROST_BINARY_DIR;

testing::CommandResult Greetings(const std::string& arguments) {
  return testing::RunCapturing(kBuild + "/frostcard greetings " + arguments + " 2>/dev/null");
}

class FrostcardGreetingsTest : public ::testing::Test {
 protected:
  FrostcardGreetingsTest() { std::filesystem::copy_file(kBuild + "/Frostmail.exe", card); }
  testing::TempFolder folder;
  std::string card = folder.File("card.exe");
};

TEST_F(FrostcardGreetingsTest, TheBuiltCardShowsItsFourDefaultLines) {
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
  EXPECT_EQ(Greetings(card).output.substr(0, 2), "\n\n");  // nothing was written
}

}  // namespace
}  // namespace frost
