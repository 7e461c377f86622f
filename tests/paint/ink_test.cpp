#include "paint/ink.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <utility>
#include <vector>

#include "paint/pass.h"
#include "paint/state.h"
#include "easel/display/screen.h"
#include "easel/raster/line.h"
#include "support/drawing_reference.h"
#include "paint/paint_fixture.h"
#include "support/screen_fixture.h"

namespace {

using easel::RgbColor;
using easel_test::GuardedSurface;
using easel_test::Picture;
using easel_test::ScopedScreen;
using paint_test::PaintTest;

constexpr RgbColor white{255, 255, 255};
constexpr RgbColor black{0, 0, 0};
constexpr RgbColor red{248, 0, 0};
constexpr RgbColor panelGrey{236, 232, 216};

class InkTest : public PaintTest {};


void pass(int x, int y, bool left) {
    paint::Pointer p;
    p.x = x;
    p.y = y;
    p.left = left;
    paint::runPass(p);
}

void fill(int x, int y, RgbColor newColor, RgbColor oldColor) {
    paint::inkFill(x, y, newColor.r, newColor.g, newColor.b, oldColor.r, oldColor.g, oldColor.b);
}

// Fills like the tool: the old colour is the one under the point.
void fillAt(int x, int y, RgbColor newColor) {
    fill(x, y, newColor, easel::getPixel(x, y));
}

// The expected screen after a fill at (x, y) of the current screen.
Picture referenceFill(int x, int y, RgbColor newColor) {
    Picture p = easel_test::capture();
    easel_test::floodFill(p, x, y, newColor, p.at(x, y), paint::inkTopRow);
    return p;
}

// A white canvas under a panel strip that has no white in it.
Picture canvasUnderPanel() {
    Picture p(white);
    for (int y = 0; y < paint::panelHeight; ++y)
        for (int x = 0; x < p.width; ++x) p.at(x, y) = panelGrey;
    easel_test::show(p);
    return p;
}

TEST_F(InkTest, InkFillsTheEmptyCanvasRowsExactly) {
    paint::currentTool = paint::inkTool;
    paint::selectedColor = red;
    paint::startCanvas();
    canvasUnderPanel();
    pass(250, 300, false);  // lets the panel draw itself, if it draws anything
    Picture expected = easel_test::capture();
    for (int x = 0; x < expected.width; ++x) ASSERT_NE(expected.at(x, 127), white) << x;
    for (int y = paint::panelHeight; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x) expected.at(x, y) = red;
    pass(250, 300, true);
    EXPECT_TRUE(easel_test::screenMatches(expected));
    EXPECT_EQ(paint::lastX, 250);
    EXPECT_EQ(paint::lastY, 300);
    // Held still, the next pass finds the selected colour and changes nothing.
    pass(250, 300, true);
    EXPECT_TRUE(easel_test::screenMatches(expected));
}

TEST_F(InkTest, InkPassMovesTheLastPointEvenWithTheButtonUp) {
    const Picture expected = easel_test::clearTo(white);
    paint::strokeActive = 1;
    paint::inkPass(321, 432, false);
    EXPECT_EQ(paint::lastX, 321);
    EXPECT_EQ(paint::lastY, 432);
    EXPECT_EQ(paint::strokeActive, 1);
    EXPECT_TRUE(easel_test::screenMatches(expected));
}

TEST_F(InkTest, InkStaysInRowsFromSixtyFourDown) {
    // The panel background in rows 64 ... 127 is split by a wall that stops
    // at row 60, so the two halves meet only above the fillable rows.
    Picture base = canvasUnderPanel();
    for (int y = 60; y < paint::panelHeight; ++y)
        for (int x = 100; x <= 150; ++x) base.at(x, y) = black;
    easel_test::show(base);

    fillAt(10, 63, red);
    EXPECT_TRUE(easel_test::screenMatches(base));
    fillAt(10, 64, red);
    Picture expected = base;
    for (int y = 64; y < paint::panelHeight; ++y)
        for (int x = 0; x < 100; ++x) expected.at(x, y) = red;
    EXPECT_TRUE(easel_test::screenMatches(expected));
}

TEST_F(InkTest, InkOutsideTheFillableAreaDoesNothing) {
    const Picture expected = easel_test::clearTo(white);
    const std::pair<int, int> points[] = {{-1, 300}, {500, 300},         {250, 63},     {250, 500},
                                          {250, -1}, {INT_MIN, INT_MIN}, {INT_MAX, 300}};
    for (const auto& [x, y] : points) fill(x, y, red, white);
    EXPECT_TRUE(easel_test::screenMatches(expected));
}

TEST_F(InkTest, InkOnTheSelectedColourOrAnotherColourDoesNothing) {
    Picture expected = easel_test::clearTo(white);
    easel::drawHorizontalLine(300, 0, 499, red);
    for (int x = 0; x < expected.width; ++x) expected.at(x, 300) = red;
    fill(250, 300, red, red);                             // equal colours
    fill(250, 300, red, RgbColor(256 + 248, 256, -256));  // the same colour by its low 8 bits
    fill(250, 200, black, RgbColor(1, 2, 3));             // the start is not of the old colour
    EXPECT_TRUE(easel_test::screenMatches(expected));
    // Through the tool: the pixel under the pointer already has the colour.
    paint::currentTool = paint::inkTool;
    paint::selectedColor = red;
    paint::runPass(paint::Pointer{250, 300, true, false});
    EXPECT_EQ(easel::getPixel(250, 200), white);
}

TEST_F(InkTest, InkDoesNotLeakThroughTheDiagonalStepsOfAPencilLoop) {
    paint::currentTool = paint::pencilTool;
    paint::startCanvas();
    canvasUnderPanel();
    const std::pair<int, int> loop[] = {{250, 200}, {350, 300}, {250, 400},
                                        {150, 300}, {203, 211}, {250, 200}};
    for (const auto& [x, y] : loop) pass(x, y, true);
    pass(250, 200, false);
    paint::currentTool = paint::inkTool;
    paint::selectedColor = red;
    pass(250, 300, false);  // the panel shows the new tool and colour
    const Picture expected = referenceFill(250, 300, red);
    pass(250, 300, true);
    EXPECT_TRUE(easel_test::screenMatches(expected));
    EXPECT_EQ(easel::getPixel(250, 300), red);
    EXPECT_EQ(easel::getPixel(250, 190), white);
    EXPECT_EQ(easel::getPixel(360, 300), white);
    EXPECT_EQ(easel::getPixel(10, 490), white);
}

TEST_F(InkTest, InkFillsTheWholeFillableArea) {
    Picture expected = easel_test::clearTo(white);
    fill(0, 64, black, white);
    for (int y = 64; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x) expected.at(x, y) = black;
    EXPECT_TRUE(easel_test::screenMatches(expected));
    // And back again from the opposite corner.
    fill(499, 499, white, black);
    EXPECT_TRUE(easel_test::screenMatches(Picture(white)));
}

// A maze of one-pixel corridors and walls over the fillable rows: a single
// winding region hundreds of thousands of steps deep for a naive fill.
Picture maze(std::mt19937& rng) {
    Picture p(black);
    const int cellsX = p.width / 2;
    const int cellsY = (p.height - paint::inkTopRow) / 2;
    std::vector<bool> seen(static_cast<size_t>(cellsX) * cellsY, false);
    auto pixel = [&](int cx, int cy) -> RgbColor& {
        return p.at(2 * cx, paint::inkTopRow + 2 * cy);
    };
    std::vector<std::pair<int, int>> path = {{0, 0}};
    seen[0] = true;
    pixel(0, 0) = white;
    while (!path.empty()) {
        const auto [cx, cy] = path.back();
        std::vector<std::pair<int, int>> next;
        const std::pair<int, int> steps[4] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& [dx, dy] : steps) {
            const int nx = cx + dx, ny = cy + dy;
            if (nx < 0 || ny < 0 || nx >= cellsX || ny >= cellsY) continue;
            if (!seen[static_cast<size_t>(ny) * cellsX + nx]) next.push_back({nx, ny});
        }
        if (next.empty()) {
            path.pop_back();
            continue;
        }
        const auto [nx, ny] = next[rng() % next.size()];
        seen[static_cast<size_t>(ny) * cellsX + nx] = true;
        pixel(nx, ny) = white;
        p.at(cx + nx, paint::inkTopRow + cy + ny) = white;  // the wall between them
        path.push_back({nx, ny});
    }
    return p;
}

