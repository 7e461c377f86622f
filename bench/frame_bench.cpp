// Frame pacing with waitFrame, in real time: one iteration is one frame
// asked to last 1000 / rate ms, and the counter fps is the frames a second
// reached. Two ways of giving the frame's start:
//   FreshStart  start = readTicks() at the top of every frame. SDL's clock
//               counts whole milliseconds, so each frame lasts the asked
//               length rounded up to a whole millisecond (60 asked: 17 ms).
//   Schedule    start moves on by exactly one frame length, as the bounce
//               example does, so the frames average the length asked for.
// Run it for seconds, not the default fraction of one, to read a rate:
//   easel_bench --benchmark_filter=waitFrame --benchmark_min_time=5
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench_screen.h"
#include "easel/display/input.h"
#include "easel/display/screen.h"

namespace {

using bench::ensureScreen;

void reportRate(benchmark::State& state) {
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_waitFrameFreshStart(benchmark::State& state) {
    ensureScreen();
    const float length = 1000.0f / static_cast<float>(state.range(0));
    for (auto _ : state) easel::waitFrame(static_cast<float>(easel::readTicks()), length);
    reportRate(state);
}
BENCHMARK(BM_waitFrameFreshStart)->Arg(60)->Arg(30)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_waitFrameSchedule(benchmark::State& state) {
    ensureScreen();
    const double length = 1000.0 / static_cast<double>(state.range(0));
    double start = easel::readTicks();
    for (auto _ : state) {
        easel::waitFrame(static_cast<float>(start), static_cast<float>(length));
        start += length;
    }
    reportRate(state);
}
BENCHMARK(BM_waitFrameSchedule)->Arg(60)->Arg(30)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
