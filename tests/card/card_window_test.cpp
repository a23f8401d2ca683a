#include <gtest/gtest.h>

#include "personalise/card_files.h"
#include "platform/path_join.h"
#include "startup/main_module.h"
#include "support/card_fixture.h"

namespace frost {
namespace {

TEST(ProgramFolderTest, FolderAndRunName) {
  EXPECT_EQ(FolderOf("/home/ann/cards/Frostmail.exe"), "/home/ann/cards");
  EXPECT_EQ(FolderOf("/Frostmail.exe"), "");
  EXPECT_EQ(RunName("/home/ann/Frost_Mail.exe"), "Frost_Mail");
  EXPECT_EQ(RunName("/home/ann/my.card.exe"), "my.card");
}

// A card in the root folder keeps its copy and its snapshots there, not in the working folder.
TEST(ProgramFolderTest, TheCardsFilesLieBesideTheProgramEvenInTheRootFolder) {
  const std::string separator(1, kPathSeparator);
  for (const std::string& folder : {separator + "home" + separator + "ann", std::string()}) {
    const CardFiles files{FolderOf(folder + separator + "Frostmail.exe")};
    EXPECT_EQ(files.ProgramFilePath(), folder + separator + "Frostmail.exe");
    EXPECT_EQ(files.PersonalisedCopyPath(), folder + separator + "Frost_Mail.exe");
    EXPECT_EQ(files.File("Christmas.bmp"), folder + separator + "Christmas.bmp");
  }
}

// The pictures come from the program's resources as the OS services give them, as the tune does:
// a program without them (a Windows card linked without its resource script) says so at once.
class OsWithoutPictures : public HeadlessOs {
 public:
  std::optional<std::vector<std::uint8_t>> LoadResource(const std::string& type, int id) override {
    return type == "PICTURE" ? std::nullopt : HeadlessOs::LoadResource(type, id);
  }
};

TEST(CardWindowTest, TheCardsPicturesComeFromTheOsServicesResources) {
  HeadlessBackend backend;
  Random random{1};
  Application app(backend, random);
  RecordingSound sound;
  OsWithoutPictures os;
  RecordedMessageBoxes window;
  try {
    Form1 form(app, {os, sound, window});
    ADD_FAILURE() << "the card was made without its pictures";
  } catch (const RuntimeError& failure) {
    EXPECT_EQ(failure.Number(), error::kInvalidPicture) << failure.what();
  }
}

TEST(CardWindowTest, StartsWithEveryTimerDisabledAtItsDesignInterval) {
  testing::CardFixture card;
  const std::pair<Timer*, int> timers[] = {
      {&card.form.TimerMain, 10},          {&card.form.TimerAnimTree, 1000},
      {&card.form.TimerSpeclAnimTree, 10}, {&card.form.Timer1SpeclAnimTree, 10},
      {&card.form.TimerCard, 100},         {&card.form.TimerGreetingsAnim, 1000},
      {&card.form.TimerFireworks, 500}};
  for (auto [timer, interval] : timers) {
    EXPECT_FALSE(timer->Enabled()) << timer->Name();
    EXPECT_EQ(timer->Interval(), interval) << timer->Name();
  }
}

TEST(CardWindowTest, OnlyPicture1AndTheTwoShapesAreShownAtStart) {
  testing::CardFixture card;
  for (Control* control : card.form.Controls()) {
    const std::string& name = control->Name();
    const bool shown = name == "Picture1" || name == "Shape1" || name == "Shape2";
    EXPECT_EQ(control->Visible(), shown) << name;
  }
}

TEST(CardWindowTest, SizedForFifteenTwipsPerPixel) {
  testing::CardFixture card(15);
  EXPECT_EQ(card.form.Picture1.Width(), 7750);
  EXPECT_EQ(card.form.Picture1.Height(), 9120);
  EXPECT_EQ(card.form.Width(), 7740);
  EXPECT_EQ(card.form.Height(), 9110);
  EXPECT_EQ(card.form.Picture1.Font.size, 16);
  EXPECT_EQ(card.backend.WindowWidth(), 516);
  EXPECT_EQ(card.backend.WindowHeight(), 607);
}

TEST(CardWindowTest, SizedForTwelveTwipsPerPixelKeepsThePixelSize) {
  testing::CardFixture card(12);
  EXPECT_EQ(card.form.Picture1.Width(), 6200);
  EXPECT_EQ(card.form.Picture1.Height(), 7296);
  EXPECT_EQ(card.form.Width(), 6190);
  EXPECT_EQ(card.form.Height(), 7286);
  EXPECT_EQ(card.form.Picture1.Font.size, 13);
  EXPECT_EQ(card.form.Picture1.Image().Width(), 517);
  EXPECT_EQ(card.form.Picture1.Image().Height(), 608);
}

}  // namespace
}  // namespace frost
