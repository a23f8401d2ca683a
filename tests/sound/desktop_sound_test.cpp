#include "platform/sdl/desktop_sound.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

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
  BasSound bas{sound};
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
  BasSound bas{sound};
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

// SDL's "disk" driver writes what it is given to a file at the pace of a real device, so
// what the desktop sound plays can be read back.
class DesktopSoundOnDisk : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { setenv("SDL_AUDIODRIVER", "disk", 1); }
  static void TearDownTestSuite() {
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
  }
  void SetUp() override { setenv("SDL_DISKAUDIOFILE", output_path.c_str(), 1); }

  std::string WriteWave(double seconds) {
    wave = testing::MakeToneWave(seconds);
    testing::WriteBytes(folder.File("a.wav"), wave);
    return folder.File("a.wav");
  }
  std::vector<std::uint8_t> WaveSamples() const { return {wave.begin() + 44, wave.end()}; }
  std::uintmax_t OutputSize() const { return std::filesystem::file_size(output_path); }
  // True when the output holds more than `bytes` of sound that is not silence.
  bool OutputHoldsSound(std::size_t bytes) const {
    const auto output = testing::ReadBytes(output_path);
    return static_cast<std::size_t>(std::count_if(output.begin(), output.end(),
                                                  [](std::uint8_t b) { return b != 0; })) > bytes;
  }

  TempFolder folder;
  std::string output_path = folder.File("output.raw");
  std::vector<std::uint8_t> wave;
};

TEST_F(DesktopSoundOnDisk, APlayedWaveFileReachesTheOutputAsItIs) {
  const std::string path = WriteWave(0.2);
  {
    DesktopSound sound;
    EXPECT_EQ(sound.WaveOutDeviceCount(), 1);
    EXPECT_EQ(sound.PlaySound(path.c_str(), snd::kFileName | snd::kNoDefault), 1);
  }
  const auto output = testing::ReadBytes(output_path);
  const auto samples = WaveSamples();
  // SDL may hand the device a buffer of silence before the sound starts.
  EXPECT_NE(std::search(output.begin(), output.end(), samples.begin(), samples.end()),
            output.end());
}

TEST_F(DesktopSoundOnDisk, ALoopPlaysOnUntilTheNullNameStopsIt) {
  const std::string path = WriteWave(0.05);
  DesktopSound sound;
  EXPECT_EQ(sound.PlaySound(path.c_str(), kPlayFileAsync | snd::kLoop), 1);
  std::this_thread::sleep_for(400ms);
  // The sound module always asks not to interrupt a sound that is playing.
  EXPECT_EQ(sound.PlaySound(path.c_str(), kPlayFileAsync | snd::kNoStop), 0);
  EXPECT_EQ(sound.PlaySound(nullptr, kStopWave), 1);
  const auto stoppedAt = OutputSize();
  EXPECT_GT(stoppedAt, 2 * WaveSamples().size());
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(OutputSize(), stoppedAt);
}

TEST_F(DesktopSoundOnDisk, MissingFilesAndAliasesFollowTheNoDefaultFlag) {
  DesktopSound sound;
  const std::string missing = folder.File("missing.wav");
  EXPECT_EQ(sound.PlaySound(missing.c_str(), kPlayFileAsync), 0);
  EXPECT_EQ(sound.PlaySound("SystemAsterisk", snd::kAlias | snd::kNoDefault), 0);
  // Without it the system's default sound, the beep, stands in.
  EXPECT_EQ(sound.PlaySound("SystemAsterisk", snd::kAlias | snd::kAsync), 1);
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(sound.PlaySound(nullptr, kStopWave), 1);
  EXPECT_TRUE(OutputHoldsSound(1000));
}

TEST_F(DesktopSoundOnDisk, TheBeepIsAToneOnTheOutput) {
  {
    DesktopSound sound;
    sound.Beep();
    std::this_thread::sleep_for(300ms);
  }
  EXPECT_TRUE(OutputHoldsSound(1000));
}

}  // namespace
}  // namespace frost
