#include "platform/posix/fluid_sequencer.h"

#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <future>
#include <iterator>
#include <mutex>
#include <string_view>
#include <thread>
#include <utility>

#include "platform/posix/quiet_alsa.h"
#include "platform/posix/stop_fade.h"
#include "platform/posix/wav_writer.h"

namespace frost {

namespace {

constexpr double kSampleRate = 44100.0;
// FluidSynth's own 0.2 is quiet next to other desktop sound; 0.6 leaves headroom for the
// tune's loudest chords.
constexpr double kGain = 0.6;
// Reverb gives the tune its room; chorus would add a fifth to the CPU time for little.
constexpr double kReverbRoomSize = 0.6;
constexpr double kReverbDamping = 0.3;
constexpr double kReverbWidth = 0.8;
constexpr double kReverbLevel = 0.7;
// General MIDI's percussion channel, whose programs select drum kits.
constexpr int kPercussionChannel = 9;
constexpr int kProgramChange = 0xC0;
// Frames per render call: large enough that a live driver wakes up rarely.
constexpr int kPeriodSize = 512;
// How long the last notes may ring on after the tune's last event. FluidSynth's player waits
// for every voice to end, and a bell's inaudible tail keeps it waiting for many seconds.
constexpr double kRingOutSeconds = 3;
// A stop waits this much beyond the fade for a live driver to render it; a driver that has
// stalled is let go then.
constexpr auto kFadeGrace = std::chrono::milliseconds(300);

// Live drivers in order of preference; those not built into this FluidSynth are skipped.
constexpr std::string_view kLiveDrivers[] = {"pulseaudio", "pipewire", "alsa", "sdl2"};

// --- FluidSynth's messages: errors only ----------------------------------------------------

std::atomic<int> errors_muted{0};

void PrintFluidError(int, const char* message, void*) {
  if (errors_muted.load() == 0)
    std::fprintf(stderr, "fluidsynth: %s\n", message);
}

void FilterFluidLog() {
  static std::once_flag once;
  std::call_once(once, [] {
    fluid_set_log_function(FLUID_PANIC, PrintFluidError, nullptr);
    fluid_set_log_function(FLUID_ERR, PrintFluidError, nullptr);
    for (int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
      fluid_set_log_function(level, nullptr, nullptr);
    }
  });
}

// While the drivers are tried one after another, each one's failure is no news.
class QuietDriverProbe {
 public:
  QuietDriverProbe() { ++errors_muted; }
  ~QuietDriverProbe() { --errors_muted; }
  QuietDriverProbe(const QuietDriverProbe&) = delete;
  QuietDriverProbe& operator=(const QuietDriverProbe&) = delete;

 private:
  QuietAlsa alsa_;
};

// --- command words ----------------------------------------------------------------------------

// Splits a command into words; a double-quoted word may hold blanks. nullopt: a quote is open.
std::optional<std::vector<std::string>> SplitWords(std::string_view command) {
  constexpr std::string_view kBlanks = " \t";
  std::vector<std::string> words;
  for (auto start = command.find_first_not_of(kBlanks); start != std::string_view::npos;
       start = command.find_first_not_of(kBlanks, start)) {
    if (command[start] == '"') {
      const auto close = command.find('"', start + 1);
      if (close == std::string_view::npos)
        return std::nullopt;
      words.emplace_back(command.substr(start + 1, close - start - 1));
      start = close + 1;
    } else {
      const auto end = std::min(command.find_first_of(kBlanks, start), command.size());
      words.emplace_back(command.substr(start, end - start));
      start = end;
    }
  }
  return words;
}

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

bool SameWord(std::string_view a, std::string_view b) {
  return LowerCase(a) == LowerCase(b);
}

bool FileIsPresent(const std::string& path) {
  return std::ifstream(path).good();
}

// The whole file, or nullopt when it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file)
    return std::nullopt;
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {});
}

bool IsStandardMidiFile(const std::vector<std::uint8_t>& bytes) {
  constexpr std::string_view kHeader = "MThd";
  return bytes.size() >= 14 && std::equal(kHeader.begin(), kHeader.end(), bytes.begin());
}

std::vector<std::string> BuiltInDrivers(fluid_settings_t* settings) {
  std::vector<std::string> names;
  fluid_settings_foreach_option(settings, "audio.driver", &names,
                                [](void* data, const char*, const char* option) {
                                  static_cast<std::vector<std::string>*>(data)->push_back(option);
                                });
  return names;
}

}  // namespace

