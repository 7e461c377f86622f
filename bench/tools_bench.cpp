// The paint tools at work: the ink fill over the whole canvas and through a
// maze, a Brush and a Pencil drag of 400 pixels, and single brush dabs; with
// OpenCV's flood fill and SDL_gfx's blended filled circle on the same work.
#include <SDL_gfxPrimitives.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <random>
#include <utility>
#include <vector>

#include "paint/ink.h"
#include "paint/state.h"
#include "paint/stroke.h"
#include "easel/colour/color.h"
#include "easel/display/screen.h"
#include "easel/raster/blend.h"
#include "easel/raster/line.h"

namespace {

constexpr easel::RgbColor white{255, 255, 255};
constexpr easel::RgbColor red{200, 30, 30};
constexpr easel::RgbColor panelGrey{236, 233, 216};

// The empty canvas under a panel strip, as the program starts.
void emptyCanvas() {
    easel::clearScreen(white.r, white.g, white.b);
    for (int y = 0; y < paint::panelHeight; ++y) easel::drawHorizontalLine(y, 0, 499, panelGrey);
}

// A maze of one-pixel corridors over the fillable rows, from a fixed seed.
void mazeCanvas() {
    easel::clearScreen(0, 0, 0);
    const int top = paint::inkTopRow;
    const int cellsX = 250;
    const int cellsY = (500 - top) / 2;
    std::vector<bool> seen(static_cast<size_t>(cellsX) * cellsY, false);
    std::mt19937 rng(1);
    std::vector<std::pair<int, int>> path = {{0, 0}};
    seen[0] = true;
    easel::putPixel(0, top, white);
    while (!path.empty()) {
        const auto [cx, cy] = path.back();
        std::pair<int, int> next[4];
        int count = 0;
        const std::pair<int, int> steps[4] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& [dx, dy] : steps) {
            const int nx = cx + dx;
            const int ny = cy + dy;
            if (nx < 0 || ny < 0 || nx >= cellsX || ny >= cellsY) continue;
            if (!seen[static_cast<size_t>(ny) * cellsX + nx]) next[count++] = {nx, ny};
        }
        if (count == 0) {
            path.pop_back();
            continue;
        }
        const auto [nx, ny] = next[rng() % static_cast<unsigned>(count)];
        seen[static_cast<size_t>(ny) * cellsX + nx] = true;
        easel::putPixel(2 * nx, top + 2 * ny, white);
        easel::putPixel(cx + nx, top + cy + ny, white);
        path.push_back({nx, ny});
    }
}

// Fills the region under (x, y) with two colours in turn, so that every
// iteration repaints the same region.
void fillBackAndForth(benchmark::State& state, int x, int y) {
    bool toRed = true;
    for (auto _ : state) {
        const easel::RgbColor to = toRed ? red : white;
        const easel::RgbColor from = toRed ? white : red;
        paint::inkFill(x, y, to.r, to.g, to.b, from.r, from.g, from.b);
        toRed = !toRed;
        benchmark::ClobberMemory();
    }
}

void BM_InkFillEmptyCanvas(benchmark::State& state) {
    emptyCanvas();
    fillBackAndForth(state, 250, 300);
    state.SetItemsProcessed(state.iterations() * 500 * (500 - paint::panelHeight));
}
BENCHMARK(BM_InkFillEmptyCanvas)->Unit(benchmark::kMicrosecond);

void BM_InkFillMaze(benchmark::State& state) {
    mazeCanvas();
    fillBackAndForth(state, 0, paint::inkTopRow);
}
BENCHMARK(BM_InkFillMaze)->Unit(benchmark::kMicrosecond);

// One brushStroke call along 400 pixels: about 800 dabs.
void BM_BrushStroke400(benchmark::State& state) {
    emptyCanvas();
    paint::strokeActive = 1;
    for (auto _ : state) {
        int x = 50;
        int y = 300;
        paint::brushStroke(&x, &y, 450, 300, 0, 0, 0);
        benchmark::DoNotOptimize(x);
    }
    paint::strokeActive = 0;
}
BENCHMARK(BM_BrushStroke400)->Unit(benchmark::kMicrosecond);

// A Brush drag of 400 pixels as the program sees it: one pass per pixel.
void BM_BrushDrag400Passes(benchmark::State& state) {
    emptyCanvas();
    for (auto _ : state) {
        paint::strokeActive = 0;
        for (int x = 50; x <= 450; ++x) paint::strokePass(paint::brushTool, x, 300, true);
        paint::strokePass(paint::brushTool, 450, 300, false);
    }
}
BENCHMARK(BM_BrushDrag400Passes)->Unit(benchmark::kMicrosecond);

