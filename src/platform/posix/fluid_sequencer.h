#pragma once
#include <cstdint>
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

// The system's General MIDI soundfonts, most preferred first.
std::vector<std::string> SystemSoundFonts();

// Where a tune sounds.
enum class SequencerOutput {
  kLive,     // the first audio driver that opens
  kWavFile,  // the options' WAV file, rendered faster than real time
  kCaller,   // nowhere by itself: the caller takes the samples with Render(), which drives the tune
};

struct FluidSequencerOptions {
  // The first of these that exists is loaded.
  std::vector<std::string> sound_fonts = SystemSoundFonts();
  SequencerOutput output = SequencerOutput::kLive;
  std::string wav_file;  // for SequencerOutput::kWavFile
};

// A MIDI sequencer driven by the multimedia interface's command strings, over FluidSynth:
//   open <file> type sequencer alias <alias>    (the file name may be double-quoted)
//   play <alias> [repeat | wait]
//   close <alias>
// One device is open at a time. The audio output is held only while a tune sounds: when the
// tune and its reverb have died away it is released, and the alias stays open until "close".
// Commands come from one thread; the tune plays on FluidSynth's audio thread.
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
  // nothing is open. `left` and `right` have the same size.
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

  FluidSequencerOptions options_;
  std::string sound_font_;                    // empty: none found
  std::unique_ptr<Synthesiser> synthesiser_;  // made at the first "open"
  std::optional<std::string> alias_;          // of the open device
  std::vector<std::uint8_t> tune_;            // the open device's file
  std::unique_ptr<Performance> performance_;  // the current or last "play"
  bool no_output_reported_ = false;
};

}  // namespace frost