bool PlaysWithLinearInterpolation(int program) {
  constexpr int kViolin = 40, kTremoloStrings = 44;          // the bowed strings
  constexpr int kStringEnsemble1 = 48, kSynthStrings2 = 51;  // the string ensembles
  constexpr int kFrenchHorn = 60;
  return (program >= kViolin && program <= kTremoloStrings) ||
         (program >= kStringEnsemble1 && program <= kSynthStrings2) || program == kFrenchHorn;
}

std::vector<std::string> SystemSoundFonts() {
  return {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
          "/usr/share/sounds/sf2/TimGM6mb.sf2"};
}

// --- the synthesiser: settings, synth and soundfont, made once -------------------------------

class FluidSequencer::Synthesiser {
 public:
  // nullptr when FluidSynth cannot load the soundfont.
  static std::unique_ptr<Synthesiser> Load(const std::string& soundFont, const SynthTrade& trade) {
    auto synthesiser = std::unique_ptr<Synthesiser>(new Synthesiser(trade));
    if (synthesiser->synth_ == nullptr ||
        fluid_synth_sfload(synthesiser->synth_, soundFont.c_str(), 1) == FLUID_FAILED) {
      return nullptr;
    }
    return synthesiser;
  }
  ~Synthesiser() {
    if (synth_ != nullptr)
      delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
  }
  Synthesiser(const Synthesiser&) = delete;
  Synthesiser& operator=(const Synthesiser&) = delete;

  fluid_synth_t* Synth() const { return synth_; }

  // Lets `player`'s events through to the synth, each program change picking its channel's
  // interpolation by the trade.
  void Follow(fluid_player_t* player) {
    fluid_synth_set_interp_method(synth_, -1, FLUID_INTERP_DEFAULT);
    fluid_player_set_playback_callback(player, &Synthesiser::Perform, this);
  }

  // The first live driver that opens, the one that worked last time tried first; nullptr
  // when there is no audio output at all. Drivers that can render through `render` do
  // (`throughRender`); the others render the synth themselves.
  fluid_audio_driver_t* OpenAudioDriver(fluid_audio_func_t render, void* data,
                                        bool& throughRender) {
    std::vector<std::string> candidates;
    if (!working_driver_.empty())
      candidates.push_back(working_driver_);
    const auto builtIn = BuiltInDrivers(settings_);
    for (std::string_view name : kLiveDrivers) {
      if (std::find(builtIn.begin(), builtIn.end(), name) != builtIn.end()) {
        candidates.emplace_back(name);
      }
    }
    QuietDriverProbe quiet;
    for (const auto& name : candidates) {
      fluid_settings_setstr(settings_, "audio.driver", name.c_str());
      fluid_audio_driver_t* driver = new_fluid_audio_driver2(settings_, render, data);
      throughRender = driver != nullptr;
      if (driver == nullptr)
        driver = new_fluid_audio_driver(settings_, synth_);
      if (driver != nullptr) {
        working_driver_ = name;
        return driver;
      }
    }
    return nullptr;
  }

 private:
  static int Perform(void* data, fluid_midi_event_t* event) {
    const auto& synthesiser = *static_cast<const Synthesiser*>(data);
    const int channel = fluid_midi_event_get_channel(event);
    if (fluid_midi_event_get_type(event) == kProgramChange && channel != kPercussionChannel) {
      const bool linear = synthesiser.trade_.linear_for_mellow_instruments &&
                          PlaysWithLinearInterpolation(fluid_midi_event_get_program(event));
      fluid_synth_set_interp_method(synthesiser.synth_, channel,
                                    linear ? FLUID_INTERP_LINEAR : FLUID_INTERP_DEFAULT);
    }
    return fluid_synth_handle_midi_event(synthesiser.synth_, event);
  }

  explicit Synthesiser(const SynthTrade& trade) : trade_(trade), settings_(new_fluid_settings()) {
    fluid_settings_setnum(settings_, "synth.sample-rate", kSampleRate);
    fluid_settings_setnum(settings_, "synth.gain", kGain);
    fluid_settings_setint(settings_, "synth.polyphony", trade.polyphony);
    fluid_settings_setint(settings_, "synth.reverb.active", 1);
    fluid_settings_setnum(settings_, "synth.reverb.room-size", kReverbRoomSize);
    fluid_settings_setnum(settings_, "synth.reverb.damp", kReverbDamping);
    fluid_settings_setnum(settings_, "synth.reverb.width", kReverbWidth);
    fluid_settings_setnum(settings_, "synth.reverb.level", kReverbLevel);
    fluid_settings_setint(settings_, "synth.chorus.active", 0);
    // A full GM soundfont is over 100 MB; only the instruments the tune selects are loaded.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(settings_, "synth.lock-memory", 0);
    fluid_settings_setint(settings_, "audio.period-size", kPeriodSize);
    // The player follows the rendered samples, so a file renders as fast as the CPU allows.
    fluid_settings_setstr(settings_, "player.timing-source", "sample");
    synth_ = new_fluid_synth(settings_);
  }

