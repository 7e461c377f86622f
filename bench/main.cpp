// Runs every benchmark of easel_bench on a 500 x 500 screen of SDL's dummy
// video driver, so that no window or X server is needed.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "easel/display/screen.h"

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    easel::initScreen(500, 500, false, "easel benchmarks");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
