// Runs every benchmark of easel_bench on a 500 x 500 screen of SDL's dummy
// video driver, so that no window or X server is needed, with the icons'
// folder (assets/) as working directory; then prints for each side-by-side
// workload (versus.h) the ratio of easel's time to the peer's.
//
// Extra option (removed before Google Benchmark sees the arguments):
//   --versus_table=FILE   also write the ratio table as Markdown rows to FILE
// The exit status is 1 when a benchmark stopped with an error (a workload
// whose two sides would not do the same work, for instance).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <opencv2/core.hpp>
#include <string>
#include <vector>

#include "easel/display/screen.h"
#include "versus.h"

namespace versus {

namespace {

struct Pair {
    std::string workload;
    std::string peer;
    double goal = 0.0;
};

std::vector<Pair>& pairs() {
    static std::vector<Pair> list;
    return list;
}

// Seconds per iteration (CPU time) of one benchmark: each repetition's, and
// the median and coefficient of variation when only aggregates are shown.
struct Timing {
    std::vector<double> samples;
    double median = 0.0;
    double cv = 0.0;
    bool haveMedian = false;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

double medianOf(const Timing& t) {
    return t.haveMedian ? t.median : median(t.samples);
}

// Half the range of the repetitions around the median, in percent, or the
// coefficient of variation when only aggregates were reported.
double spreadOf(const Timing& t) {
    if (t.samples.size() >= 2) {
        const auto [low, high] = std::minmax_element(t.samples.begin(), t.samples.end());
        return 50.0 * (*high - *low) / medianOf(t);
    }
    return 100.0 * t.cv;
}

// Collects the timings while the console reporter prints as usual.
class CollectingReporter : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, Timing> timings;
    int failures = 0;  // runs that stopped with an error, such as a mismatch

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) ++failures;
            if (run.error_occurred || run.iterations <= 0) continue;
            Timing& t = timings[run.run_name.function_name];
            const double seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            if (run.run_type == Run::RT_Iteration) {
                t.samples.push_back(seconds);
            } else if (run.aggregate_name == "median") {
                t.median = seconds;
                t.haveMedian = true;
            } else if (run.aggregate_name == "cv") {
                t.cv = run.cpu_accumulated_time;  // a ratio, kept as it is
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

std::string humanTime(double s) {
    char text[32] = {};
    if (s >= 1e-3) {
        std::snprintf(text, sizeof text, "%.3f ms", s * 1e3);
    } else if (s >= 1e-6) {
        std::snprintf(text, sizeof text, "%.2f µs", s * 1e6);
    } else {
        std::snprintf(text, sizeof text, "%.1f ns", s * 1e9);
    }
    return text;
}

void printRatios(const CollectingReporter& reporter, const char* tablePath) {
    std::FILE* table = tablePath != nullptr ? std::fopen(tablePath, "w") : nullptr;
    if (tablePath != nullptr && table == nullptr) std::perror(tablePath);
    bool header = false;
    for (const Pair& p : pairs()) {
        const auto e = reporter.timings.find(p.workload + "/easel");
        const auto q = reporter.timings.find(p.workload + "/" + p.peer);
        if (e == reporter.timings.end() || q == reporter.timings.end()) continue;
        if (!header) {
            std::printf("\n%-24s %12s %12s %-8s %7s %7s %5s\n", "workload", "easel", "peer", "peer",
                        "ratio", "goal", "met");
            header = true;
        }
        const double easelTime = medianOf(e->second);
        const double peerTime = medianOf(q->second);
        const double ratio = easelTime / peerTime;
        const bool gated = p.goal != informationOnly;
        const bool met = ratio <= p.goal;
        char goal[32] = "-";
        if (gated) std::snprintf(goal, sizeof goal, "%.2f", p.goal);
        std::printf("%-24s %12s %12s %-8s %7.3f %7s %5s\n", p.workload.c_str(),
                    humanTime(easelTime).c_str(), humanTime(peerTime).c_str(), p.peer.c_str(),
                    ratio, goal,
                    !gated ? "info"
                    : met  ? "yes"
                           : "NO");
        if (table != nullptr) {
            std::fprintf(table,
                         "| %s | %s | %s | %s | **%.3f** | %s%s | %s | ±%.1f%% / ±%.1f%% |\n",
                         p.workload.c_str(), humanTime(easelTime).c_str(), p.peer.c_str(),
                         humanTime(peerTime).c_str(), ratio, gated ? "≤ " : "", goal,
                         !gated ? "information"
                         : met  ? "met"
                                : "missed",
                         spreadOf(e->second), spreadOf(q->second));
        }
    }
    if (table != nullptr) std::fclose(table);
}

}  // namespace

void registerPair(const std::string& workload, double goal, void (*easelSide)(benchmark::State&),
                  const std::string& peer, void (*peerSide)(benchmark::State&)) {
    pairs().push_back({workload, peer, goal});
    benchmark::RegisterBenchmark((workload + "/easel").c_str(), easelSide);
    benchmark::RegisterBenchmark((workload + "/" + peer).c_str(), peerSide);
}

}  // namespace versus

int main(int argc, char** argv) {
    const char* tablePath = nullptr;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        constexpr const char* option = "--versus_table=";
        if (std::strncmp(argv[i], option, std::strlen(option)) == 0) {
            tablePath = argv[i] + std::strlen(option);
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;

    setenv("SDL_VIDEODRIVER", "dummy", 0);
    easel::initScreen(500, 500, false, "easel benchmarks");
    // The panel reads its icons by bare name, as the paint program does.
    if (chdir(EASEL_SOURCE_DIR "/assets") != 0) std::perror(EASEL_SOURCE_DIR "/assets");
    // easel draws on one thread; the peers get one thread too, so that both
    // sides do the same work with the same resources.
    cv::setNumThreads(1);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    versus::CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    versus::printRatios(reporter, tablePath);
    benchmark::Shutdown();
    return reporter.failures == 0 ? 0 : 1;
}