TEST_F(InkTest, InkFillsAMazeLikeTheReference) {
    std::mt19937 rng(21);
    const Picture m = maze(rng);
    easel_test::show(m);
    const Picture expected = referenceFill(0, paint::inkTopRow, red);
    fillAt(0, paint::inkTopRow, red);
    EXPECT_TRUE(easel_test::screenMatches(expected));
    EXPECT_EQ(easel::getPixel(498, 498), red);  // the whole maze is one region
    // A fill of the walls, which touch each other only through their gaps.
    const Picture walls = referenceFill(1, paint::inkTopRow + 1, white);
    fillAt(1, paint::inkTopRow + 1, white);
    EXPECT_TRUE(easel_test::screenMatches(walls));
}

TEST_F(InkTest, InkFillsRandomRegionsLikeTheReference) {
    std::mt19937 rng(17);
    const RgbColor palette[] = {white, black, RgbColor(0, 0, 255)};
    for (int round = 0; round < 8; ++round) {
        // Densities around the point where regions start to span the screen.
        const double density = 0.45 + 0.03 * round;
        Picture p(white);
        std::uniform_real_distribution<double> u(0, 1);
        for (RgbColor& c : p.pixels) c = u(rng) < density ? white : palette[1 + rng() % 2];
        easel_test::show(p);
        for (int seed = 0; seed < 4; ++seed) {
            const int x = static_cast<int>(rng() % 500);
            const int y = static_cast<int>(rng() % 500);
            const RgbColor newColor = palette[rng() % 3];
            const Picture expected = referenceFill(x, y, newColor);
            fillAt(x, y, newColor);
            ASSERT_TRUE(easel_test::screenMatches(expected))
                << "round " << round << ", fill at (" << x << ", " << y << ")";
        }
    }
}

