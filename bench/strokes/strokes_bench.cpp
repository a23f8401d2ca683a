// One full "Tree" command's strokes through our rasteriser and through cairo, whole and by
// kind; after the runs it prints how many times faster ours is.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "tree_strokes.h"

namespace frost::bench {
namespace {

const std::vector<Stroke>& TreeStrokes() {
  static const std::vector<Stroke> strokes = RecordTreeStrokes();
  return strokes;
}

// Arg: -1 every stroke, else only those of that StrokeKind.
std::vector<Stroke> Selected(const benchmark::State& state) {
  std::vector<Stroke> selected;
  for (const Stroke& s : TreeStrokes()) {
    if (state.range(0) < 0 || static_cast<int>(s.kind) == state.range(0))
      selected.push_back(s);
  }
  return selected;
}

std::string KindName(std::int64_t arg) {
  constexpr const char* kNames[] = {"lines", "circles", "dots"};
  return arg < 0 ? "strokes" : kNames[arg];
}

void Label(benchmark::State& state, const std::vector<Stroke>& strokes) {
  state.SetLabel(std::to_string(strokes.size()) + " " + KindName(state.range(0)));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(strokes.size()));
}

void BM_TreeStrokesOurs(benchmark::State& state) {
  const std::vector<Stroke> strokes = Selected(state);
  Bitmap surface(kCardWidth, kCardHeight);
  for (auto _ : state) {
    ReplayOurs(surface, strokes);
    benchmark::ClobberMemory();
  }
  Label(state, strokes);
}

void BM_TreeStrokesCairo(benchmark::State& state) {
  const std::vector<Stroke> strokes = Selected(state);
  CairoCanvas canvas;
  for (auto _ : state) {
    canvas.Replay(strokes);
    canvas.Flush();
  }
  Label(state, strokes);
}

BENCHMARK(BM_TreeStrokesOurs)->DenseRange(-1, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeStrokesCairo)->DenseRange(-1, 2)->Unit(benchmark::kMillisecond);

// Console output as usual, keeping each benchmark's CPU time to compare the pairs afterwards.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    // With repetitions the median stands for the benchmark, else its single run.
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
        cpu_[run.run_name.str()] = run.GetAdjustedCPUTime();
    }
  }
  void PrintRatios() const {
    for (int arg = -1; arg <= 2; ++arg) {
      const auto ours = cpu_.find("BM_TreeStrokesOurs/" + std::to_string(arg));
      const auto cairo = cpu_.find("BM_TreeStrokesCairo/" + std::to_string(arg));
      if (ours != cpu_.end() && cairo != cpu_.end() && ours->second > 0) {
        std::printf("%s: ours is %.1fx as fast as cairo\n", KindName(arg).c_str(),
                    cairo->second / ours->second);
      }
    }
  }

 private:
  std::map<std::string, double> cpu_;
};

}  // namespace
}  // namespace frost::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  frost::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
