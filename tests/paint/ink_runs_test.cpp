// The Ink fill's run-by-run walk against a plain 4-way reference fill, on
// shapes that make runs widen, narrow, turn back and split: combs, spirals,
// unions of rectangles and ragged rows, and on narrow surfaces whose rows
// end inside a block of four words.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "paint/ink.h"
#include "easel/display/screen.h"
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
constexpr RgbColor blue{0, 0, 255};

class InkRunsTest : public PaintTest {};

// Fills like the tool at (x, y) and checks the screen against the reference.
::testing::AssertionResult fillMatchesReference(int x, int y, RgbColor newColor) {
    Picture expected = easel_test::capture();
    easel_test::floodFill(expected, x, y, newColor, expected.at(x, y), paint::inkTopRow);
    const RgbColor old = easel::getPixel(x, y);
    paint::inkFill(x, y, newColor.r, newColor.g, newColor.b, old.r, old.g, old.b);
    return easel_test::screenMatches(expected);
}

void rect(Picture& p, int x0, int y0, int x1, int y1, RgbColor c) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) p.at(x, y) = c;
}

// Teeth of width w and gap g hang up and down from a spine across the
// middle, alternating, so runs reach past their parents on both sides.
Picture comb(int w, int g) {
    Picture p(black);
    rect(p, 0, 280, 499, 283, white);
    bool up = true;
    for (int x = 0; x + w <= 500; x += w + g, up = !up) {
        if (up)
            rect(p, x, 70, x + w - 1, 279, white);
        else
            rect(p, x, 284, x + w - 1, 499, white);
    }
    // Cross bars that join neighbouring teeth at their far ends.
    for (int x = 0; x + 2 * w + g <= 500; x += 4 * (w + g))
        rect(p, x, 70, x + 2 * w + g - 1, 72, white);
    return p;
}

// A square spiral corridor, one pixel wide walls, winding in to the centre.
Picture spiral() {
    Picture p(white);
    int left = 0, top = 64, right = 499, bottom = 499;
    for (int turn = 0; left < right && top < bottom; ++turn) {
        switch (turn % 4) {
            case 0:
                rect(p, left, top, right, top, black);
                top += 3;
                break;
            case 1:
                rect(p, right, top - 3, right, bottom, black);
                right -= 3;
                break;
            case 2:
                rect(p, left, bottom, right + 3, bottom, black);
                bottom -= 3;
                break;
            default:
                rect(p, left, top, left, bottom + 3, black);
                left += 3;
                break;
        }
    }
    return p;
}

Picture rectangles(std::mt19937& rng) {
    Picture p(black);
    std::uniform_int_distribution<int> x(0, 499), y(64, 499), size(1, 60);
    for (int i = 0; i < 400; ++i) {
        const int x0 = x(rng), y0 = y(rng);
        rect(p, x0, y0, std::min(499, x0 + size(rng)), std::min(499, y0 + size(rng) / 4), white);
    }
    return p;
}

// Every row a few random runs of white.
Picture raggedRows(std::mt19937& rng) {
    Picture p(black);
    std::uniform_int_distribution<int> x(0, 499), len(0, 90);
    for (int y = 64; y < 500; ++y)
        for (int i = 0; i < 4; ++i) {
            const int x0 = x(rng);
            rect(p, x0, y, std::min(499, x0 + len(rng)), y, white);
        }
    return p;
}

TEST_F(InkRunsTest, CombsFillLikeTheReference) {
    for (const auto& [w, g] : {std::pair{1, 1}, {2, 1}, {3, 2}, {5, 7}, {16, 3}}) {
        easel_test::show(comb(w, g));
        ASSERT_TRUE(fillMatchesReference(250, 281, red)) << "teeth " << w << ", gaps " << g;
        ASSERT_TRUE(fillMatchesReference(0, 75, white)) << "teeth " << w << ", gaps " << g;
    }
}

TEST_F(InkRunsTest, SpiralFillsFromOutsideAndFromTheCentre) {
    easel_test::show(spiral());
    EXPECT_TRUE(fillMatchesReference(1, 65, red));
    easel_test::show(spiral());
    EXPECT_TRUE(fillMatchesReference(250, 282, blue));
}

TEST_F(InkRunsTest, RectanglesAndRaggedRowsFillLikeTheReference) {
    std::mt19937 rng(41);
    for (int round = 0; round < 6; ++round) {
        const Picture p = round % 2 == 0 ? rectangles(rng) : raggedRows(rng);
        easel_test::show(p);
        for (int seed = 0; seed < 6; ++seed) {
            const int x = static_cast<int>(rng() % 500);
            const int y = 64 + static_cast<int>(rng() % 436);
            const RgbColor colours[] = {red, blue, white, black};
            ASSERT_TRUE(fillMatchesReference(x, y, colours[rng() % 4]))
                << "round " << round << ", fill at (" << x << ", " << y << ")";
        }
    }
}

// A plain 4-way fill over raw words, the reference for narrow surfaces.
void referenceWords(std::vector<std::uint32_t>& words, int w, int h, int x, int y,
                    std::uint32_t to) {
    const std::uint32_t from = words[static_cast<size_t>(y) * w + x];
    if (from == to) return;
    std::vector<std::pair<int, int>> todo{{x, y}};
    while (!todo.empty()) {
        const auto [px, py] = todo.back();
        todo.pop_back();
        if (px < 0 || px >= w || py < paint::inkTopRow || py >= h) continue;
        std::uint32_t& word = words[static_cast<size_t>(py) * w + px];
        if (word != from) continue;
        word = to;
        todo.insert(todo.end(), {{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}});
    }
}

TEST_F(InkRunsTest, NarrowSurfacesFillOnlyTheirRegionAndNothingOutside) {
    std::mt19937 rng(43);
    const int h = 80;
    for (int w = 1; w <= 13; ++w) {
        const int pitch = w + 3;  // padding words after each row stay untouched
        GuardedSurface guarded(w, h, pitch);
        ScopedScreen scope(guarded.surface(), w, h);
        for (int round = 0; round < 20; ++round) {
            std::vector<std::uint32_t> words(static_cast<size_t>(w) * h);
            for (std::uint32_t& word : words) word = rng() % 3 == 0 ? 0x000000u : 0xFFFFFFu;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    easel::putPixel(
                        x, y,
                        easel::RgbColor(
                            static_cast<int>(words[static_cast<size_t>(y) * w + x] >> 16) & 255,
                            static_cast<int>(words[static_cast<size_t>(y) * w + x] >> 8) & 255,
                            static_cast<int>(words[static_cast<size_t>(y) * w + x]) & 255));
            const int x = static_cast<int>(rng() % static_cast<unsigned>(w));
            const int y = paint::inkTopRow + static_cast<int>(rng() % (h - paint::inkTopRow));
            referenceWords(words, w, h, x, y, 0xF80000u);
            const RgbColor old = easel::getPixel(x, y);
            paint::inkFill(x, y, 248, 0, 0, old.r, old.g, old.b);
            std::vector<std::uint32_t> expected = guarded.untouched();
            for (int py = 0; py < h; ++py)
                for (int px = 0; px < w; ++px)
                    expected[guarded.indexOf(px, py)] = words[static_cast<size_t>(py) * w + px];
            ASSERT_EQ(guarded.memory(), expected) << "width " << w << ", round " << round;
        }
    }
}

}  // namespace