TEST_F(InkTest, InkComparesColoursAsReadBackOnAnyFormat) {
    std::mt19937 rng(23);
    easel_test::RefusedLayouts refused;
    for (const easel_test::PixelLayout& m : easel_test::otherLayouts) {
        SCOPED_TRACE(m.name);
        GuardedSurface other(500, 500, 500, m.r, m.g, m.b, m.a);
        if (!refused.made(other, m)) continue;
        ScopedScreen scope(other.surface(), 500, 500);
        // Colours that every one of these formats holds exactly.
        const RgbColor palette[] = {white, black, RgbColor(8, 4, 255)};
        Picture p(palette[0]);
        for (RgbColor& c : p.pixels) c = rng() % 5 < 3 ? palette[0] : palette[1 + rng() % 2];
        easel_test::show(p);
        for (int seed = 0; seed < 4; ++seed) {
            const int x = static_cast<int>(rng() % 500);
            const int y = 64 + static_cast<int>(rng() % 436);
            const RgbColor newColor = palette[rng() % 3];
            const Picture expected = referenceFill(x, y, newColor);
            fillAt(x, y, newColor);
            ASSERT_TRUE(easel_test::screenMatches(expected)) << "fill at " << x << ", " << y;
        }
    }
    if (refused.any()) GTEST_SKIP() << refused.reason();
}

TEST_F(InkTest, InkWithAColourThatReadsBackAsTheOldOneFinishesUnchanged) {
    // With five bits of red, (1, 0, 0) is stored as black: filling black with
    // it could never shrink the region. Only a surface with fewer than 8 bits
    // a channel has such colours, and SDL2 makes no 32-bit one.
    const easel_test::PixelLayout& m = easel_test::rgb565In32;
    GuardedSurface other(500, 500, 500, m.r, m.g, m.b, m.a);
    easel_test::RefusedLayouts refused;
    if (!refused.made(other, m)) GTEST_SKIP() << refused.reason();
    ScopedScreen scope(other.surface(), 500, 500);
    const Picture expected = easel_test::clearTo(black);
    fill(250, 300, RgbColor(1, 0, 0), black);
    EXPECT_TRUE(easel_test::screenMatches(expected));
}

TEST_F(InkTest, InkNeverReadsOrWritesOutsideTheFillableRows) {
    // A surface of 40 x 100 with padded rows and guard words: a fill of the
    // whole fillable area writes rows 64 ... 99 of its 40 columns and nothing
    // else.
    const int w = 40;
    const int h = 100;
    GuardedSurface guarded(w, h, 48);
    ScopedScreen scope(guarded.surface(), w, h);
    fillAt(0, 64, red);
    std::vector<std::uint32_t> expected = guarded.untouched();
    for (int y = paint::inkTopRow; y < h; ++y)
        for (int x = 0; x < w; ++x) expected[guarded.indexOf(x, y)] = 0x00F80000u;
    EXPECT_EQ(guarded.memory(), expected);
    fillAt(39, 99, black);
    for (int y = paint::inkTopRow; y < h; ++y)
        for (int x = 0; x < w; ++x) expected[guarded.indexOf(x, y)] = 0;
    EXPECT_EQ(guarded.memory(), expected);
}

TEST_F(InkTest, InkDraggedAcrossRegionsFillsEachOnce) {
    Picture base = canvasUnderPanel();
    for (int y = paint::panelHeight; y < base.height; ++y) base.at(250, y) = black;
    easel_test::show(base);
    paint::currentTool = paint::inkTool;
    paint::selectedColor = red;
    pass(100, 300, true);
    pass(120, 310, true);  // within the region just filled: nothing more
    pass(400, 300, true);
    Picture expected = base;
    for (int y = paint::panelHeight; y < base.height; ++y)
        for (int x = 0; x < base.width; ++x)
            if (x != 250) expected.at(x, y) = red;
    for (int y = paint::panelHeight; y < base.height; ++y)
        for (int x = 0; x < base.width; ++x)
            ASSERT_EQ(easel::getPixel(x, y), expected.at(x, y)) << x << ", " << y;
}

}  // namespace
