// The Ink fill against OpenCV's cv::floodFill (4-connected, exact colour) on
// a cv::Mat of 32-bit words laid over the same screen rows (64 to 499, the
// rows the fill may touch). Each iteration fills the whole region once; the
// region's colour alternates between two colours, so that every iteration
// does the same full fill with no reset in between.
//
// Regions: the empty canvas (rows 128-499 white under a panel-coloured
// strip); a maze of one-pixel walls and two-pixel corridors; a thick ring;
// a serpentine corridor that turns back at every wall.
#include <algorithm>
#include <opencv2/imgproc.hpp>

#include "paint/ink.h"
#include "easel/display/detail/pixels.h"
#include "versus.h"

namespace {

constexpr int top = 64;  // the first row the Ink fill may touch
constexpr int seedX = 250;
constexpr int seedY = 300;
const easel::RgbColor wall{0, 0, 0};
const easel::RgbColor panel{236, 233, 216};
const easel::RgbColor colourA{255, 255, 255};
const easel::RgbColor colourB{200, 30, 30};

enum class Region { empty, maze, ring, serpentine };

void put(int x, int y, easel::RgbColor c) {
    *easel::detail::pixelWord(x, y) = easel::detail::mapColor(c);
}

// A perfect maze on a grid of 3-pixel cells (two-pixel corridors, one-pixel
// walls), carved by a depth-first walk from a fixed seed.
void drawMaze() {
    versus::fillRows(top, 499, easel::detail::mapColor(wall));
    constexpr int cell = 3;
    constexpr int cols = 500 / cell;
    constexpr int rows = (500 - top) / cell;
    std::vector<char> seen(cols * rows, 0);
    std::vector<int> stack{0};
    seen[0] = 1;
    std::mt19937& e = versus::engine(5);
    const auto open = [](int cx, int cy, int w, int h) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) put(cx + x, top + cy + y, colourA);
    };
    open(0, 0, 2, 2);
    while (!stack.empty()) {
        const int c = stack.back();
        const int cx = c % cols;
        const int cy = c / cols;
        int options[4] = {};
        int n = 0;
        if (cx + 1 < cols && seen[c + 1] == 0) options[n++] = c + 1;
        if (cx > 0 && seen[c - 1] == 0) options[n++] = c - 1;
        if (cy + 1 < rows && seen[c + cols] == 0) options[n++] = c + cols;
        if (cy > 0 && seen[c - cols] == 0) options[n++] = c - cols;
        if (n == 0) {
            stack.pop_back();
            continue;
        }
        const int next = options[std::uniform_int_distribution<int>(0, n - 1)(e)];
        seen[next] = 1;
        const int nx = next % cols;
        const int ny = next / cols;
        open(nx * cell, ny * cell, 2, 2);
        // the wall pixel pair between the two cells
        open(std::min(cx, nx) * cell + (nx != cx ? 2 : 0),
             std::min(cy, ny) * cell + (ny != cy ? 2 : 0), nx != cx ? 1 : 2, ny != cy ? 1 : 2);
        stack.push_back(next);
    }
}

// The ring between radii 60 and 180 round the seed's column, on black.
void drawRing() {
    for (int y = top; y < 500; ++y)
        for (int x = 0; x < 500; ++x) {
            const int dx = x - seedX;
            const int dy = y - 300;
            const int d2 = dx * dx + dy * dy;
            put(x, y, d2 >= 60 * 60 && d2 <= 180 * 180 ? colourA : wall);
        }
}

// Corridors three rows high, separated by one-row walls that leave a gap at
// alternate ends, so the corridor winds from the top to the bottom.
void drawSerpentine() {
    for (int y = top; y < 500; ++y) {
        const int band = (y - top) / 4;
        const bool isWall = (y - top) % 4 == 3;
        for (int x = 0; x < 500; ++x) {
            const bool gap = band % 2 == 0 ? x >= 497 : x <= 2;
            put(x, y, isWall && !gap ? wall : colourA);
        }
    }
}

