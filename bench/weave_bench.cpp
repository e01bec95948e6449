#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "engine/Band.h"
#include "engine/Threading.h"
#include "render/RasterCanvas.h"

namespace tessaly {
namespace {

constexpr int kCanvasHeight = 1000;

// One more pick on a band of state.range(0) rows: its cost must not depend on the length.
void BM_WeaveRow(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const DrawingGeometry geometry{10, 10, 0, 0};
    Band band = bench::BandOfRows(rows, 100);
    RasterCanvas canvas(BandCanvasWidth(100, geometry), kCanvasHeight);
    band.WeaveBand(&canvas, geometry);
    Cards next = band.At(rows).Cards();
    for (Card& card : next) card.SetTurn(0);
    for (auto _ : state) {
        band.WeaveRow(next, &canvas, geometry);
        benchmark::DoNotOptimize(canvas.Image().constBits());
        state.PauseTiming();
        band.Remove(band.Count());
        state.ResumeTiming();
    }
}
// 10 rows: the new pick lies on the canvas and is drawn; from 100 rows on it lies above it.
BENCHMARK(BM_WeaveRow)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_WeaveAll(benchmark::State& state) {
    const DrawingGeometry geometry{static_cast<std::int32_t>(state.range(0)),
                                   static_cast<std::int16_t>(state.range(0)), 0, 0};
    const Cards deck = bench::Deck(200);
    RasterCanvas canvas(BandCanvasWidth(200, geometry), kCanvasHeight);
    Band band;
    for (auto _ : state) {
        band.WeaveAll(deck, &canvas, "FFFFBBBB", geometry);
        benchmark::DoNotOptimize(canvas.Image().constBits());
    }
    state.counters["rows"] = band.Count();
}
BENCHMARK(BM_WeaveAll)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// Redrawing a band of state.range(0) rows of 200 cards at block size state.range(1), as the
// zoom does: at size 10 half the rows lie above the canvas, at size 1 all of them are drawn.
void BM_WeaveBand(benchmark::State& state) {
    const auto size = static_cast<std::int32_t>(state.range(1));
    const DrawingGeometry geometry{size, static_cast<std::int16_t>(size), 0, 0};
    Band band = bench::BandOfRows(static_cast<int>(state.range(0)), 200);
    RasterCanvas canvas(BandCanvasWidth(200, geometry), kCanvasHeight);
    for (auto _ : state) {
        canvas.Clear();
        band.WeaveBand(&canvas, geometry);
        benchmark::DoNotOptimize(canvas.Image().constBits());
    }
}
BENCHMARK(BM_WeaveBand)->Args({1000, 10})->Args({490, 1})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessaly
