// drawText against the plain way of drawing a label (every pixel mapped and
// addressed anew through putPixel), and the icon loader on a 25 x 25 BMP.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "bench_screen.h"
#include "easel/display/screen.h"
#include "easel/text/detail/icon_streams.h"
#include "easel/text/font.h"
#include "easel/text/icon.h"
#include "easel/text/text.h"

namespace {

constexpr const char* label = "Selected Color:";

using bench::ensureScreen;

// A label drawn the plain way: putPixel for every pixel of every cell.
void plainLabel(const char* text, int x, int y) {
    for (const char* p = text; *p != '\0'; ++p, x += 8) {
        const int g = static_cast<unsigned char>(*p);
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 8; ++c)
                if (easel::Font8x8[easel::fontIndex(g, r, c)] != 0) {
                    easel::putPixel(x + c, y + r, 0, 0, 0);
                } else {
                    easel::putPixel(x + c, y + r, 255, 255, 255);
                }
    }
}

void BM_DrawTextLabel(benchmark::State& state) {
    ensureScreen();
    for (auto _ : state) {
        benchmark::DoNotOptimize(easel::drawText(label, 300, 10, 0, 0, 0, true, 255, 255, 255, 0));
    }
    state.SetItemsProcessed(state.iterations() * 15);
}
BENCHMARK(BM_DrawTextLabel);

void BM_DrawTextLabelAcrossEdge(benchmark::State& state) {
    ensureScreen();
    for (auto _ : state) {
        benchmark::DoNotOptimize(easel::drawText(label, 460, 496, 0, 0, 0, true, 255, 255, 255, 0));
    }
    state.SetItemsProcessed(state.iterations() * 15);
}
BENCHMARK(BM_DrawTextLabelAcrossEdge);

void BM_PlainPutPixelLabel(benchmark::State& state) {
    ensureScreen();
    for (auto _ : state) {
        plainLabel(label, 300, 10);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 15);
}
BENCHMARK(BM_PlainPutPixelLabel);

void BM_PlaceholderIcon(benchmark::State& state) {
    std::vector<easel::RgbColor> icon(25 * 25);
    for (auto _ : state) {
        benchmark::DoNotOptimize(easel::detail::loadIconFrom(nullptr, icon.data(), 25, 25));
    }
}
BENCHMARK(BM_PlaceholderIcon);

}  // namespace