void prepare(Region region) {
    versus::fillRows(0, 127, easel::detail::mapColor(panel));
    switch (region) {
        case Region::empty:
            versus::fillRows(128, 499, easel::detail::mapColor(colourA));
            break;
        case Region::maze:
            drawMaze();
            break;
        case Region::ring:
            drawRing();
            break;
        case Region::serpentine:
            drawSerpentine();
            break;
    }
}

// The seed of each region: a pixel of colour A.
cv::Point seedOf(Region region) {
    switch (region) {
        case Region::maze:
            return {0, top};
        case Region::ring:
            return {seedX, 300 + 120};
        default:
            return {seedX, seedY};
    }
}

// Whether both fills change the same pixels to the same words.
bool sameFill(Region region, const cv::Point& seed) {
    SDL_Surface* s = versus::screen();
    const std::size_t bytes = static_cast<std::size_t>(s->pitch) * 500u;
    prepare(region);
    paint::inkFill(seed.x, seed.y, colourB.r, colourB.g, colourB.b, colourA.r, colourA.g,
                   colourA.b);
    const std::vector<std::uint8_t> byEasel(static_cast<std::uint8_t*>(s->pixels),
                                            static_cast<std::uint8_t*>(s->pixels) + bytes);
    prepare(region);
    cv::Mat rows(
        500 - top, s->w, CV_32SC1,
        static_cast<std::uint8_t*>(s->pixels) + static_cast<std::ptrdiff_t>(top) * s->pitch,
        static_cast<std::size_t>(s->pitch));
    cv::floodFill(rows, cv::Point(seed.x, seed.y - top),
                  cv::Scalar(static_cast<double>(easel::detail::mapColor(colourB))), nullptr,
                  cv::Scalar(0), cv::Scalar(0), 4);
    return std::equal(byEasel.begin(), byEasel.end(), static_cast<std::uint8_t*>(s->pixels));
}

template <Region region>
void fillEasel(benchmark::State& state) {
    if (!sameFill(region, seedOf(region))) {
        state.SkipWithError("easel and OpenCV fill different pixels");
        return;
    }
    prepare(region);
    const cv::Point seed = seedOf(region);
    bool toB = true;
    for (auto _ : state) {
        const easel::RgbColor to = toB ? colourB : colourA;
        const easel::RgbColor from = toB ? colourA : colourB;
        paint::inkFill(seed.x, seed.y, to.r, to.g, to.b, from.r, from.g, from.b);
        toB = !toB;
        benchmark::ClobberMemory();
    }
}

template <Region region>
void fillOpenCv(benchmark::State& state) {
    prepare(region);
    SDL_Surface* s = versus::screen();
    cv::Mat rows(
        500 - top, s->w, CV_32SC1,
        static_cast<std::uint8_t*>(s->pixels) + static_cast<std::ptrdiff_t>(top) * s->pitch,
        static_cast<std::size_t>(s->pitch));
    const cv::Point seed = seedOf(region);
    const double wordA = easel::detail::mapColor(colourA);
    const double wordB = easel::detail::mapColor(colourB);
    bool toB = true;
    for (auto _ : state) {
        cv::floodFill(rows, cv::Point(seed.x, seed.y - top), cv::Scalar(toB ? wordB : wordA),
                      nullptr, cv::Scalar(0), cv::Scalar(0), 4);
        toB = !toB;
        benchmark::ClobberMemory();
    }
}

VERSUS_PAIR("fill empty canvas", 0.5, fillEasel<Region::empty>, "OpenCV",
            fillOpenCv<Region::empty>);
VERSUS_PAIR("fill maze", 1.0, fillEasel<Region::maze>, "OpenCV", fillOpenCv<Region::maze>);
VERSUS_PAIR("fill ring", 1.0, fillEasel<Region::ring>, "OpenCV", fillOpenCv<Region::ring>);
VERSUS_PAIR("fill serpentine", 1.0, fillEasel<Region::serpentine>, "OpenCV",
            fillOpenCv<Region::serpentine>);

}  // namespace
