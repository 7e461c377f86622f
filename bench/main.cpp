// Runs every benchmark of easel_bench on a 500 x 500 screen of SDL's dummy
// video driver, so that no window or X server is needed, then prints for each
// side-by-side workload the ratio of easel's time to the peer's.
//
// Extra option (removed before Google Benchmark sees the arguments):
//   --versus_table=FILE   also write the ratio table as Markdown rows to FILE
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

// Collects the CPU time per iteration of every repetition of every run.
class CollectingReporter : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, std::vector<double>> seconds;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations <= 0)
                continue;
            seconds[run.run_name.function_name].push_back(run.cpu_accumulated_time /
                                                           static_cast<double>(run.iterations));
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

// (max - min) / median over the repetitions, in percent.
double spread(const std::vector<double>& v) {
    const auto [low, high] = std::minmax_element(v.begin(), v.end());
    return 100.0 * (*high - *low) / median(v);
}

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
    std::printf("\n%-24s %12s %12s %-10s %7s %7s %6s\n", "workload", "easel", "peer", "peer name",
                "ratio", "goal", "met");
    for (const Pair& p : pairs()) {
        const auto e = reporter.seconds.find(p.workload + "/easel");
        const auto q = reporter.seconds.find(p.workload + "/" + p.peer);
        if (e == reporter.seconds.end() || q == reporter.seconds.end()) continue;
        const double easelTime = median(e->second);
        const double peerTime = median(q->second);
        const double ratio = easelTime / peerTime;
        const bool met = ratio <= p.goal;
        std::printf("%-24s %12s %12s %-10s %7.3f %7.2f %6s\n", p.workload.c_str(),
                    humanTime(easelTime).c_str(), humanTime(peerTime).c_str(), p.peer.c_str(),
                    ratio, p.goal, met ? "yes" : "NO");
        if (table != nullptr) {
            std::fprintf(table, "| %s | %s | %s | %s | **%.3f** | ≤ %.2f | %s | ±%.0f%% / ±%.0f%% |\n",
                         p.workload.c_str(), humanTime(easelTime).c_str(), p.peer.c_str(),
                         humanTime(peerTime).c_str(), ratio, p.goal, met ? "met" : "missed",
                         spread(e->second) / 2.0, spread(q->second) / 2.0);
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
    return 0;
}