// A Pencil press and one movement of 400 pixels.
void BM_PencilLine400(benchmark::State& state) {
    emptyCanvas();
    for (auto _ : state) {
        paint::strokePass(paint::pencilTool, 50, 200, true);
        paint::strokePass(paint::pencilTool, 450, 400, true);
        paint::strokePass(paint::pencilTool, 450, 400, false);
    }
}
BENCHMARK(BM_PencilLine400)->Unit(benchmark::kMicrosecond);

// One brush dab of radius 5: 89 pixels mixed.
void BM_SoftDisc(benchmark::State& state) {
    emptyCanvas();
    for (auto _ : state) benchmark::DoNotOptimize(easel::softDisc(250, 300, 5, 0, 0, 0, 16));
    state.SetItemsProcessed(state.iterations() * 89);
}
BENCHMARK(BM_SoftDisc)->Unit(benchmark::kNanosecond);

// One full row of 500 pixels mixed.
void BM_BlendSpan500(benchmark::State& state) {
    emptyCanvas();
    for (auto _ : state) {
        easel::blendSpan(300, 0, 499, 0, 0, 0, 16);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 500);
}
BENCHMARK(BM_BlendSpan500)->Unit(benchmark::kNanosecond);

// A stroke between the ends of the int range: only the dabs next to the
// screen are laid.
void BM_BrushStrokeAcrossIntRange(benchmark::State& state) {
    emptyCanvas();
    paint::strokeActive = 1;
    for (auto _ : state) {
        int x = -2147483647 - 1;
        int y = 300;
        paint::brushStroke(&x, &y, 2147483647, 300, 0, 0, 0);
        benchmark::DoNotOptimize(x);
    }
    paint::strokeActive = 0;
}
BENCHMARK(BM_BrushStrokeAcrossIntRange)->Unit(benchmark::kMicrosecond);

// The fillable rows of the screen copied into an OpenCV picture of three
// 8-bit channels, the layout its flood fill takes.
cv::Mat fillableRows() {
    const int top = paint::inkTopRow;
    cv::Mat m(500 - top, 500, CV_8UC3);
    for (int y = top; y < 500; ++y) {
        for (int x = 0; x < 500; ++x) {
            const easel::RgbColor c = easel::getPixel(x, y);
            m.at<cv::Vec3b>(y - top, x) =
                cv::Vec3b(static_cast<std::uint8_t>(c.b), static_cast<std::uint8_t>(c.g),
                          static_cast<std::uint8_t>(c.r));
        }
    }
    return m;
}

// cv::floodFill, 4-connected with no tolerance, back and forth like the ink.
void openCvFillBackAndForth(benchmark::State& state, cv::Mat& m, cv::Point seed) {
    const cv::Scalar first = cv::Scalar(30, 30, 200);
    const cv::Scalar second = cv::Scalar(255, 255, 255);
    bool toFirst = true;
    for (auto _ : state) {
        cv::floodFill(m, seed, toFirst ? first : second, nullptr, cv::Scalar(), cv::Scalar(), 4);
        toFirst = !toFirst;
        benchmark::ClobberMemory();
    }
}

void BM_PeerOpenCvFloodFillEmptyCanvas(benchmark::State& state) {
    emptyCanvas();
    cv::Mat m = fillableRows();
    openCvFillBackAndForth(state, m, cv::Point(250, 300 - paint::inkTopRow));
    state.SetItemsProcessed(state.iterations() * 500 * (500 - paint::panelHeight));
}
BENCHMARK(BM_PeerOpenCvFloodFillEmptyCanvas)->Unit(benchmark::kMicrosecond);

void BM_PeerOpenCvFloodFillMaze(benchmark::State& state) {
    mazeCanvas();
    cv::Mat m = fillableRows();
    openCvFillBackAndForth(state, m, cv::Point(0, 0));
}
BENCHMARK(BM_PeerOpenCvFloodFillMaze)->Unit(benchmark::kMicrosecond);

// SDL_gfx's alpha-blended filled circle of radius 5 at the same weight.
void BM_PeerSdlGfxFilledCircle(benchmark::State& state) {
    emptyCanvas();
    for (auto _ : state) {
        benchmark::DoNotOptimize(filledCircleRGBA(easel::Screen.surface, 250, 300, 5, 0, 0, 0, 16));
    }
}
BENCHMARK(BM_PeerSdlGfxFilledCircle)->Unit(benchmark::kNanosecond);

}  // namespace
