#include "platform/sdl/desktop_sound.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/headless/headless_platform.h"
#include "sound/bas_sound.h"
#include "sound/sound_files.h"
#include "support/temp_folder.h"

namespace frost {
namespace {

using namespace std::chrono_literals;
using testing::TempFolder;
using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

constexpr std::uint32_t kPlayFileAsync = snd::kFileName | snd::kNoDefault | snd::kAsync;
constexpr std::uint32_t kStopWave = snd::kAlias | snd::kNoWait | snd::kNoStop;

bool SystemHasSoundFont() {
  for (const auto& path : SystemSoundFonts()) {
    if (std::filesystem::exists(path))
      return true;
  }
  return false;
}

// Every test here runs on SDL's "dummy" audio driver: it takes sound at the pace of a real
// device and plays it nowhere, as on a machine whose output cannot be heard.
class DesktopSoundTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { setenv("SDL_AUDIODRIVER", "dummy", 1); }
  static void TearDownTestSuite() { unsetenv("SDL_AUDIODRIVER"); }
  TempFolder folder;
};

TEST_F(DesktopSoundTest, TheDummyDriverIsNoWaveDevice) {
  DesktopSound sound;
  EXPECT_EQ(sound.WaveOutDeviceCount(), 0);
  EXPECT_EQ(sound.MidiOutDeviceCount(), SystemHasSoundFont() ? 1 : 0);
}

TEST_F(DesktopSoundTest, WithoutAnOutputTheBeepRingsTheTerminalBell) {
  DesktopSound sound;
  CaptureStderr();
  sound.Beep();
  EXPECT_EQ(GetCapturedStderr(), "\a");
}

TEST_F(DesktopSoundTest, WithoutAnOutputWaveFilesDoNotPlayAndTheStopSucceeds) {
  DesktopSound sound;
  EXPECT_EQ(sound.PlaySound(folder.File("missing.wav").c_str(), kPlayFileAsync), 0);
  EXPECT_EQ(sound.PlaySound(nullptr, kStopWave), 1);
  EXPECT_EQ(sound.PlaySound(nullptr, kStopWave), 1);
}

TEST_F(DesktopSoundTest, WithoutASoundFontTheCardBeepsInsteadOfFailing) {
  DesktopSound sound({.sound_fonts = {folder.File("none.sf2")}, .wav_file = {}});
  HeadlessPlatform platform{sound};
  BasSound bas{platform};
  testing::WriteBytes(folder.File("mm.mid"), testing::MakeScaleTune(1));
  EXPECT_EQ(sound.MidiOutDeviceCount(), 0);
  CaptureStderr();
  EXPECT_TRUE(bas.PlaySoundFile(folder.File("mm.mid")));
  EXPECT_EQ(GetCapturedStderr(), "\a");
  EXPECT_NO_THROW(bas.StopSoundFile());
}

TEST_F(DesktopSoundTest, AMissingMusicFileMakesPlaySoundFileFalse) {
  DesktopSound sound;
  if (sound.MidiOutDeviceCount() == 0)
    GTEST_SKIP() << "no General MIDI soundfont is installed";
  HeadlessPlatform platform{sound};
  BasSound bas{platform};
  EXPECT_FALSE(bas.PlaySoundFile(folder.File("missing.mid")));
  EXPECT_NO_THROW(bas.StopSoundFile());
}

// The live path: FluidSynth's own drivers find no device here and its SDL driver takes the
// dummy output. Once the tune has rung out nothing may keep running.
TEST_F(DesktopSoundTest, ALiveTuneLetsGoOfTheOutputWhenItEnds) {
  if (!SystemHasSoundFont())
    GTEST_SKIP() << "no General MIDI soundfont is installed";
  DesktopSound desktop;  // starts SDL's audio, which FluidSynth's SDL driver plays through
  FluidSequencer sequencer;
  testing::WriteBytes(folder.File("mm.mid"), testing::MakeScaleTune(1));
  ASSERT_EQ(sequencer.Send("open " + folder.File("mm.mid") + " type sequencer alias filename"),
            mci::kOk);
  ASSERT_EQ(sequencer.Send("play filename"), mci::kOk);
  EXPECT_TRUE(sequencer.IsSounding());
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (sequencer.IsSounding() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(20ms);
  }
  EXPECT_FALSE(sequencer.IsSounding());

  const double cpuBefore = testing::ProcessCpuSeconds();
  std::this_thread::sleep_for(500ms);
  EXPECT_LT(testing::ProcessCpuSeconds() - cpuBefore, 0.005) << "CPU used after the tune";
  EXPECT_EQ(sequencer.Send("close filename"), mci::kOk);
}

}  // namespace
}  // namespace frost
