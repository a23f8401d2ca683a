#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <vector>

#include "platform/posix/fluid_sequencer.h"
#include "resources/embedded.h"
#include "support/temp_folder.h"

// The card's tune through the synthesiser's trades of sound against work: the work while the
// fireworks sound (60 to 74 s, the whole ensemble), and how far the sound moves from the tune
// rendered with unlimited voices and fourth-order interpolation everywhere, sample by sample.

namespace frost {
namespace {

constexpr int kRate = 44100;
constexpr int kBlock = 512;
constexpr double kTuneSeconds = 76;
constexpr double kBusyFrom = 60, kBusyUntil = 74;
constexpr double kWindowSeconds = 4;

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

struct Rendering {
  std::vector<float> left, right;
  double busy_cpu_seconds = 0;
};

// Empty when the card has no tune or the machine no soundfont.
Rendering RenderTune(const SynthTrade& trade) {
  const auto tune = resources::Find("CUSTOM", 101);
  if (!tune)
    return {};
  testing::TempFolder folder;
  std::ofstream(folder.File("mm.mid"), std::ios::binary)
      .write(reinterpret_cast<const char*>(tune->data()),
             static_cast<std::streamsize>(tune->size()));
  FluidSequencer sequencer{{.output = SequencerOutput::kCaller, .wav_file = {}, .trade = trade}};
  if (sequencer.Send("open " + folder.File("mm.mid") + " alias tune") != mci::kOk ||
      sequencer.Send("play tune") != mci::kOk) {
    return {};
  }
  Rendering rendering;
  const auto frames = static_cast<std::size_t>(kTuneSeconds * kRate) / kBlock * kBlock;
  rendering.left.resize(frames);
  rendering.right.resize(frames);
  for (std::size_t at = 0; at < frames; at += kBlock) {
    const bool busy = at >= kBusyFrom * kRate && at < kBusyUntil * kRate;
    const double before = busy ? ThreadCpuSeconds() : 0;
    sequencer.Render({rendering.left.data() + at, kBlock}, {rendering.right.data() + at, kBlock});
    if (busy)
      rendering.busy_cpu_seconds += ThreadCpuSeconds() - before;
  }
  return rendering;
}

struct Difference {
  double overall_db = 0;
  double worst_window_db = 0;
  double worst_window_highs_db = 0;  // the same window, weighted to the highs (first difference)
};

double DecibelsBelow(double signal, double error) {
  return error > 0 ? 10 * std::log10(signal / error) : 999;
}

Difference Compare(const Rendering& reference, const Rendering& trial) {
  Difference result{.overall_db = 0, .worst_window_db = 999, .worst_window_highs_db = 999};
  double signal = 0, error = 0;
  const std::size_t window = kWindowSeconds * kRate;
  for (std::size_t start = 0; start + window <= reference.left.size(); start += window) {
    double windowSignal = 0, windowError = 0, highsSignal = 0, highsError = 0;
    for (const auto channel : {&Rendering::left, &Rendering::right}) {
      const auto& ref = reference.*channel;
      const auto& got = trial.*channel;
      for (std::size_t i = std::max<std::size_t>(start, 1); i < start + window; ++i) {
        const double diff = ref[i] - got[i], before = ref[i - 1] - got[i - 1];
        windowSignal += ref[i] * ref[i];
        windowError += diff * diff;
        highsSignal += (ref[i] - ref[i - 1]) * (ref[i] - ref[i - 1]);
        highsError += (diff - before) * (diff - before);
      }
    }
    signal += windowSignal;
    error += windowError;
    const double db = DecibelsBelow(windowSignal, windowError);
    if (db < result.worst_window_db) {
      result.worst_window_db = db;
      result.worst_window_highs_db = DecibelsBelow(highsSignal, highsError);
    }
  }
  result.overall_db = DecibelsBelow(signal, error);
  return result;
}

const Rendering& Reference() {
  static const Rendering reference =
      RenderTune({.polyphony = 256, .linear_for_mellow_instruments = false});
  return reference;
}

void BM_TuneWithTrade(benchmark::State& state) {
  const SynthTrade trade{.polyphony = static_cast<int>(state.range(0)),
                         .linear_for_mellow_instruments = state.range(1) != 0};
  if (Reference().left.empty()) {
    state.SkipWithError("no tune or no General MIDI soundfont");
    return;
  }
  Rendering rendering;
  for (auto _ : state) rendering = RenderTune(trade);
  const Difference difference = Compare(Reference(), rendering);
  state.counters["busy_cpu_percent"] = 100 * rendering.busy_cpu_seconds / (kBusyUntil - kBusyFrom);
  state.counters["diff_db"] = difference.overall_db;
  state.counters["worst_4s_db"] = difference.worst_window_db;
  state.counters["worst_4s_highs_db"] = difference.worst_window_highs_db;
}
// The card's trade first, then what it was before, then each half of it alone.
BENCHMARK(BM_TuneWithTrade)
    ->ArgNames({"voices", "linear"})
    ->Args({48, 1})
    ->Args({64, 0})
    ->Args({48, 0})
    ->Args({256, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace frost
