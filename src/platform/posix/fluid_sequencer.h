#pragma once
#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace frost {

// Results of the sequencer's command strings, by the multimedia interface's published numbers.
namespace mci {
inline constexpr std::uint32_t kOk = 0;
inline constexpr std::uint32_t kUnrecognizedKeyword = 259;
inline constexpr std::uint32_t kUnrecognizedCommand = 261;
inline constexpr std::uint32_t kHardware = 262;
inline constexpr std::uint32_t kInvalidDeviceName = 263;
inline constexpr std::uint32_t kDeviceOpen = 265;
inline constexpr std::uint32_t kMissingCommandString = 267;
inline constexpr std::uint32_t kMissingParameter = 273;
inline constexpr std::uint32_t kFileNotFound = 275;
inline constexpr std::uint32_t kDuplicateAlias = 289;
inline constexpr std::uint32_t kNoClosingQuote = 294;
inline constexpr std::uint32_t kInvalidFile = 296;
inline constexpr std::uint32_t kNoMidiPresent = 343;
}  // namespace mci

// True for the General MIDI programs (numbered from 0) whose samples hold little in the highest
// octaves: the bowed strings, the string ensembles and the French horn. Linear interpolation
// sounds the same for them (see SynthTrade).
bool PlaysWithLinearInterpolation(int program);

// The system's General MIDI soundfonts, most preferred first.
std::vector<std::string> SystemSoundFonts();

// Where a tune sounds.
enum class SequencerOutput {
  kLive,     // the first audio driver that opens
  kWavFile,  // the options' WAV file, rendered faster than real time
  kCaller,   // nowhere by itself: the caller takes the samples with Render(), which drives the tune
};

// The synthesiser's trade of sound against work. The tune's densest bars would sound about a
// hundred voices, most of them string and bell tails after their release; FluidSynth lets the
// oldest and quietest released ones go first. 48 voices keep the whole ensemble at a fifth less
// work than 64 (the difference lies in low tails, 28 dB below the music), and linear
// interpolation for the mellow instruments saves another tenth, so the fireworks with music
// stay within 3 % of a core. bench/music_bench.cpp measures both sides.
struct SynthTrade {
  int polyphony = 48;
  bool linear_for_mellow_instruments = true;  // those of PlaysWithLinearInterpolation
};

struct FluidSequencerOptions {
  // The first of these that exists is loaded.
  std::vector<std::string> sound_fonts = SystemSoundFonts();
  SequencerOutput output = SequencerOutput::kLive;
  std::string wav_file;  // for SequencerOutput::kWavFile
  SynthTrade trade = {};
};

// A MIDI sequencer driven by the multimedia interface's command strings, over FluidSynth:
//   open <file> type sequencer alias <alias>    (the file name may be double-quoted)
//   play <alias> [repeat | wait]
//   close <alias>
// One device is open at a time. The audio output is held only while a tune sounds: when the
// tune and its reverb have died away it is released, and the alias stays open until "close".
// "close" (or a new "play") lets a sounding tune fade out over kStopFadeSeconds before it
// returns, so the music never ends on a click.
// Commands come from one thread; the tune plays on FluidSynth's audio thread. The synthesiser
// and its soundfont load on a thread of their own from construction on, so that "open" and
// "play" need not wait for them.
class FluidSequencer {
 public:
  explicit FluidSequencer(FluidSequencerOptions options = {});
  ~FluidSequencer();
  FluidSequencer(const FluidSequencer&) = delete;
  FluidSequencer& operator=(const FluidSequencer&) = delete;

  // 0 on success, an mci:: error number otherwise.
  std::uint32_t Send(const std::string& command);

  // A soundfont was found, so tunes can be synthesised.
  bool HasSoundFont() const;
  // A tune holds the audio output (or the file renderer) right now.
  bool IsSounding() const;

  // SequencerOutput::kCaller: the next left.size() stereo samples at 44.1 kHz, silence while
  // nothing plays; after "close" the tune fades out over the stop fade's length, as it does
  // live. `left` and `right` have the same size.
  void Render(std::span<float> left, std::span<float> right);

 private:
  class Synthesiser;
  class Performance;
  std::uint32_t Open(const std::vector<std::string>& words);
  std::uint32_t Play(const std::vector<std::string>& words);
  std::uint32_t Close(const std::vector<std::string>& words);
  bool IsOpenAlias(const std::string& alias) const;
  // Lets the new performance sound through the chosen output; false when it cannot.
  bool StartOutput();
  void ReportNoOutputOnce();
  std::unique_ptr<Synthesiser> LoadedSynthesiser();

  FluidSequencerOptions options_;
  std::string sound_font_;                    // empty: none found
  std::unique_ptr<Synthesiser> synthesiser_;  // taken over at the first "open"
  // The load started at construction; handed over (or waited for) at the first "open".
  std::future<std::unique_ptr<Synthesiser>> loading_;
  std::optional<std::string> alias_;          // of the open device
  std::vector<std::uint8_t> tune_;            // the open device's file
  std::unique_ptr<Performance> performance_;  // the current or last "play"
  std::unique_ptr<Performance> fading_;       // SequencerOutput::kCaller: stopped, fading out
  bool no_output_reported_ = false;
};

}  // namespace frost
