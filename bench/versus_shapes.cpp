// Circles, discs and rectangles: drawCircle, drawDisc and fillRect against
// SDL_gfx's circleRGBA, filledCircleRGBA and boxRGBA (opaque). Circles of
// radius 1-100 wholly on the screen; discs of radius 1-100 anywhere near it;
// rectangles between two random on-screen corners. One iteration draws 256.
#include <SDL_gfxPrimitives.h>

#include <algorithm>

#include "easel/raster/shapes.h"
#include "versus.h"

namespace {

constexpr std::size_t batch = 256;

// (x, y, r) with the whole circle on the screen.
const std::vector<int>& circles() {
    static const std::vector<int> v = [] {
        std::vector<int> radii = versus::randomInts(31, batch, 1, 100);
        std::vector<int> out;
        std::mt19937& e = versus::engine(32);
        for (const int r : radii) {
            std::uniform_int_distribution<int> d(r, 499 - r);
            const int x = d(e);
            const int y = d(e);
            out.insert(out.end(), {x, y, r});
        }
        return out;
    }();
    return v;
}

const std::vector<int>& corners() {
    static const std::vector<int> v = versus::randomInts(33, 4 * batch, 0, 499);
    return v;
}

std::uint8_t channel(std::size_t i) {
    return static_cast<std::uint8_t>(i * 53u);
}

void circlesEasel(benchmark::State& state) {
    const std::vector<int>& c = circles();
    for (auto _ : state) {
        for (std::size_t i = 0; i < batch; ++i) {
            easel::drawCircle(c[3 * i], c[3 * i + 1], c[3 * i + 2],
                              easel::RgbColor(channel(i), 90, 10));
        }
        benchmark::ClobberMemory();
    }
}

void circlesGfx(benchmark::State& state) {
    const std::vector<int>& c = circles();
    for (auto _ : state) {
        for (std::size_t i = 0; i < batch; ++i) {
            circleRGBA(versus::screen(), static_cast<Sint16>(c[3 * i]),
                       static_cast<Sint16>(c[3 * i + 1]), static_cast<Sint16>(c[3 * i + 2]),
                       channel(i), 90, 10, 255);
        }
        benchmark::ClobberMemory();
    }
}
VERSUS_PAIR("circle outlines", 1.0, circlesEasel, "SDL_gfx", circlesGfx);

void discsEasel(benchmark::State& state) {
    const std::vector<int>& c = circles();
    for (auto _ : state) {
        for (std::size_t i = 0; i < batch; ++i) {
            easel::drawDisc(c[3 * i], c[3 * i + 1], c[3 * i + 2],
                            easel::RgbColor(channel(i), 90, 10));
        }
        benchmark::ClobberMemory();
    }
}

void discsGfx(benchmark::State& state) {
    const std::vector<int>& c = circles();
    for (auto _ : state) {
        for (std::size_t i = 0; i < batch; ++i) {
            filledCircleRGBA(versus::screen(), static_cast<Sint16>(c[3 * i]),
                             static_cast<Sint16>(c[3 * i + 1]), static_cast<Sint16>(c[3 * i + 2]),
                             channel(i), 90, 10, 255);
        }
        benchmark::ClobberMemory();
    }
}
VERSUS_PAIR("opaque discs", 1.0, discsEasel, "SDL_gfx", discsGfx);

void rectsEasel(benchmark::State& state) {
    const std::vector<int>& c = corners();
    for (auto _ : state) {
        for (std::size_t i = 0; i < batch; ++i) {
            const int* p = &c[4 * i];
            easel::fillRect(std::min(p[0], p[2]), std::min(p[1], p[3]), std::max(p[0], p[2]),
                            std::max(p[1], p[3]), easel::RgbColor(channel(i), 90, 10));
        }
        benchmark::ClobberMemory();
    }
}

void rectsGfx(benchmark::State& state) {
    const std::vector<int>& c = corners();
    for (auto _ : state) {
        for (std::size_t i = 0; i < batch; ++i) {
            const int* p = &c[4 * i];
            boxRGBA(versus::screen(), static_cast<Sint16>(std::min(p[0], p[2])),
                    static_cast<Sint16>(std::min(p[1], p[3])),
                    static_cast<Sint16>(std::max(p[0], p[2])),
                    static_cast<Sint16>(std::max(p[1], p[3])), channel(i), 90, 10, 255);
        }
        benchmark::ClobberMemory();
    }
}
VERSUS_PAIR("rectangles", 1.1, rectsEasel, "SDL_gfx", rectsGfx);

}  // namespace