  SynthTrade trade_;
  fluid_settings_t* settings_;
  fluid_synth_t* synth_ = nullptr;
  std::string working_driver_;
};

// --- one "play": the player and the output it sounds through ---------------------------------

class FluidSequencer::Performance {
 public:
  // nullptr when FluidSynth cannot read the tune.
  static std::unique_ptr<Performance> Start(Synthesiser& synthesiser,
                                            const std::vector<std::uint8_t>& tune, bool repeat) {
    auto performance = std::unique_ptr<Performance>(new Performance(synthesiser));
    fluid_player_t* player = performance->player_;
    if (fluid_player_add_mem(player, tune.data(), tune.size()) != FLUID_OK)
      return nullptr;
    synthesiser.Follow(player);
    fluid_player_set_loop(player, repeat ? -1 : 1);
    if (fluid_player_play(player) != FLUID_OK)
      return nullptr;
    return performance;
  }

  ~Performance() {
    StopOutput();
    fluid_player_stop(player_);
    delete_fluid_player(player_);
    fluid_synth_all_sounds_off(synthesiser_.Synth(), -1);
  }
  Performance(const Performance&) = delete;
  Performance& operator=(const Performance&) = delete;

  // Sounds through the first live driver that opens; false when none does.
  bool SoundLive() {
    PrimeInstruments();
    bool throughRender = false;
    fluid_audio_driver_t* driver =
        synthesiser_.OpenAudioDriver(&Performance::RenderLive, this, throughRender);
    if (driver == nullptr)
      return false;
    sounding_ = true;
    output_ = std::thread([this, driver, throughRender] {
      if (WaitForStopOrSilence()) {
        if (throughRender)
          WaitForFade();
        else
          FadeByGain();
      }
      // Released as soon as the tune has died away: an idle driver renders silence forever.
      delete_fluid_audio_driver(driver);
      sounding_ = false;
    });
    return true;
  }

  // Renders into a WAV file block by block, faster than real time; false when it cannot be
  // written.
  bool SoundIntoFile(const std::string& path) {
    auto file = std::make_unique<WavWriter>(path, static_cast<int>(kSampleRate));
    if (!file->Ok())
      return false;
    sounding_ = true;
    output_ = std::thread([this, file = std::move(file)] {
      std::vector<float> left(kPeriodSize), right(kPeriodSize);
      while (Render(kPeriodSize, left.data(), right.data()) == FLUID_OK) {
        file->Write(left.data(), right.data(), kPeriodSize);
        if (faded_ || (!stopping_ && HasDiedAway(kPeriodSize / kSampleRate)))
          break;
      }
      file->Close();
      sounding_ = false;
    });
    return true;
  }

  // The caller renders the samples; this only keeps watch.
  void SoundForCaller() { sounding_ = true; }
  // The caller's next frames: faded out once a stop has been asked for, as live output is.
  void RenderForCaller(int frames, float* left, float* right) {
    Render(frames, left, right);
    if (sounding_ && !stopping_ && HasDiedAway(frames / kSampleRate))
      sounding_ = false;
  }
  // A stop of the caller's output: its next frames fade out.
  void BeginFade() { stopping_ = true; }
  bool Faded() const { return faded_; }

  void WaitUntilSilent() {
    if (output_.joinable())
      output_.join();
  }

  bool Sounding() const { return sounding_; }

 private:
  explicit Performance(Synthesiser& synthesiser)
      : synthesiser_(synthesiser), player_(new_fluid_player(synthesiser.Synth())) {}

  static int RenderLive(void* data, int frames, int, float*[], int outputs, float* out[]) {
    // Every driver hands over at least one stereo pair.
    if (outputs < 2)
      return FLUID_FAILED;
    return static_cast<Performance*>(data)->Render(frames, out[0], out[1]);
  }

  // The next frames of the tune, faded out once a stop has been asked for. Runs on the output
  // thread (the driver's or the file's) only.
  int Render(int frames, float* left, float* right) {
    const int result =
        fluid_synth_write_float(synthesiser_.Synth(), frames, left, 0, 1, right, 0, 1);
    if (stopping_) {
      fade_.Apply(left, right, frames);
      faded_ = fade_.Done();
    }
    return result;
  }

