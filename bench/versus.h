// Side-by-side workloads: easel and a peer library doing the same work on the
// same screen surface with the same inputs.
//
// A workload registers two benchmarks, "<workload>/easel" and
// "<workload>/<peer>"; main() prints, after all runs, the ratio of the easel
// time to the peer time for each workload (the median when repetitions were
// asked for). Inputs are drawn from fixed seeds, so every run and both sides
// see the same sequence. Times are CPU times of this thread.
#pragma once

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "easel/display/screen.h"

namespace versus {

// Registers "<workload>/easel" and "<workload>/<peer>"; the goal is the
// largest easel / peer ratio that counts as met, or informationOnly for a
// workload whose ratio is reported but not held to a goal.
constexpr double informationOnly = 0.0;

void registerPair(const std::string& workload, double goal, void (*easelSide)(benchmark::State&),
                  const std::string& peer, void (*peerSide)(benchmark::State&));

// The screen surface (the dummy driver's, opened by main).
inline SDL_Surface* screen() {
    return easel::Screen.surface;
}

// A fixed-seed random source shared by the inputs of one workload.
inline std::mt19937& engine(unsigned seed) {
    static std::mt19937 e;
    e.seed(seed);
    return e;
}

// n uniform ints in [low, high] from the given seed.
inline std::vector<int> randomInts(unsigned seed, std::size_t n, int low, int high) {
    std::mt19937& e = engine(seed);
    std::uniform_int_distribution<int> d(low, high);
    std::vector<int> v(n);
    for (int& x : v) x = d(e);
    return v;
}

// Fills the surface rows y0 ... y1 with one raw word.
inline void fillRows(int y0, int y1, std::uint32_t word) {
    SDL_Surface* s = screen();
    for (int y = y0; y <= y1; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(s->pixels) +
                                                     static_cast<std::ptrdiff_t>(y) * s->pitch);
        for (int x = 0; x < s->w; ++x) row[x] = word;
    }
}

}  // namespace versus

// Registers a pair at static initialisation.
#define VERSUS_JOIN2(a, b) a##b
#define VERSUS_JOIN(a, b) VERSUS_JOIN2(a, b)
#define VERSUS_PAIR(workload, goal, easelFn, peer, peerFn)             \
    const bool VERSUS_JOIN(versus_registered_, __LINE__) = [] {        \
        ::versus::registerPair(workload, goal, easelFn, peer, peerFn); \
        return true;                                                   \
    }()
