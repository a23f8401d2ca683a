#include "platform/headless/headless_platform.h"

#include <gtest/gtest.h>

#include "platform_test_support.h"

namespace frost {
namespace {

using ::testing::Return;
using ::testing::StrEq;

class Headless : public ::testing::Test {
 protected:
  ::testing::StrictMock<testing_support::MockSoundOutput> sound_;
  HeadlessPlatform platform_{sound_};
};

TEST_F(Headless, RecordsMessageBoxesInOrder) {
  platform_.MessageBox("Permission denied: /cards/Frost_Mail.exe", "Frostmail");
  platform_.MessageBox("second", "");

  EXPECT_EQ(platform_.message_boxes,
            (std::vector<MessageBoxCall>{{"Permission denied: /cards/Frost_Mail.exe", "Frostmail"},
                                         {"second", ""}}));
}

TEST_F(Headless, RecordsWhatItWouldOpenAndReportsSuccess) {
  EXPECT_EQ(platform_.ShellExecuteOpen("/cards/Frost_Mail.exe"), kShellExecuteStarted);
  EXPECT_EQ(platform_.ShellExecuteOpen("https://example.org"), kShellExecuteStarted);

  EXPECT_EQ(platform_.opened_files,
            (std::vector<std::string>{"/cards/Frost_Mail.exe", "https://example.org"}));
}

TEST_F(Headless, SoundCallsGoToItsOutput) {
  EXPECT_CALL(sound_, PlaySound(StrEq("chimes.wav"), 0x20001u)).WillOnce(Return(1));
  EXPECT_CALL(sound_, SendMciCommand("play tune")).WillOnce(Return(263u));
  EXPECT_CALL(sound_, WaveOutDeviceCount()).WillOnce(Return(3));
  EXPECT_CALL(sound_, MidiOutDeviceCount()).WillOnce(Return(7));
  EXPECT_CALL(sound_, Beep());

  EXPECT_EQ(platform_.PlaySound("chimes.wav", 0x20001), 1);
  EXPECT_EQ(platform_.SendMciCommand("play tune"), 263u);
  EXPECT_EQ(platform_.WaveOutDeviceCount(), 3);
  EXPECT_EQ(platform_.MidiOutDeviceCount(), 7);
  platform_.Beep();
}

TEST_F(Headless, RunsSideBySideUnlessGivenALock) {
  HeadlessPlatform other(sound_);
  EXPECT_TRUE(platform_.AcquireSingleInstance());
  EXPECT_TRUE(other.AcquireSingleInstance());

  testing_support::ScratchFolder folder;
  const PosixPlatformOptions shared{.program_path = "", .lock_path = folder.File("card.lock")};
  HeadlessPlatform first(sound_, shared);
  HeadlessPlatform second(sound_, shared);
  EXPECT_TRUE(first.AcquireSingleInstance());
  EXPECT_FALSE(second.AcquireSingleInstance());
}

}  // namespace
}  // namespace frost
