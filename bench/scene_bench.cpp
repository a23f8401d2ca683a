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

// The pattern the next tree-light tick will draw (its second draw from the generator).
double NextLightPattern(const Random& random) {
  Random peek = random;
  peek.Rnd();
  return Int(10 * peek.Rnd() + 1);
}

// A tick with a fresh pattern each time (a repeated one paints nothing); the bright level
// decides whether the whole tree flashes, so the ticks mix light-only repaints with whole-tree
// ones as the show does.
void BM_TreeLightTick(benchmark::State& state) {
  PaintedCard card;
  card.form.Command8_Click();
  double last = 0;
  for (auto _ : state) {
    state.PauseTiming();
    while (NextLightPattern(card.random) == last) card.random.Rnd();
    last = NextLightPattern(card.random);
    state.ResumeTiming();
    card.form.TimerAnimTree_Timer();
  }
}
BENCHMARK(BM_TreeLightTick)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace frost
