// The hand-over's own logic on the headless platform with the virtual clock: real files in a
// temporary folder, program starts and message boxes recorded. The same protocol between real
// processes is tested end to end by tests/e2e/hand_over_test.sh.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "personalise/greeting_area.h"
#include "startup/main_module.h"
#include "support/card_fixture.h"
#include "support/scoped_environment.h"
#include "support/temp_folder.h"

namespace frost {
namespace {

namespace fs = std::filesystem;

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A card file: some program bytes and a greeting area whose first line is `line`.
std::string Card(const std::string& line) {
  const auto area = MakeGreetingArea({line, "", "", "", "", "", "", ""});
  return std::string(3000, 'p') + std::string(area.begin(), area.end());
}
const std::string kOldCard = Card("old lines");
const std::string kNewCard = Card("new lines");

class HandOverTest : public ::testing::Test {
 protected:
  HandOverTest() {
    card.platform.os.SetInstanceGuard(folder.InstanceGuard());
    card.form.handOver.TimeLimit = 2;
  }
  // Runs the card as the given file of the folder; true when the load step ended the program.
  bool RunAs(const std::string& name) {
    card.platform.os.SetProgramPath(folder.File(name));
    try {
      Main(card.form);
    } catch (const EndProgram&) {
      return true;
    }
    return false;
  }

  // The names in the folder, apart from the guard's lock and the tune.
  std::vector<std::string> ProgramFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.Path())) {
      const std::string name = entry.path().filename().string();
      if (name != testing::TempFolder::kGuardFile && name != "mm.mid")
        names.push_back(name);
    }
    std::ranges::sort(names);
    return names;
  }

  testing::TempFolder folder;
  testing::ScopedEnvironment windir{"Windir", folder.Path().string()};
  testing::CardFixture card;
};

TEST_F(HandOverTest, CopyReplacesTheCardWithItselfStartsItAndEndsUnseen) {
  WriteFile(folder.File("Frostmail.exe"), kOldCard);
  WriteFile(folder.File("Frost_Mail.exe"), kNewCard);
  EXPECT_TRUE(RunAs("Frost_Mail.exe"));
  EXPECT_EQ(ReadFile(folder.File("Frostmail.exe")), kNewCard);
  EXPECT_EQ(card.platform.os.opened_files, std::vector<std::string>{folder.File("Frostmail.exe")});
  EXPECT_FALSE(card.backend.WindowVisible());
  // Only the load step's early stop; no music was started.
  EXPECT_EQ(card.sound.mci_commands, std::vector<std::string>{"close filename"});
  EXPECT_TRUE(card.platform.window.message_boxes.empty());
}

TEST_F(HandOverTest, RunNameIsComparedWithoutLetterCase) {
  WriteFile(folder.File("Frostmail.exe"), kOldCard);
  WriteFile(folder.File("FROST_MAIL.exe"), kNewCard);
  EXPECT_TRUE(RunAs("FROST_MAIL.exe"));
  EXPECT_EQ(ReadFile(folder.File("Frostmail.exe")), kNewCard);
}

TEST_F(HandOverTest, CopyThatCanNeverReplaceTheCardSaysSoAndKeepsBothFiles) {
  // A non-empty folder under the card's name cannot be deleted, even by root.
  fs::create_directory(folder.File("Frostmail.exe"));
  WriteFile(folder.File("Frostmail.exe") + "/keep", "x");
  WriteFile(folder.File("Frost_Mail.exe"), kNewCard);
  const double start = card.app.Now();
  EXPECT_TRUE(RunAs("Frost_Mail.exe"));
  EXPECT_GE(card.app.Now() - start, 2.0);
  ASSERT_EQ(card.platform.window.message_boxes.size(), 1u);
  EXPECT_NE(card.platform.window.message_boxes[0].text.find(folder.File("Frostmail.exe")),
            std::string::npos);
  EXPECT_EQ(card.platform.window.message_boxes[0].caption, "Frostmail");
  EXPECT_EQ(ReadFile(folder.File("Frost_Mail.exe")), kNewCard);
  EXPECT_TRUE(fs::exists(folder.File("Frostmail.exe") + "/keep"));
  EXPECT_TRUE(card.platform.os.opened_files.empty());
}

TEST_F(HandOverTest, NormalRunRemovesALeftoverCopyIdenticalToItselfAndShowsTheCard) {
  WriteFile(folder.File("Frostmail.exe"), kNewCard);
  WriteFile(folder.File("Frost_Mail.exe"), kNewCard);
  EXPECT_FALSE(RunAs("Frostmail.exe"));
  EXPECT_FALSE(fs::exists(folder.File("Frost_Mail.exe")));
  EXPECT_TRUE(card.backend.WindowVisible());
  EXPECT_EQ(card.backend.WindowTitle(), "Frostmail");
  std::vector<int> iconSizes;
  for (const CursorImage& image : card.backend.WindowIcon()) iconSizes.push_back(image.width);
  EXPECT_EQ(iconSizes, (std::vector<int>{16, 24, 32, 48}));
  EXPECT_TRUE(card.form.TimerMain.Enabled());
}

TEST_F(HandOverTest, NormalRunShowsTheCardEvenWhenTheLeftoverWillNotGo) {
  fs::create_directory(folder.File("Frost_Mail.exe"));
  WriteFile(folder.File("Frost_Mail.exe") + "/keep", "x");
  EXPECT_FALSE(RunAs("Frostmail.exe"));
  EXPECT_TRUE(card.form.TimerMain.Enabled());
  EXPECT_EQ(card.form.Sequencer().Current(), Phase::DrawSnow);
}

