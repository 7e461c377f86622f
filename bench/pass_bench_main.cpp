// The main-loop pass against presenting the screen: opens the real window
// and, in alternating rounds, runs present-only passes (updateScreen and
// pollQuit, nothing else) and real passes (the same, then readMouse and
// paint::runPass: hit tests, the panel with its icons, the current tool). It
// prints both rates and the ratio of their times per pass, median over the
// rounds. Run it in an X server with the icons' folder as working directory
// (scripts/pass-bench.sh does both).
//
// Usage: pass_bench [passes per round, default 2000] [rounds, default 5]; the
// environment variables PASS_BENCH_PASSES and PASS_BENCH_ROUNDS give the same
// when there are no arguments.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "paint/pass.h"
#include "paint/state.h"
#include "easel/display/input.h"
#include "easel/display/screen.h"

namespace {

using Clock = std::chrono::steady_clock;

// Seconds per pass of n present-only passes.
double presentOnly(int n) {
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < n; ++i) {
        easel::updateScreen();
        if (easel::pollQuit()) std::exit(1);
    }
    return std::chrono::duration<double>(Clock::now() - start).count() / n;
}

// Seconds per pass of n passes of the paint program's loop; adds the time
// spent in runPass alone to *inPass.
double realPasses(int n, double* inPass) {
    const Clock::time_point start = Clock::now();
    double work = 0.0;
    for (int i = 0; i < n; ++i) {
        easel::updateScreen();
        if (easel::pollQuit()) std::exit(1);
        paint::Pointer pointer;
        easel::readMouse(&pointer.x, &pointer.y, &pointer.left, &pointer.right);
        const Clock::time_point before = Clock::now();
        if (paint::runPass(pointer) == paint::PassResult::clearCanvas) paint::startCanvas();
        work += std::chrono::duration<double>(Clock::now() - before).count();
    }
    *inPass = work / n;
    return std::chrono::duration<double>(Clock::now() - start).count() / n;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

}  // namespace

int main(int argc, char** argv) {
    const char* passesText = argc > 1 ? argv[1] : std::getenv("PASS_BENCH_PASSES");
    const char* roundsText = argc > 2 ? argv[2] : std::getenv("PASS_BENCH_ROUNDS");
    const int passes = passesText != nullptr ? std::max(1, std::atoi(passesText)) : 2000;
    const int rounds = roundsText != nullptr ? std::max(1, std::atoi(roundsText)) : 5;

    easel::initScreen(paint::windowWidth, paint::windowHeight, false, "Paint Program");
    paint::startCanvas();
    double inPass = 0.0;
    presentOnly(passes / 10 + 1);  // warm up both paths before measuring
    realPasses(passes / 10 + 1, &inPass);

    std::vector<double> present;
    std::vector<double> real;
    std::vector<double> work;
    std::vector<double> ratios;
    for (int r = 0; r < rounds; ++r) {
        present.push_back(presentOnly(passes));
        real.push_back(realPasses(passes, &inPass));
        work.push_back(inPass);
        ratios.push_back(real.back() / present.back());
    }
    const double presentTime = median(present);
    const double realTime = median(real);
    const double low = *std::min_element(ratios.begin(), ratios.end());
    const double high = *std::max_element(ratios.begin(), ratios.end());
    std::printf("present-only pass: %9.1f passes/s (%.2f us per pass)\n", 1.0 / presentTime,
                presentTime * 1e6);
    std::printf("main-loop pass:    %9.1f passes/s (%.2f us per pass)\n", 1.0 / realTime,
                realTime * 1e6);
    std::printf("of which runPass:  %9.2f us per pass\n", median(work) * 1e6);
    std::printf("ratio (time per pass, median of %d rounds): %.3f (rounds %.3f to %.3f)\n", rounds,
                median(ratios), low, high);
    std::printf(
        "PASS_BENCH present_us=%.3f real_us=%.3f ratio=%.4f low=%.4f high=%.4f "
        "runpass_us=%.3f\n",
        presentTime * 1e6, realTime * 1e6, median(ratios), low, high, median(work) * 1e6);
    return 0;
}
