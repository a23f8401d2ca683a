#include "sound/bas_sound.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/headless/recording_sound.h"
#include "toolkit/errors.h"

namespace frost {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class BasSoundTest : public ::testing::Test {
 protected:
  RecordingSound sound;
  BasSound bas{sound};
};

// --- which way a name is played, and with which flags and commands ----------------------------

struct PlayCase {
  std::string name;
  std::optional<bool> async;
  std::optional<bool> loop;
  std::vector<std::string> transcript;
};

void PrintTo(const PlayCase& c, std::ostream* os) {
  *os << c.name << " async=" << (c.async ? std::to_string(*c.async) : "omitted")
      << " loop=" << (c.loop ? std::to_string(*c.loop) : "omitted");
}

class PlaySoundFileCase : public BasSoundTest, public ::testing::WithParamInterface<PlayCase> {};

TEST_P(PlaySoundFileCase, SendsTheDocumentedCalls) {
  const PlayCase& c = GetParam();
  EXPECT_TRUE(bas.PlaySoundFile(c.name, c.async, c.loop));
  EXPECT_EQ(sound.transcript, c.transcript);
  EXPECT_EQ(sound.beeps, 0);
}

const std::string kOpenSong = "mci open song.mid type sequencer alias filename";

INSTANTIATE_TEST_SUITE_P(
    SequencerNames, PlaySoundFileCase,
    ::testing::Values(
        PlayCase{"song.mid", {}, {}, {kOpenSong, "mci play filename"}},
        PlayCase{"song.mid", true, false, {kOpenSong, "mci play filename"}},
        PlayCase{"song.mid", true, true, {kOpenSong, "mci play filename repeat"}},
        PlayCase{"song.mid", {}, true, {kOpenSong, "mci play filename repeat"}},
        PlayCase{
            "song.mid", false, {}, {kOpenSong, "mci play filename wait", "mci close filename"}},
        // Looping is honoured only in the background.
        PlayCase{
            "song.mid", false, true, {kOpenSong, "mci play filename wait", "mci close filename"}},
        PlayCase{"SONG.MID",
                 {},
                 {},
                 {"mci open SONG.MID type sequencer alias filename", "mci play filename"}},
        PlayCase{
            "x.rmi", {}, {}, {"mci open x.rmi type sequencer alias filename", "mci play filename"}},
        // Only the file's own name counts: a dot in a folder name changes nothing.
        PlayCase{"/home/ann/my.cards/mm.mid",
                 {},
                 {},
                 {"mci open /home/ann/my.cards/mm.mid type sequencer alias filename",
                  "mci play filename"}},
        PlayCase{
            "C:\\Win.dir\\mm.mid",
            {},
            {},
            {"mci open C:\\Win.dir\\mm.mid type sequencer alias filename", "mci play filename"}},
        // A blank would end the file name: the name is quoted.
        PlayCase{"/tmp/my music/mm.mid",
                 {},
                 {},
                 {"mci open \"/tmp/my music/mm.mid\" type sequencer alias filename",
                  "mci play filename"}}));

INSTANTIATE_TEST_SUITE_P(
    WaveNames, PlaySoundFileCase,
    ::testing::Values(
        // SND_FILENAME | SND_NOWAIT | SND_NOSTOP | SND_NODEFAULT, plus SND_ASYNC and SND_LOOP.
        PlayCase{"a.wav", {}, {}, {"PlaySound a.wav 0x22013"}},
        PlayCase{"A.WaV", true, true, {"PlaySound A.WaV 0x2201B"}},
        PlayCase{"a.wav", false, {}, {"PlaySound a.wav 0x22012"}},
        PlayCase{"a.wav", false, true, {"PlaySound a.wav 0x22012"}},
        PlayCase{"/sounds/old.wav.files/ding.wav",
                 {},
                 {},
                 {"PlaySound /sounds/old.wav.files/ding.wav 0x22013"}}));

INSTANTIATE_TEST_SUITE_P(
    AliasNames, PlaySoundFileCase,
    ::testing::Values(
        // SND_ALIAS | SND_NOWAIT | SND_NOSTOP, never SND_NODEFAULT.
        PlayCase{"tune.wave", {}, {}, {"PlaySound tune.wave 0x12011"}},
        PlayCase{"music.mid.bak", true, true, {"PlaySound music.mid.bak 0x12019"}},
        PlayCase{"a.wav.wav", false, {}, {"PlaySound a.wav.wav 0x12010"}},
        PlayCase{"SystemAsterisk", {}, {}, {"PlaySound SystemAsterisk 0x12011"}},
        PlayCase{"mid", {}, {}, {"PlaySound mid 0x12011"}},
        PlayCase{"wav", {}, {}, {"PlaySound wav 0x12011"}}));

// --- results -----------------------------------------------------------------------------------

TEST_F(BasSoundTest, SequencerResultIsTheOpenResultAlone) {
  sound.mci_result = 263;
  EXPECT_FALSE(bas.PlaySoundFile("song.mid"));
  EXPECT_FALSE(bas.PlaySoundFile("song.mid", false));
  sound.mci_result = 0;
  EXPECT_TRUE(bas.PlaySoundFile("song.mid", false));
}

TEST_F(BasSoundTest, WaveAndAliasResultsFollowThePlayCall) {
  sound.play_sound_result = 0;
  EXPECT_FALSE(bas.PlaySoundFile("a.wav"));
  EXPECT_FALSE(bas.PlaySoundFile("tune.wave"));
  sound.play_sound_result = 1;
  EXPECT_TRUE(bas.PlaySoundFile("a.wav"));
  EXPECT_TRUE(bas.PlaySoundFile("tune.wave"));
}

TEST_F(BasSoundTest, WithoutAnyDeviceFilesBeepOnceAndSucceed) {
  sound.wave_devices = 0;
  sound.midi_devices = 0;
  for (const char* name : {"song.mid", "a.wav"}) {
    sound.beeps = 0;
    EXPECT_TRUE(bas.PlaySoundFile(name)) << name;
    EXPECT_EQ(sound.beeps, 1) << name;
  }
  EXPECT_THAT(sound.mci_commands, IsEmpty());
  EXPECT_THAT(sound.played_sounds, IsEmpty());
}

TEST_F(BasSoundTest, AliasesAreNotCheckedForDevices) {
  sound.wave_devices = 0;
  sound.midi_devices = 0;
  EXPECT_TRUE(bas.PlaySoundFile("tune.wave"));
  EXPECT_EQ(sound.beeps, 0);
  EXPECT_THAT(sound.played_sounds, ElementsAre(PlaySoundCall{"tune.wave", 0x12011}));
}

TEST_F(BasSoundTest, OneKindOfDeviceIsEnoughToPlayEitherKindOfFile) {
  sound.wave_devices = 1;
  sound.midi_devices = 0;
  EXPECT_TRUE(bas.PlaySoundFile("song.mid"));
  EXPECT_EQ(sound.mci_commands.size(), 2u);
  sound.wave_devices = 0;
  sound.midi_devices = 1;
  EXPECT_TRUE(bas.PlaySoundFile("a.wav"));
  EXPECT_EQ(sound.played_sounds.size(), 1u);
  EXPECT_EQ(sound.beeps, 0);
}

// --- device detection --------------------------------------------------------------------------

TEST_F(BasSoundTest, DeviceBitsForEachCombination) {
  const struct {
    int wave, midi, bits;
  } cases[] = {{0, 0, 0},
               {1, 0, 1},
               {0, 1, 2},
               {4, 2, 3},
               // The MIDI count is read as a signed 16-bit number.
               {0, 0xFFFF, 0},
               {1, 0x10000, 1},
               {0, 0x10001, 2}};
  for (const auto& c : cases) {
    sound.wave_devices = c.wave;
    sound.midi_devices = c.midi;
    EXPECT_EQ(bas.GetSoundDevices(), c.bits) << c.wave << " wave, " << c.midi << " MIDI";
  }
}

// --- stopping ----------------------------------------------------------------------------------

TEST_F(BasSoundTest, StopClosesTheSequencerThenStopsWaveOutput) {
  bas.StopSoundFile();
  EXPECT_THAT(sound.transcript, ElementsAre("mci close filename", "PlaySound <null> 0x12010"));
}

TEST_F(BasSoundTest, StoppingTwiceIsSilentAndHarmless) {
  sound.mci_result = 263;  // the second close finds no open device
  sound.play_sound_result = 0;
  EXPECT_NO_THROW(bas.StopSoundFile());
  EXPECT_NO_THROW(bas.StopSoundFile());
  EXPECT_EQ(sound.transcript.size(), 4u);
  EXPECT_EQ(sound.beeps, 0);
}

TEST_F(BasSoundTest, StopDoesOnlyTheHalfItIsAskedFor) {
  bas.StopSoundFile(2);
  EXPECT_THAT(sound.transcript, ElementsAre("mci close filename"));
  sound.transcript.clear();
  bas.StopSoundFile(1);
  EXPECT_THAT(sound.transcript, ElementsAre("PlaySound <null> 0x12010"));
  sound.transcript.clear();
  bas.StopSoundFile(0);
  EXPECT_THAT(sound.transcript, IsEmpty());
}

// A sound output whose calls fail with a run-time error.
class FailingSound : public RecordingSound {
 public:
  int PlaySound(const char*, std::uint32_t) override {
    throw RuntimeError(error::kInvalidCall, "no sound");
  }
  std::uint32_t SendMciCommand(const std::string&) override {
    throw RuntimeError(error::kInvalidCall, "no MCI");
  }
};

TEST(BasSoundStop, SkipsEveryFailingStep) {
  FailingSound sound;
  BasSound bas{sound};
  EXPECT_NO_THROW(bas.StopSoundFile());
  EXPECT_NO_THROW(bas.StopSoundFile(1));
  EXPECT_NO_THROW(bas.StopSoundFile(2));
}

}  // namespace
}  // namespace frost
