// The scene painters as the show runs them, with the pacing off so that only the painting
// counts: the whole lit tree (the "Tree" command) and one tick of the tree lights.
#include <benchmark/benchmark.h>

#include "../tests/support/card_fixture.h"

namespace frost {
namespace {

struct PaintedCard : testing::CardFixture {
  PaintedCard() {
    app.SetPacing(0);
    form.DoEventsOn = false;
    form.DrawBackground();
    form.DrawFrame();
  }
};

void BM_TreeCommand(benchmark::State& state) {
  PaintedCard card;
  for (auto _ : state) card.form.Command8_Click();
}
BENCHMARK(BM_TreeCommand)->Unit(benchmark::kMillisecond);

// A tick with a fresh pattern each time; the bright level decides whether the whole tree
// flashes, so the ticks mix light-only repaints with whole-tree ones as the show does.
void BM_TreeLightTick(benchmark::State& state) {
  PaintedCard card;
  card.form.Command8_Click();
  for (auto _ : state) {
    card.form.LastLightPattern = 0;
    card.form.TimerAnimTree_Timer();
  }
}
BENCHMARK(BM_TreeLightTick)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace frost
