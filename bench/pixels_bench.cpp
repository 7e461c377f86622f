// The two pixel calls every other drawing rests on: putPixel and getPixel,
// one call per pixel over the whole 500 x 500 screen, row by row, as the tool
// panel calls them on every pass of the paint program.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>

#include "bench_screen.h"
#include "easel/colour/color.h"
#include "easel/display/screen.h"

namespace {

constexpr int side = 500;

using bench::ensureScreen;

void BM_putPixel(benchmark::State& state) {
    ensureScreen();
    int shade = 0;
    for (auto _ : state) {
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) easel::putPixel(x, y, x, y, shade);
        benchmark::ClobberMemory();
        ++shade;
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_putPixel);

void BM_getPixel(benchmark::State& state) {
    ensureScreen();
    for (auto _ : state) {
        int sum = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) sum += easel::getPixel(x, y).g;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_getPixel);

}  // namespace
