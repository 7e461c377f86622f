// Lines and spans: drawLine, drawHorizontalLine and drawVerticalLine against
// SDL_gfx's lineRGBA, hlineRGBA and vlineRGBA (opaque), on random on-screen
// end points; one iteration draws a batch of 1024.
#include <SDL_gfxPrimitives.h>

#include "easel/raster/line.h"
#include "versus.h"

namespace {

constexpr std::size_t batch = 1024;

const std::vector<int>& coords() {
    static const std::vector<int> v = versus::randomInts(11, 4 * batch, 0, 499);
    return v;
}

std::uint8_t channel(std::size_t i) {
    return static_cast<std::uint8_t>(i * 37u);
}

void linesEasel(benchmark::State& state) {
    const std::vector<int>& c = coords();
    for (auto _ : state) {
        for (std::size_t i = 0; i < batch; ++i) {
            const int* p = &c[4 * i];
            easel::drawLine(p[0], p[1], p[2], p[3], easel::RgbColor(channel(i), 40, 200));
        }
        benchmark::ClobberMemory();
    }
}

void linesGfx(benchmark::State& state) {
    const std::vector<int>& c = coords();
    for (auto _ : state) {
        for (std::size_t i = 0; i < batch; ++i) {
            const int* p = &c[4 * i];
            lineRGBA(versus::screen(), static_cast<Sint16>(p[0]), static_cast<Sint16>(p[1]),
                     static_cast<Sint16>(p[2]), static_cast<Sint16>(p[3]), channel(i), 40, 200,
                     255);
        }
        benchmark::ClobberMemory();
    }
}
VERSUS_PAIR("lines", 1.0, linesEasel, "SDL_gfx", linesGfx);

void hspansEasel(benchmark::State& state) {
    const std::vector<int>& c = coords();
    for (auto _ : state) {
        for (std::size_t i = 0; i < batch; ++i) {
            const int* p = &c[4 * i];
            easel::drawHorizontalLine(p[1], p[0], p[2], easel::RgbColor(channel(i), 40, 200));
        }
        benchmark::ClobberMemory();
    }
}

void hspansGfx(benchmark::State& state) {
    const std::vector<int>& c = coords();
    for (auto _ : state) {
        for (std::size_t i = 0; i < batch; ++i) {
            const int* p = &c[4 * i];
            hlineRGBA(versus::screen(), static_cast<Sint16>(p[0]), static_cast<Sint16>(p[2]),
                      static_cast<Sint16>(p[1]), channel(i), 40, 200, 255);
        }
        benchmark::ClobberMemory();
    }
}
VERSUS_PAIR("horizontal spans", 1.0, hspansEasel, "SDL_gfx", hspansGfx);

void vspansEasel(benchmark::State& state) {
    const std::vector<int>& c = coords();
    for (auto _ : state) {
        for (std::size_t i = 0; i < batch; ++i) {
            const int* p = &c[4 * i];
            easel::drawVerticalLine(p[0], p[1], p[3], easel::RgbColor(channel(i), 40, 200));
        }
        benchmark::ClobberMemory();
    }
}

void vspansGfx(benchmark::State& state) {
    const std::vector<int>& c = coords();
    for (auto _ : state) {
        for (std::size_t i = 0; i < batch; ++i) {
            const int* p = &c[4 * i];
            vlineRGBA(versus::screen(), static_cast<Sint16>(p[0]), static_cast<Sint16>(p[1]),
                      static_cast<Sint16>(p[3]), channel(i), 40, 200, 255);
        }
        benchmark::ClobberMemory();
    }
}
VERSUS_PAIR("vertical spans", 1.0, vspansEasel, "SDL_gfx", vspansGfx);

}  // namespace
