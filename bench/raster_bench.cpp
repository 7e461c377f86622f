// Raster primitives on the 500 x 500 dummy screen: lines, spans, circles,
// discs, rectangles and clipping, and the walk a huge disc would take
// without skipping the rows off the screen.
#include <benchmark/benchmark.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "bench_screen.h"
#include "easel/display/screen.h"
#include "easel/raster/clip.h"
#include "easel/raster/detail/disc_rows.h"
#include "easel/raster/line.h"
#include "easel/raster/shapes.h"

namespace {

constexpr easel::RgbColor ink{200, 40, 90};

using bench::ensureScreen;

struct Segment {
    int x0, y0, x1, y1;
};

// A fixed set of segments with both ends in lo ... hi on both axes.
std::vector<Segment> segments(int lo, int hi, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> coord(lo, hi);
    std::vector<Segment> out(1024);
    for (Segment& s : out) s = {coord(rng), coord(rng), coord(rng), coord(rng)};
    return out;
}

void BM_drawLine(benchmark::State& state) {
    ensureScreen();
    const std::vector<Segment> lines = segments(0, 499, 1);
    std::size_t i = 0;
    for (auto _ : state) {
        const Segment& s = lines[i++ & 1023];
        benchmark::DoNotOptimize(easel::drawLine(s.x0, s.y0, s.x1, s.y1, ink));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_drawLine);

// A whole row, then a row that needs clipping at both ends.
void BM_drawHorizontalLine(benchmark::State& state) {
    ensureScreen();
    const int x0 = static_cast<int>(state.range(0));
    const int x1 = static_cast<int>(state.range(1));
    int y = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(easel::drawHorizontalLine(y, x0, x1, ink));
        y = (y + 1) % 500;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_drawHorizontalLine)->Args({0, 499})->Args({-1000, 1000})->Args({100, 110});

void BM_drawCircle(benchmark::State& state) {
    ensureScreen();
    const int radius = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(easel::drawCircle(250, 250, radius, ink));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_drawCircle)->Arg(5)->Arg(50)->Arg(200);

void BM_drawDisc(benchmark::State& state) {
    ensureScreen();
    const int radius = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(easel::drawDisc(250, 250, radius, ink));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_drawDisc)->Arg(5)->Arg(50)->Arg(200);

// Discs far larger than the screen: the walk visits only the screen's rows.
// The centres put the screen at the disc's middle, top edge and side edge.
void BM_drawDiscHuge(benchmark::State& state) {
    ensureScreen();
    const int radius = static_cast<int>(state.range(0));
    const int xc = state.range(1) == 2 ? 250 + radius : 250;
    const int yc = state.range(1) == 1 ? 250 + radius : 250;
    for (auto _ : state) benchmark::DoNotOptimize(easel::drawDisc(xc, yc, radius, ink));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_drawDiscHuge)
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Args({100000, 2})
    ->Args({INT_MAX / 2, 0})
    ->Args({INT_MAX / 2, 1})
    ->Args({INT_MAX / 2, 2});

// The unbounded walk of a disc of radius 100000, for comparison: what every
// drawDisc of that size would cost without skipping.
void BM_discRowsFullWalk(benchmark::State& state) {
    ensureScreen();
    const int radius = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::int64_t rows = 0;
        easel::detail::forEachDiscRow(250, 250, radius,
                                      [&](std::int64_t y, std::int64_t, std::int64_t) {
                                          rows += (y >= 0 && y < 500) ? 1 : 0;
                                      });
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_discRowsFullWalk)->Arg(100000);

void BM_fillRect(benchmark::State& state) {
    ensureScreen();
    const int size = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(easel::fillRect(0, 0, size - 1, size - 1, ink));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_fillRect)->Arg(10)->Arg(100)->Arg(500);

// Segments with ends around the screen (most cross one to three edges) and
// with ends anywhere in int.
void BM_clipLine(benchmark::State& state) {
    ensureScreen();
    const std::vector<Segment> lines =
        state.range(0) == 0 ? segments(-500, 1000, 2) : segments(INT_MIN, INT_MAX, 3);
    std::size_t i = 0;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    for (auto _ : state) {
        const Segment& s = lines[i++ & 1023];
        benchmark::DoNotOptimize(easel::clipLine(s.x0, s.y0, s.x1, s.y1, &x0, &y0, &x1, &y1));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_clipLine)->Arg(0)->Arg(1);

}  // namespace
