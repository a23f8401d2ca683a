// The scene painters as the show runs them, with the pacing off so that only the painting
// counts: the whole lit tree (the "Tree" command) and one tick of the tree lights.
#include <benchmark/benchmark.h>

#include "../tests/support/card_fixture.h"

namespace frost {
namespace {

struct PaintedCard : testing::CardFixture {
  PaintedCard() {
    app.SetPacing(0);
    form.paint.DoEventsOn = false;
    form.backdrop.DrawBackground();
    form.backdrop.DrawFrame();
  }
};

void BM_TreeCommand(benchmark::State& state) {
  PaintedCard card;
  for (auto _ : state) card.form.Command8_Click();
}
BENCHMARK(BM_TreeCommand)->Unit(benchmark::kMillisecond);

// Ticks as the show runs them: the bright level decides whether the whole tree flashes, so they
// mix light-only repaints with whole-tree ones (and about one in ten repeats the last pattern and
// paints nothing).
void BM_TreeLightTick(benchmark::State& state) {
  PaintedCard card;
  card.form.Command8_Click();
  for (auto _ : state) card.form.TimerAnimTree_Timer();
}
BENCHMARK(BM_TreeLightTick)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace frost
