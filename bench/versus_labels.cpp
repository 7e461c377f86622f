// The five panel labels: drawText against SDL_gfx's stringRGBA, both in black
// with no background, at the panel's positions.
#include <SDL_gfxPrimitives.h>

#include "easel/text/text.h"
#include "versus.h"

namespace {

struct Label {
    const char* text;
    int x;
    int y;
};

constexpr Label labels[] = {{"Selected Color:", 300, 10},
                            {"Pencil", 330, 58},
                            {"Brush", 330, 83},
                            {"Ink", 430, 58},
                            {"Clear", 430, 83}};

void labelsEasel(benchmark::State& state) {
    for (auto _ : state) {
        for (const Label& l : labels) {
            benchmark::DoNotOptimize(easel::drawText(l.text, l.x, l.y, 0, 0, 0, false, 0, 0, 0, 0));
        }
        benchmark::ClobberMemory();
    }
}

void labelsGfx(benchmark::State& state) {
    for (auto _ : state) {
        for (const Label& l : labels) {
            benchmark::DoNotOptimize(stringRGBA(versus::screen(), static_cast<Sint16>(l.x),
                                                static_cast<Sint16>(l.y), l.text, 0, 0, 0, 255));
        }
        benchmark::ClobberMemory();
    }
}
VERSUS_PAIR("panel labels", 0.25, labelsEasel, "SDL_gfx", labelsGfx);

}  // namespace