TEST_F(HandOverTest, SecondInstanceEndsAtOnceTouchingNothing) {
  HeadlessOs first;
  first.SetInstanceGuard(folder.InstanceGuard());
  ASSERT_TRUE(first.AcquireSingleInstance());
  WriteFile(folder.File("Frost_Mail.exe"), "copy");
  EXPECT_TRUE(RunAs("Frostmail.exe"));
  EXPECT_TRUE(fs::exists(folder.File("Frost_Mail.exe")));
  EXPECT_TRUE(card.sound.mci_commands.empty());
  EXPECT_FALSE(card.backend.WindowVisible());
  EXPECT_FALSE(fs::exists(folder.File("mm.mid")));
}

TEST_F(HandOverTest, TheGuardIsReleasedBeforeTheNextCardStarts) {
  WriteFile(folder.File("Frostmail.exe"), kOldCard);
  WriteFile(folder.File("Frost_Mail.exe"), kNewCard);
  EXPECT_TRUE(RunAs("Frost_Mail.exe"));
  // The card it started must be able to take the guard while this process is still ending.
  HeadlessOs next;
  next.SetInstanceGuard(folder.InstanceGuard());
  EXPECT_TRUE(next.AcquireSingleInstance());
}

TEST_F(HandOverTest, CopyBackThatRunsOutOfSpaceKeepsTheOldCardAndTheCopy) {
  WriteFile(folder.File("Frostmail.exe"), kOldCard);
  WriteFile(folder.File("Frost_Mail.exe"), kNewCard);
  card.platform.os.faults.space_for_bytes = 2000;
  EXPECT_TRUE(RunAs("Frost_Mail.exe"));
  EXPECT_EQ(ReadFile(folder.File("Frostmail.exe")), kOldCard);
  EXPECT_EQ(ReadFile(folder.File("Frost_Mail.exe")), kNewCard);
  EXPECT_EQ(ProgramFiles(), (std::vector<std::string>{"Frost_Mail.exe", "Frostmail.exe"}));
  ASSERT_EQ(card.platform.window.message_boxes.size(), 1u);
  EXPECT_THAT(card.platform.window.message_boxes[0].text, ::testing::HasSubstr("No space left"));
  EXPECT_TRUE(card.platform.os.opened_files.empty());
}

TEST_F(HandOverTest, CopyBackRetriesWhileAPeerHoldsTheCard) {
  WriteFile(folder.File("Frostmail.exe"), kOldCard);
  WriteFile(folder.File("Frost_Mail.exe"), kNewCard);
  card.platform.os.faults.refused_renames = 3;
  EXPECT_TRUE(RunAs("Frost_Mail.exe"));
  EXPECT_EQ(ReadFile(folder.File("Frostmail.exe")), kNewCard);
  EXPECT_EQ(card.platform.os.opened_files, std::vector<std::string>{folder.File("Frostmail.exe")});
  EXPECT_TRUE(card.platform.window.message_boxes.empty());
}

TEST_F(HandOverTest, CopyBackWhoseStartFailsSaysSoAndDeletesNothing) {
  WriteFile(folder.File("Frostmail.exe"), kOldCard);
  WriteFile(folder.File("Frost_Mail.exe"), kNewCard);
  card.platform.os.faults.start_result = 5;
  EXPECT_TRUE(RunAs("Frost_Mail.exe"));
  EXPECT_EQ(ReadFile(folder.File("Frostmail.exe")), kNewCard);
  EXPECT_EQ(ReadFile(folder.File("Frost_Mail.exe")), kNewCard);
  ASSERT_EQ(card.platform.window.message_boxes.size(), 1u);
  EXPECT_THAT(card.platform.window.message_boxes[0].text,
              ::testing::HasSubstr(folder.File("Frostmail.exe")));
}

// A hand-over interrupted after "Update Card" leaves a complete copy with the sender's new
// lines; the next start finishes the hand-over with it instead of deleting it.
TEST_F(HandOverTest, NormalRunFinishesAnInterruptedHandOverWithANewerCopy) {
  WriteFile(folder.File("Frostmail.exe"), kOldCard);
  WriteFile(folder.File("Frost_Mail.exe"), kNewCard);
  EXPECT_TRUE(RunAs("Frostmail.exe"));
  EXPECT_EQ(ReadFile(folder.File("Frost_Mail.exe")), kNewCard);
  EXPECT_EQ(card.platform.os.opened_files, std::vector<std::string>{folder.File("Frost_Mail.exe")});
  EXPECT_FALSE(card.backend.WindowVisible());
}

TEST_F(HandOverTest, NormalRunShowsTheCardWhenTheNewerCopyCannotBeStarted) {
  WriteFile(folder.File("Frostmail.exe"), kOldCard);
  WriteFile(folder.File("Frost_Mail.exe"), kNewCard);
  card.platform.os.faults.start_result = 5;
  EXPECT_FALSE(RunAs("Frostmail.exe"));
  EXPECT_EQ(ReadFile(folder.File("Frost_Mail.exe")), kNewCard);
  EXPECT_EQ(card.platform.window.message_boxes.size(), 1u);
  EXPECT_TRUE(card.form.TimerMain.Enabled());
}

TEST_F(HandOverTest, NormalRunRemovesAPartialCopy) {
  WriteFile(folder.File("Frostmail.exe"), kOldCard);
  WriteFile(folder.File("Frost_Mail.exe"), kNewCard.substr(0, 2000));
  EXPECT_FALSE(RunAs("Frostmail.exe"));
  EXPECT_EQ(ProgramFiles(), std::vector<std::string>{"Frostmail.exe"});
  EXPECT_TRUE(card.platform.os.opened_files.empty());
}

}  // namespace
}  // namespace frost
