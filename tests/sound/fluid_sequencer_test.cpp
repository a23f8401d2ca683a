#include "platform/posix/fluid_sequencer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <thread>

#include "platform/posix/stop_fade.h"
#include "resources/embedded.h"
#include "sound/sound_files.h"
#include "support/temp_folder.h"

namespace frost {
namespace {

using namespace std::chrono_literals;
using testing::MakeScaleTune;
using testing::MeasureWave;
using testing::TempFolder;
using testing::TuneSeconds;
using testing::WriteBytes;

constexpr double kNoiseFloor = 0.01;  // RMS, full scale = 1: about -40 dBFS
// The last notes may ring on this long after the tune's last event before the output goes.
constexpr double kRingOutSeconds = 3;

bool SystemHasSoundFont() {
  for (const auto& path : SystemSoundFonts()) {
    if (std::filesystem::exists(path))
      return true;
  }
  return false;
}

std::string OpenCommand(const std::string& path, const std::string& alias = "filename") {
  return "open " + path + " type sequencer alias " + alias;
}

// Waits up to `limit` for the sequencer to let go of its output.
bool FallsSilentWithin(const FluidSequencer& sequencer, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (sequencer.IsSounding()) {
    if (std::chrono::steady_clock::now() > deadline)
      return false;
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

// The whole tune sounds, and the output is let go soon after its last sound.
void ExpectLastsAboutTheTune(const testing::WaveMeasure& wave, double tuneSeconds) {
  EXPECT_GE(wave.audible_until, tuneSeconds - 0.05);
  EXPECT_GE(wave.seconds, tuneSeconds);
  EXPECT_LT(wave.seconds, tuneSeconds + kRingOutSeconds + 0.1);
  std::cout << "tune " << tuneSeconds << " s, audible until " << wave.audible_until
            << " s, rendered " << wave.seconds << " s\n";
}

// --- the command interpreter, which needs no soundfont -----------------------------------------

class SequencerCommands : public ::testing::Test {
 protected:
  SequencerCommands() { WriteBytes(tune_path, MakeScaleTune(2)); }
  TempFolder folder;
  std::string tune_path = folder.File("song.mid");
  FluidSequencer sequencer{
      {.sound_fonts = {}, .output = SequencerOutput::kWavFile, .wav_file = folder.File("out.wav")}};
};

TEST_F(SequencerCommands, RejectsWhatItDoesNotUnderstand) {
  EXPECT_EQ(sequencer.Send(""), mci::kMissingCommandString);
  EXPECT_EQ(sequencer.Send("   "), mci::kMissingCommandString);
  EXPECT_EQ(sequencer.Send("stop filename"), mci::kUnrecognizedCommand);
  EXPECT_EQ(sequencer.Send("open \"" + tune_path + " alias filename"), mci::kNoClosingQuote);
  EXPECT_EQ(sequencer.Send("open " + tune_path + " type waveaudio alias filename"),
            mci::kInvalidDeviceName);
  EXPECT_EQ(sequencer.Send("open " + tune_path + " shareable alias filename"),
            mci::kUnrecognizedKeyword);
  EXPECT_EQ(sequencer.Send("open " + tune_path + " alias"), mci::kMissingParameter);
  EXPECT_EQ(sequencer.Send("open"), mci::kMissingParameter);
}

TEST_F(SequencerCommands, PlayAndCloseNeedAnOpenAlias) {
  EXPECT_EQ(sequencer.Send("play filename"), mci::kInvalidDeviceName);
  EXPECT_EQ(sequencer.Send("play filename repeat"), mci::kInvalidDeviceName);
  EXPECT_EQ(sequencer.Send("close filename"), mci::kInvalidDeviceName);
  EXPECT_FALSE(sequencer.IsSounding());
}

TEST_F(SequencerCommands, OpenReportsAMissingOrForeignFile) {
  EXPECT_EQ(sequencer.Send(OpenCommand(folder.File("missing.mid"))), mci::kFileNotFound);
  WriteBytes(folder.File("text.mid"), std::vector<std::uint8_t>(100, 'x'));
  EXPECT_EQ(sequencer.Send(OpenCommand(folder.File("text.mid"))), mci::kInvalidFile);
}

TEST_F(SequencerCommands, WithoutASoundFontThereIsNoSequencer) {
  EXPECT_FALSE(sequencer.HasSoundFont());
  EXPECT_EQ(sequencer.Send(OpenCommand(tune_path)), mci::kNoMidiPresent);
  EXPECT_EQ(sequencer.Send("play filename"), mci::kInvalidDeviceName);
}

TEST(SequencerSoundFonts, TheFirstSoundFontThatExistsIsUsed) {
  TempFolder folder;
  const std::string missing = folder.File("missing.sf2");
  EXPECT_FALSE(FluidSequencer({.sound_fonts = {missing}, .wav_file = {}}).HasSoundFont());
  WriteBytes(folder.File("some.sf2"), std::vector<std::uint8_t>{1});
  EXPECT_TRUE(FluidSequencer({.sound_fonts = {missing, folder.File("some.sf2")}, .wav_file = {}})
                  .HasSoundFont());
}

// General MIDI numbers its programs from 1; the events carry them from 0.
TEST(SequencerInterpolation, OnlyMellowInstrumentsPlayWithLinearInterpolation) {
  for (int gmProgram : {41, 44, 45, 49, 52, 61})  // violin to tremolo, ensembles, French horn
    EXPECT_TRUE(PlaysWithLinearInterpolation(gmProgram - 1)) << gmProgram;
  // piano, celesta, glockenspiel, bells, synth bass, pizzicato, harp, timpani, choir, trumpets,
  // brass section, flute
  for (int gmProgram : {1, 9, 10, 15, 40, 46, 47, 48, 53, 57, 60, 62, 74})
    EXPECT_FALSE(PlaysWithLinearInterpolation(gmProgram - 1)) << gmProgram;
}

// --- the real synthesiser, rendering into a WAV file -------------------------------------------

class SequencerRender : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!SystemHasSoundFont())
      GTEST_SKIP() << "no General MIDI soundfont is installed";
  }
  std::string WriteTune(int notes, const std::string& name = "song.mid") {
    tune = MakeScaleTune(notes);
    WriteBytes(folder.File(name), tune);
    return folder.File(name);
  }
  testing::WaveMeasure Rendered() const {
    const auto measure = MeasureWave(wav_path);
    EXPECT_TRUE(measure.has_value()) << wav_path;
    return measure.value_or(testing::WaveMeasure{});
  }

