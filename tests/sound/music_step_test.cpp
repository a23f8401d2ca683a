#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "platform/headless/headless_os.h"
#include "platform/headless/recording_sound.h"
#include "resources/embedded.h"
#include "sound/bas_sound.h"
#include "sound/sound_files.h"
#include "support/scoped_environment.h"
#include "support/temp_folder.h"

namespace frost {
namespace {

using ::testing::ElementsAre;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

using testing::ScopedEnvironment;

// The card's OS services with a tune of the test's own as resource "CUSTOM" 101.
class TuneOs : public HeadlessOs {
 public:
  std::optional<std::vector<std::uint8_t>> LoadResource(const std::string& type, int id) override {
    if (type == "CUSTOM" && id == 101)
      return tune;
    return HeadlessOs::LoadResource(type, id);
  }
  std::vector<std::uint8_t> tune = testing::MakeScaleTune(3);
};

class MusicStepTest : public ::testing::Test {
 protected:
  std::string OpenCommand(const std::string& path) const {
    return "open " + path + " type sequencer alias filename";
  }

  std::string Private() const { return (runtime.Path() / "mm.mid").string(); }

  TempFolder windows;
  TempFolder runtime;  // private: made with mode 0700
  ScopedEnvironment xdg{"XDG_RUNTIME_DIR", runtime.Path().string()};
  RecordingSound sound;
  TuneOs os;
  BasSound bas{sound};
};

TEST_F(MusicStepTest, WritesTheTuneToTheWindowsFolderAndPlaysItOnce) {
  ScopedEnvironment windir("Windir", windows.Path().string());
  PlayCardMusic(os, bas);
  const std::string path = windows.File("mm.mid");
  EXPECT_EQ(ReadBytes(path), os.tune);
  EXPECT_THAT(sound.mci_commands, ElementsAre(OpenCommand(path), "play filename"));
}

TEST_F(MusicStepTest, ReplacesAnOlderMusicFile) {
  ScopedEnvironment windir("Windir", windows.Path().string());
  WriteBytes(windows.File("mm.mid"), std::vector<std::uint8_t>(10000, 0xAB));
  PlayCardMusic(os, bas);
  EXPECT_EQ(ReadBytes(windows.File("mm.mid")), os.tune);
}

TEST_F(MusicStepTest, WithoutAWindowsFolderUsesThePrivateFolder) {
  ScopedEnvironment windir("Windir", std::nullopt);
  PlayCardMusic(os, bas);
  EXPECT_EQ(ReadBytes(Private()), os.tune);
  EXPECT_EQ(sound.mci_commands.front(), OpenCommand(Private()));
}

TEST_F(MusicStepTest, FallsBackToThePrivateFolderWhenTheWindowsFolderCannotBeWritten) {
  // Root may write anywhere; a folder below a regular file cannot exist for anyone.
  WriteBytes(windows.File("plain-file"), std::vector<std::uint8_t>{1});
  for (const std::string& unwritable :
       {windows.File("plain-file") + "/Windows", windows.File("no-such-folder")}) {
    sound.mci_commands.clear();
    ScopedEnvironment windir("Windir", unwritable);
    PlayCardMusic(os, bas);
    EXPECT_EQ(ReadBytes(Private()), os.tune) << unwritable;
    EXPECT_THAT(sound.mci_commands, ElementsAre(OpenCommand(Private()), "play filename"))
        << unwritable;
  }
}

TEST_F(MusicStepTest, AWindowsFolderWithBlanksAndDotsStillPlaysTheTune) {
  const auto folder = windows.Path() / "My Stuff.d";
  std::filesystem::create_directory(folder);
  ScopedEnvironment windir("Windir", folder.string());
  PlayCardMusic(os, bas);
  const std::string path = (folder / "mm.mid").string();
  EXPECT_THAT(sound.mci_commands, ElementsAre(OpenCommand('"' + path + '"'), "play filename"));
}

TEST_F(MusicStepTest, EveryStopSilencesTheMusic) {
  ScopedEnvironment windir("Windir", windows.Path().string());
  PlayCardMusic(os, bas);
  bas.StopSoundFile();
  EXPECT_EQ(sound.mci_commands.back(), "close filename");
}

TEST_F(MusicStepTest, WithoutDevicesTheFileIsWrittenAndTheStepBeeps) {
  ScopedEnvironment windir("Windir", windows.Path().string());
  sound.wave_devices = 0;
  sound.midi_devices = 0;
  PlayCardMusic(os, bas);
  EXPECT_EQ(ReadBytes(windows.File("mm.mid")), os.tune);
  EXPECT_EQ(sound.beeps, 1);
  EXPECT_TRUE(sound.mci_commands.empty());
}

TEST(MusicStep, WritesTheEmbeddedTune) {
  const auto tune = resources::Find("CUSTOM", 101);
  if (!tune)
    GTEST_SKIP() << "the card is built without its tune";
  TempFolder windows;
  ScopedEnvironment windir("Windir", windows.Path().string());
  RecordingSound sound;
  HeadlessOs os;
  BasSound bas{sound};
  PlayCardMusic(os, bas);
  EXPECT_EQ(ReadBytes(windows.File("mm.mid")),
            std::vector<std::uint8_t>(tune->begin(), tune->end()));
}

}  // namespace
}  // namespace frost
