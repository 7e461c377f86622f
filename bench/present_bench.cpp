// Presenting what changed, as the paint program does at the start of every
// pass: updateScreenIfChanged compares the whole 500 x 500 screen with its
// copy, updateDrawnRows only the rows the library wrote since. With nothing
// drawn (a pass at rest) and with one pixel drawn (a Pencil pass).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench_screen.h"
#include "easel/display/screen.h"

namespace {

using bench::ensureScreen;

void BM_UpdateScreenIfChangedNothingNew(benchmark::State& state) {
    ensureScreen();
    easel::updateScreenIfChanged();
    for (auto _ : state) benchmark::DoNotOptimize(easel::updateScreenIfChanged());
}
BENCHMARK(BM_UpdateScreenIfChangedNothingNew)->Unit(benchmark::kMicrosecond);

void BM_UpdateDrawnRowsNothingDrawn(benchmark::State& state) {
    ensureScreen();
    easel::updateDrawnRows();
    for (auto _ : state) benchmark::DoNotOptimize(easel::updateDrawnRows());
}
BENCHMARK(BM_UpdateDrawnRowsNothingDrawn)->Unit(benchmark::kMicrosecond);

void BM_UpdateScreenIfChangedOnePixelDrawn(benchmark::State& state) {
    ensureScreen();
    int shade = 0;
    for (auto _ : state) {
        easel::putPixel(250, 300, shade, 0, 0);
        shade = (shade + 1) & 255;
        benchmark::DoNotOptimize(easel::updateScreenIfChanged());
    }
}
BENCHMARK(BM_UpdateScreenIfChangedOnePixelDrawn)->Unit(benchmark::kMicrosecond);

void BM_UpdateDrawnRowsOnePixelDrawn(benchmark::State& state) {
    ensureScreen();
    int shade = 0;
    for (auto _ : state) {
        easel::putPixel(250, 300, shade, 0, 0);
        shade = (shade + 1) & 255;
        benchmark::DoNotOptimize(easel::updateDrawnRows());
    }
}
BENCHMARK(BM_UpdateDrawnRowsOnePixelDrawn)->Unit(benchmark::kMicrosecond);

}  // namespace
