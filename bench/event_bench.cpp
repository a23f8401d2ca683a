#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"
#include "toolkit/picture_box.h"
#include "toolkit/timer.h"

namespace frost {
namespace {

// The card's window: 517 x 608 pixels, a picture box filling it, seven timers and a few
// controls over the picture.
struct CardLikeWindow {
  CardLikeWindow() {
    app.SetPacing(0);
    form.Move(0, 0, 517 * 15, 608 * 15);
    picture.Move(0, 0, 517 * 15, 608 * 15);
    picture.SetAutoRedraw(true);
    picture.SetBackColor(RGB(108, 79, 19));
    label.Move(216, 4440, 3480, 204);
    label.SetCaption("Frost Mail V2014.2");
    shape.Move(228, 5880, 150, 150);
    for (int i = 0; i < 7; ++i) {
      timers.push_back(std::make_unique<Timer>(form, "Timer" + std::to_string(i), 1000));
    }
    form.SetVisible(true);
  }

  HeadlessBackend backend;
  Random random{1};
  Application app{backend, random};
  Form form{app, "Form1"};
  PictureBox picture{form, &form, "Picture1"};
  Label label{form, &picture, "Label2"};
  Shape shape{form, &picture, "Shape1"};
  std::vector<std::unique_ptr<Timer>> timers;
};

void BM_YieldWithNothingPending(benchmark::State& state) {
  CardLikeWindow window;
  for (auto& timer : window.timers) timer->SetEnabled(true);
  window.app.DoEvents();
  for (auto _ : state) window.app.DoEvents();
}
BENCHMARK(BM_YieldWithNothingPending);

void BM_PresentFrame(benchmark::State& state) {
  CardLikeWindow window;
  for (auto _ : state) {
    window.form.MarkChanged();
    window.app.PresentIfChanged();
  }
  benchmark::DoNotOptimize(window.backend.LastFrame().At(0, 0));
}
BENCHMARK(BM_PresentFrame)->Unit(benchmark::kMicrosecond);

// The show's usual present: a firework ring's ten dots changed since the last one.
void BM_PresentRing(benchmark::State& state) {
  CardLikeWindow window;
  window.picture.DrawWidth = 4;
  window.app.PresentIfChanged();
  for (auto _ : state) {
    for (int dot = 0; dot < 10; ++dot) {
      window.picture.PSet(3000 + 300 * dot, 4000 + 150 * (dot % 3), RGB(255, 220, 90));
    }
    window.app.PresentIfChanged();
  }
  benchmark::DoNotOptimize(window.backend.LastFrame().At(0, 0));
}
BENCHMARK(BM_PresentRing)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace frost