  TempFolder folder;
  std::string wav_path = folder.File("out.wav");
  std::vector<std::uint8_t> tune;
  FluidSequencer sequencer{{.output = SequencerOutput::kWavFile, .wav_file = wav_path}};
};

TEST_F(SequencerRender, PlayWaitRendersTheWholeTuneAudibly) {
  EXPECT_EQ(sequencer.Send(OpenCommand(WriteTune(4))), mci::kOk);
  EXPECT_EQ(sequencer.Send("play filename wait"), mci::kOk);
  EXPECT_FALSE(sequencer.IsSounding());
  const auto wave = Rendered();
  EXPECT_GT(wave.rms, kNoiseFloor);
  EXPECT_LT(wave.peak, 1.0);  // no clipping
  ExpectLastsAboutTheTune(wave, TuneSeconds(tune));
}

TEST_F(SequencerRender, AQuotedFileNameMayHoldBlanks) {
  std::filesystem::create_directory(folder.Path() / "my music");
  const std::string path = WriteTune(2, "my music/mm.mid");
  EXPECT_EQ(sequencer.Send(OpenCommand('"' + path + '"')), mci::kOk);
  EXPECT_EQ(sequencer.Send("play filename wait"), mci::kOk);
  EXPECT_GT(Rendered().rms, kNoiseFloor);
}

TEST_F(SequencerRender, CommandsIgnoreLetterCase) {
  EXPECT_EQ(sequencer.Send("OPEN " + WriteTune(1) + " TYPE Sequencer ALIAS FileName"), mci::kOk);
  EXPECT_EQ(sequencer.Send("Play filename WAIT"), mci::kOk);
  EXPECT_EQ(sequencer.Send("close FILENAME"), mci::kOk);
}

TEST_F(SequencerRender, OneDeviceIsOpenAtATime) {
  const std::string path = WriteTune(1);
  EXPECT_EQ(sequencer.Send(OpenCommand(path)), mci::kOk);
  EXPECT_EQ(sequencer.Send(OpenCommand(path)), mci::kDuplicateAlias);
  EXPECT_EQ(sequencer.Send(OpenCommand(path, "other")), mci::kDeviceOpen);
  EXPECT_EQ(sequencer.Send("close filename"), mci::kOk);
  EXPECT_EQ(sequencer.Send(OpenCommand(path, "other")), mci::kOk);
}

TEST_F(SequencerRender, CloseEndsATuneThatIsStillPlaying) {
  EXPECT_EQ(sequencer.Send(OpenCommand(WriteTune(60))), mci::kOk);  // half a minute
  EXPECT_EQ(sequencer.Send("play filename"), mci::kOk);
  EXPECT_EQ(sequencer.Send("close filename"), mci::kOk);
  EXPECT_FALSE(sequencer.IsSounding());
  EXPECT_LT(Rendered().seconds, TuneSeconds(tune));
}

TEST_F(SequencerRender, CloseFadesTheTuneOutInsteadOfCuttingIt) {
  EXPECT_EQ(sequencer.Send(OpenCommand(WriteTune(8))), mci::kOk);
  EXPECT_EQ(sequencer.Send("play filename repeat"), mci::kOk);
  std::this_thread::sleep_for(300ms);  // seconds of the tune, rendering faster than real time
  EXPECT_EQ(sequencer.Send("close filename"), mci::kOk);
  const auto wave = testing::ReadWave(wav_path);
  ASSERT_TRUE(wave.has_value());
  const double end = wave->Seconds(), fadeStart = end - kStopFadeSeconds;
  ASSERT_GT(fadeStart, 0.5);
  const double before = wave->Rms(fadeStart - 0.1, fadeStart);
  EXPECT_GT(before, kNoiseFloor);
  // The last 10 ms are far below the level before the stop: no step down from full level.
  EXPECT_LT(wave->Rms(end - 0.01, end), before / 10);
}

TEST_F(SequencerRender, TheOutputIsReleasedAtTheEndWhileTheAliasStaysOpen) {
  EXPECT_EQ(sequencer.Send(OpenCommand(WriteTune(2))), mci::kOk);
  EXPECT_EQ(sequencer.Send("play filename"), mci::kOk);
  EXPECT_TRUE(FallsSilentWithin(sequencer, 10s));
  ExpectLastsAboutTheTune(Rendered(), TuneSeconds(tune));
  EXPECT_EQ(sequencer.Send("play filename wait"), mci::kOk);  // still open: plays again
  EXPECT_EQ(sequencer.Send("close filename"), mci::kOk);
  EXPECT_EQ(sequencer.Send("close filename"), mci::kInvalidDeviceName);
}

TEST_F(SequencerRender, RepeatPlaysOnUntilClosed) {
  EXPECT_EQ(sequencer.Send(OpenCommand(WriteTune(2))), mci::kOk);
  EXPECT_EQ(sequencer.Send("play filename repeat"), mci::kOk);
  // Rendering runs far faster than real time: this is many rounds of a one-second tune.
  std::this_thread::sleep_for(500ms);
  EXPECT_TRUE(sequencer.IsSounding());
  EXPECT_EQ(sequencer.Send("close filename"), mci::kOk);
  EXPECT_GT(Rendered().seconds, 3 * TuneSeconds(tune));
}

TEST_F(SequencerRender, TheEmbeddedTuneSoundsForItsLength) {
  const auto embedded = resources::Find("CUSTOM", 101);
  if (!embedded)
    GTEST_SKIP() << "the card is built without its tune";
  tune.assign(embedded->begin(), embedded->end());
  WriteBytes(folder.File("mm.mid"), tune);
  const double length = TuneSeconds(tune);

  const double cpuBefore = testing::ProcessCpuSeconds();
  EXPECT_EQ(sequencer.Send(OpenCommand(folder.File("mm.mid"))), mci::kOk);
  EXPECT_EQ(sequencer.Send("play filename wait"), mci::kOk);
  const double cpuShare = (testing::ProcessCpuSeconds() - cpuBefore) / length;
  const double residentMegabytes = testing::ResidentMegabytes();

  const auto wave = Rendered();
  EXPECT_GT(wave.rms, kNoiseFloor);
  EXPECT_LT(wave.peak, 1.0);
  ExpectLastsAboutTheTune(wave, length);
  RecordProperty("tune_seconds", std::to_string(length));
  RecordProperty("cpu_share_of_one_core", std::to_string(cpuShare));
  RecordProperty("resident_megabytes", std::to_string(residentMegabytes));
  std::cout << "tune " << length << " s, rms " << wave.rms << ", peak " << wave.peak << ", CPU "
            << 100 * cpuShare << " % of one core, resident " << residentMegabytes << " MB\n";
}

// --- the caller takes the samples (offline video soundtracks) ----------------------------------

double Rms(const std::vector<float>& samples) {
  double sum = 0;
  for (float sample : samples) sum += sample * sample;
  return std::sqrt(sum / samples.size());
}

TEST(SequencerForCaller, SoundsFromPlayUntilCloseAndIsSilentAroundIt) {
  if (!SystemHasSoundFont())
    GTEST_SKIP() << "no General MIDI soundfont is installed";
  TempFolder folder;
  WriteBytes(folder.File("song.mid"), MakeScaleTune(8));  // four seconds
  FluidSequencer sequencer{{.output = SequencerOutput::kCaller, .wav_file = {}}};
  std::vector<float> left(22050, 1.0f), right(22050, 1.0f);  // half a second
  sequencer.Render(left, right);
  EXPECT_EQ(Rms(left), 0.0);  // nothing open yet

  ASSERT_EQ(sequencer.Send(OpenCommand(folder.File("song.mid"))), mci::kOk);
  ASSERT_EQ(sequencer.Send("play filename"), mci::kOk);
  EXPECT_TRUE(sequencer.IsSounding());
  sequencer.Render(left, right);
  EXPECT_GT(Rms(left), kNoiseFloor);
  EXPECT_GT(Rms(right), kNoiseFloor);

  // Stopped in the middle of the tune, it fades out over the stop fade as it does live: still
  // sounding in its first 10 ms, far quieter in its last, silent after.
  ASSERT_EQ(sequencer.Send("close filename"), mci::kOk);
  std::vector<float> first(441), firstRight(441), middle(7938), middleRight(7938), last(441),
      lastRight(441);
  sequencer.Render(first, firstRight);
  sequencer.Render(middle, middleRight);
  sequencer.Render(last, lastRight);
  EXPECT_GT(Rms(first), kNoiseFloor);
  EXPECT_LT(Rms(last), Rms(first) / 10);
  sequencer.Render(left, right);
  EXPECT_EQ(Rms(left), 0.0);
}

}  // namespace
}  // namespace frost
