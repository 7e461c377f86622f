// The soft brush: one dab of radius 5 and weight 16 at random canvas
// positions (softDisc against SDL_gfx's filledCircleRGBA with alpha 16), and a
// 400-pixel Brush drag (brushStroke against the same number of SDL_gfx alpha
// discs at the same centres). One iteration of the dab workload lays 1024
// dabs; one iteration of the drag drags once.
#include <SDL_gfxPrimitives.h>

#include <cmath>

#include "paint/state.h"
#include "paint/stroke.h"
#include "easel/raster/blend.h"
#include "versus.h"

namespace {

constexpr std::size_t batch = 1024;
constexpr int dabRadius = 5;
constexpr std::uint8_t dabAlpha = 16;

const std::vector<int>& centres() {
    static const std::vector<int> v = [] {
        std::vector<int> xs = versus::randomInts(21, batch, 0, 499);
        std::vector<int> ys = versus::randomInts(22, batch, 128, 499);
        std::vector<int> xy;
        for (std::size_t i = 0; i < batch; ++i) {
            xy.push_back(xs[i]);
            xy.push_back(ys[i]);
        }
        return xy;
    }();
    return v;
}

void resetCanvas() {
    versus::fillRows(0, 499, 0xFFFFFFu);
}

void dabsEasel(benchmark::State& state) {
    resetCanvas();
    const std::vector<int>& c = centres();
    for (auto _ : state) {
        for (std::size_t i = 0; i < batch; ++i) {
            benchmark::DoNotOptimize(
                easel::softDisc(c[2 * i], c[2 * i + 1], dabRadius, 20, 60, 180, dabAlpha));
        }
        benchmark::ClobberMemory();
    }
}

void dabsGfx(benchmark::State& state) {
    resetCanvas();
    const std::vector<int>& c = centres();
    for (auto _ : state) {
        for (std::size_t i = 0; i < batch; ++i) {
            benchmark::DoNotOptimize(filledCircleRGBA(
                versus::screen(), static_cast<Sint16>(c[2 * i]), static_cast<Sint16>(c[2 * i + 1]),
                dabRadius, 20, 60, 180, dabAlpha));
        }
        benchmark::ClobberMemory();
    }
}
VERSUS_PAIR("soft dab r5 a16", 0.5, dabsEasel, "SDL_gfx", dabsGfx);

// The drag: from (50, 300) to (450, 300) with the stroke under way.
constexpr int dragFromX = 50;
constexpr int dragToX = 450;
constexpr int dragY = 300;

// The dab centres of the drag, laid as the brush lays them: a dab on the
// start point, then one at every whole multiple of the step along the
// segment, truncated toward zero, until a dab is within a step of the end.
const std::vector<int>& dragCentres() {
    static const std::vector<int> xs = [] {
        const double step = (paint::brushSpacing * paint::brushSize) / 100.0;
        const double length = dragToX - dragFromX;
        std::vector<int> v{dragFromX};
        int cx = dragFromX;
        for (int n = 1; std::abs(dragToX - cx) > step; ++n) {
            cx = static_cast<int>(dragFromX + (dragToX - dragFromX) * (n * step) / length);
            v.push_back(cx);
        }
        return v;
    }();
    return xs;
}

void dragEasel(benchmark::State& state) {
    resetCanvas();
    paint::strokeActive = 1;
    for (auto _ : state) {
        int x = dragFromX;
        int y = dragY;
        paint::brushStroke(&x, &y, dragToX, dragY, 20, 60, 180);
        benchmark::DoNotOptimize(x);
        benchmark::ClobberMemory();
    }
    state.counters["dabs"] = static_cast<double>(dragCentres().size());
}

void dragGfx(benchmark::State& state) {
    resetCanvas();
    const std::vector<int>& xs = dragCentres();
    const Sint16 radius = static_cast<Sint16>(paint::brushSize / 2);
    for (auto _ : state) {
        for (const int x : xs) {
            filledCircleRGBA(versus::screen(), static_cast<Sint16>(x), dragY, radius, 20, 60, 180,
                             paint::brushOpacity);
        }
        benchmark::ClobberMemory();
    }
    state.counters["dabs"] = static_cast<double>(xs.size());
}
VERSUS_PAIR("brush drag 400 px", 0.5, dragEasel, "SDL_gfx", dragGfx);

}  // namespace
