// Building the window region from the card's picture (517 x 608 pixels, about 300,000 reads).
#include <benchmark/benchmark.h>

#include "startup/window_region.h"
#include "support/card_fixture.h"

namespace frost {
namespace {

void BM_MakeRegionFromPicture_LitTree(benchmark::State& state) {
  testing::CardFixture card;
  card.app.SetPacing(0);
  card.form.Command14_Click();
  card.form.Command8_Click();
  card.form.Picture1.SetScaleMode(ScaleMode::Pixels);
  for (auto _ : state) {
    benchmark::DoNotOptimize(MakeRegionFromPicture(card.form.Picture1));
  }
}
BENCHMARK(BM_MakeRegionFromPicture_LitTree)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace frost