  // True when a stop was asked for, false when the tune died away by itself.
  bool WaitForStopOrSilence() {
    // A look ten times a second is all the watching a tune needs.
    constexpr auto kPollInterval = std::chrono::milliseconds(100);
    auto last = std::chrono::steady_clock::now();
    std::unique_lock lock(mutex_);
    while (!changed_.wait_for(lock, kPollInterval, [this] { return stopping_.load(); })) {
      const auto now = std::chrono::steady_clock::now();
      if (HasDiedAway(std::chrono::duration<double>(now - last).count()))
        return false;
      last = now;
    }
    return true;
  }

  void WaitForFade() const {
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration<double>(kStopFadeSeconds) + kFadeGrace;
    while (!faded_ && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  // A driver that renders the synth itself (SDL's) fades by the synth's gain instead, along
  // the same line, in steps of a few milliseconds.
  void FadeByGain() {
    fluid_synth_t* synth = synthesiser_.Synth();
    const auto start = std::chrono::steady_clock::now();
    for (double elapsed = 0; elapsed < kStopFadeSeconds;) {
      fluid_synth_set_gain(synth, static_cast<float>(kGain) * StopFade::Level(elapsed));
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    fluid_synth_set_gain(synth, 0);
    // Long enough for the driver to play out its last blocks at that gain.
    std::this_thread::sleep_for(
        std::chrono::milliseconds(2 * kPeriodSize * 1000 / static_cast<int>(kSampleRate)));
    fluid_synth_set_gain(synth, static_cast<float>(kGain));
  }

  // The tune's first events select its instruments, which loads their samples; done here
  // rather than in the audio thread, where the loading would make the first notes stutter.
  void PrimeInstruments() {
    float left[64], right[64];
    fluid_synth_write_float(synthesiser_.Synth(), 64, left, 0, 1, right, 0, 1);
  }

  // True once the tune has ended and its last notes have rung out; `seconds` have sounded
  // since the last look.
  bool HasDiedAway(double seconds) {
    if (fluid_player_get_status(player_) == FLUID_PLAYER_DONE)
      return true;
    // FluidSynth walks every event for the total, so it is asked until the tune has loaded.
    if (last_tick_ <= 0)
      last_tick_ = fluid_player_get_total_ticks(player_);
    if (last_tick_ <= 0 || fluid_player_get_current_tick(player_) < last_tick_) {
      ring_out_seconds_ = 0;  // still playing, or a repeat has started again
      return false;
    }
    ring_out_seconds_ += seconds;
    return ring_out_seconds_ >= kRingOutSeconds;
  }

  void StopOutput() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_one();
    WaitUntilSilent();
  }

  Synthesiser& synthesiser_;
  fluid_player_t* player_;
  double ring_out_seconds_ = 0;  // touched by the output thread only
  int last_tick_ = 0;            // likewise
  StopFade fade_{kSampleRate};   // likewise
  std::atomic<bool> faded_{false};
  std::thread output_;
  std::atomic<bool> sounding_{false};
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::condition_variable changed_;
};

// --- the command interpreter -------------------------------------------------------------------

FluidSequencer::FluidSequencer(FluidSequencerOptions options) : options_(std::move(options)) {
  FilterFluidLog();
  const auto& fonts = options_.sound_fonts;
  const auto found = std::find_if(fonts.begin(), fonts.end(), FileIsPresent);
  if (found != fonts.end()) {
    sound_font_ = *found;
    // Everything the loader needs is copied in; the result passes back through the future.
    loading_ = std::async(std::launch::async, [font = sound_font_, trade = options_.trade] {
      return Synthesiser::Load(font, trade);
    });
  } else {
    std::fprintf(stderr,
                 "Frostmail: no General MIDI soundfont found (install fluid-soundfont-gm or "
                 "timgm6mb-soundfont); the music is off\n");
  }
}

FluidSequencer::~FluidSequencer() = default;

bool FluidSequencer::HasSoundFont() const {
  return !sound_font_.empty();
}

bool FluidSequencer::IsSounding() const {
  return performance_ && performance_->Sounding();
}

std::uint32_t FluidSequencer::Send(const std::string& command) {
  const auto words = SplitWords(command);
  if (!words)
    return mci::kNoClosingQuote;
  if (words->empty())
    return mci::kMissingCommandString;
  const std::string verb = LowerCase(words->front());
  if (verb == "open")
    return Open(*words);
  if (verb == "play")
    return Play(*words);
  if (verb == "close")
    return Close(*words);
  return mci::kUnrecognizedCommand;
}

// open <file> [type sequencer] [alias <alias>]; without an alias the file name names it.
std::uint32_t FluidSequencer::Open(const std::vector<std::string>& words) {
  if (words.size() < 2)
    return mci::kMissingParameter;
  std::string alias = words[1];
  for (std::size_t i = 2; i < words.size(); i += 2) {
    if (i + 1 == words.size())
      return mci::kMissingParameter;
    if (SameWord(words[i], "alias")) {
      alias = words[i + 1];
    } else if (!SameWord(words[i], "type")) {
      return mci::kUnrecognizedKeyword;
    } else if (!SameWord(words[i + 1], "sequencer")) {
      return mci::kInvalidDeviceName;
    }
  }
  if (alias_)
    return IsOpenAlias(alias) ? mci::kDuplicateAlias : mci::kDeviceOpen;
  auto tune = ReadFile(words[1]);
  if (!tune)
    return mci::kFileNotFound;
  if (!IsStandardMidiFile(*tune))
    return mci::kInvalidFile;
  if (!HasSoundFont())
    return mci::kNoMidiPresent;
  if (!synthesiser_)
    synthesiser_ = LoadedSynthesiser();
  if (!synthesiser_)
    return mci::kNoMidiPresent;

  alias_ = alias;
  tune_ = std::move(*tune);
  return mci::kOk;
}

// play <alias> [repeat | wait]: a play while the tune sounds starts it again.
std::uint32_t FluidSequencer::Play(const std::vector<std::string>& words) {
  if (words.size() < 2)
    return mci::kMissingParameter;
  if (!IsOpenAlias(words[1]))
    return mci::kInvalidDeviceName;
  if (words.size() > 3)
    return mci::kUnrecognizedKeyword;
  const bool repeat = words.size() == 3 && SameWord(words[2], "repeat");
  const bool wait = words.size() == 3 && SameWord(words[2], "wait");
  if (words.size() == 3 && !repeat && !wait)
    return mci::kUnrecognizedKeyword;

  fading_.reset();
  performance_.reset();
  performance_ = Performance::Start(*synthesiser_, tune_, repeat);
  if (!performance_)
    return mci::kInvalidFile;
  if (!StartOutput()) {
    performance_.reset();
    ReportNoOutputOnce();
    return mci::kHardware;
  }
  if (wait)
    performance_->WaitUntilSilent();
  return mci::kOk;
}

bool FluidSequencer::StartOutput() {
  switch (options_.output) {
    case SequencerOutput::kLive:
      return performance_->SoundLive();
    case SequencerOutput::kWavFile:
      return performance_->SoundIntoFile(options_.wav_file);
    case SequencerOutput::kCaller:
      performance_->SoundForCaller();
      return true;
  }
  return false;
}

void FluidSequencer::Render(std::span<float> left, std::span<float> right) {
  const int frames = static_cast<int>(std::min(left.size(), right.size()));
  if (performance_) {
    performance_->RenderForCaller(frames, left.data(), right.data());
    return;
  }
  if (fading_) {
    fading_->RenderForCaller(frames, left.data(), right.data());
    if (fading_->Faded())
      fading_.reset();
    return;
  }
  std::fill(left.begin(), left.end(), 0.0f);
  std::fill(right.begin(), right.end(), 0.0f);
}

std::uint32_t FluidSequencer::Close(const std::vector<std::string>& words) {
  if (words.size() != 2)
    return mci::kMissingParameter;
  if (!IsOpenAlias(words[1]))
    return mci::kInvalidDeviceName;
  if (options_.output == SequencerOutput::kCaller && performance_) {
    // The caller renders on after the stop; the fade happens in its next frames.
    performance_->BeginFade();
    fading_ = std::move(performance_);
  }
  performance_.reset();
  alias_.reset();
  tune_.clear();
  return mci::kOk;
}

// The early load's result the first time; a load that failed is tried again at each "open".
std::unique_ptr<FluidSequencer::Synthesiser> FluidSequencer::LoadedSynthesiser() {
  if (loading_.valid())
    return loading_.get();
  return Synthesiser::Load(sound_font_, options_.trade);
}

void FluidSequencer::ReportNoOutputOnce() {
  if (std::exchange(no_output_reported_, true))
    return;
  std::fprintf(stderr, "Frostmail: no audio output could be opened; the music is off\n");
}

bool FluidSequencer::IsOpenAlias(const std::string& alias) const {
  return alias_ && SameWord(*alias_, alias);
}

}  // namespace frost
