// The strokes the card draws by the ten thousand, on a surface of the card's size (517 x 608
// pixels at 15 twips per pixel): raw raster functions, and the same through PictureBox.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>

#include "platform/headless/headless_backend.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/raster.h"

namespace frost {
namespace {

constexpr int kWidth = 517, kHeight = 608;
constexpr double kTpp = 15;
constexpr Color kInk = RGB(200, 150, 40);

// The card's five-pointed star: outer and inner points alternating along the drawing order.
std::array<std::pair<double, double>, 11> StarPath(double cx, double cy, double radius) {
  std::array<std::pair<double, double>, 11> path;
  constexpr int kOrder[] = {0, 3, 1, 4, 2};
  for (int k = 0; k < 5; ++k) {
    const int i = kOrder[k];
    const double outer = -3.1416 / 2 + 2.51328 * i, inner = outer + 1.25664 / 2;
    path[2 * k] = {cx + std::cos(outer) * radius, cy + std::sin(outer) * radius};
    path[2 * k + 1] = {cx + std::cos(inner) * radius / 2.5, cy + std::sin(inner) * radius / 2.5};
  }
  path[10] = path[0];
  return path;
}

void BM_RasterBoxFullSurface(benchmark::State& state) {
  Bitmap surface(kWidth, kHeight);
  const Pen pen{kInk, static_cast<int>(state.range(0))};
  for (auto _ : state) {
    RasterBox(surface, surface.Bounds(), {0, 0}, {kWidth - 1, kHeight - 1}, pen);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RasterBoxFullSurface)->Arg(1)->Arg(2);

void BM_RasterHorizontalLine380(benchmark::State& state) {
  Bitmap surface(kWidth, kHeight);
  const Pen pen{kInk, static_cast<int>(state.range(0))};
  int y = 0;
  for (auto _ : state) {
    RasterLine(surface, surface.Bounds(), {60, y}, {440, y}, pen);
    y = (y + 1) % kHeight;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RasterHorizontalLine380)->Arg(1)->Arg(2);

void BM_RasterDiagonalLine(benchmark::State& state) {
  Bitmap surface(kWidth, kHeight);
  const Pen pen{kInk, static_cast<int>(state.range(0))};
  for (auto _ : state) {
    RasterLine(surface, surface.Bounds(), {20, 30}, {420, 330}, pen);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RasterDiagonalLine)->Arg(1)->Arg(2)->Arg(6);

// Circles of every radius from 1 to 250 twips, as the ball and light painters draw them.
void BM_RasterCircles1To250Twips(benchmark::State& state) {
  Bitmap surface(kWidth, kHeight);
  const Pen pen{kInk, static_cast<int>(state.range(0))};
  for (auto _ : state) {
    for (int twips = 1; twips <= 250; ++twips) {
      const int r = static_cast<int>(std::floor(twips / kTpp + 0.5));
      RasterEllipse(surface, surface.Bounds(), {250 - r, 300 - r, 251 + r, 301 + r}, pen, nullptr);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 250);
}
BENCHMARK(BM_RasterCircles1To250Twips)->Arg(1)->Arg(2);

void BM_RasterStarOutline(benchmark::State& state) {
  Bitmap surface(kWidth, kHeight);
  const auto path = StarPath(250, 300, 350 / kTpp);
  const Pen pen{kInk, 2};
  for (auto _ : state) {
    for (int i = 0; i < 10; ++i) {
      RasterLine(surface, surface.Bounds(),
                 {static_cast<int>(std::lround(path[i].first)),
                  static_cast<int>(std::lround(path[i].second))},
                 {static_cast<int>(std::lround(path[i + 1].first)),
                  static_cast<int>(std::lround(path[i + 1].second))},
                 pen);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RasterStarOutline);

// The same strokes through the facade, in twips, on Picture1 with AutoRedraw on.
class CardSurface {
 public:
  CardSurface() {
    app.SetPacing(0);
    form.Move(0, 0, 7750, 9120);
    pic.Move(0, 0, 7750, 9120);
    pic.SetAutoRedraw(true);
  }
  HeadlessBackend backend{kTpp};
  Random random{1};
  Application app{backend, random};
  Form form{app, "Form1"};
  PictureBox pic{form, &form, "Picture1"};
};

void BM_PictureBoxFullSurfaceBox(benchmark::State& state) {
  CardSurface card;
  for (auto _ : state) card.pic.Box(0, 0, card.pic.Width(), card.pic.Height(), kInk);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PictureBoxFullSurfaceBox);

void BM_PictureBoxCircles1To250Twips(benchmark::State& state) {
  CardSurface card;
  for (auto _ : state) {
    for (int twips = 1; twips <= 250; ++twips) card.pic.Circle(3750, 4500, twips, kInk);
  }
  state.SetItemsProcessed(state.iterations() * 250);
}
BENCHMARK(BM_PictureBoxCircles1To250Twips);

void BM_PictureBoxStarOutline(benchmark::State& state) {
  CardSurface card;
  card.pic.DrawWidth = 2;
  const auto path = StarPath(3750, 4500, 350);
  for (auto _ : state) {
    card.pic.Line(path[0].first, path[0].second, path[1].first, path[1].second, kInk);
    for (int i = 2; i <= 10; ++i) card.pic.LineTo(path[i].first, path[i].second, kInk);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PictureBoxStarOutline);

void BM_PictureBoxDotWidth3(benchmark::State& state) {
  CardSurface card;
  card.pic.DrawWidth = 3;
  for (auto _ : state) card.pic.PSet(3750, 4500, kInk);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PictureBoxDotWidth3);

}  // namespace
}  // namespace frost
