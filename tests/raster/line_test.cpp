#include "easel/raster/line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "easel/display/detail/pixels.h"
#include "easel/display/screen.h"
#include "support/screen_fixture.h"

namespace {

using easel::RgbColor;
using easel_test::GuardedSurface;
using easel_test::ScopedScreen;
using easel_test::screenHeight;
using easel_test::ScreenTest;
using easel_test::screenWidth;

using Point = std::pair<int, int>;
using PointSet = std::set<Point>;

using AxisLineTest = ScreenTest;
using DrawLineTest = ScreenTest;

const RgbColor ink(200, 100, 50);

// Every pixel of the screen that is not black, read back through getPixel.
PointSet paintedPixels() {
    PointSet painted;
    for (int y = 0; y < screenHeight; ++y) {
        const std::uint32_t* row = easel::detail::readRowWords(y);
        for (int x = 0; x < screenWidth; ++x) {
            if (row[x] != 0) painted.insert({x, y});
        }
    }
    return painted;
}

// True when every painted pixel has exactly the given colour.
::testing::AssertionResult allPaintedIn(const PointSet& painted, RgbColor colour) {
    for (const Point& p : painted) {
        const RgbColor c = easel::getPixel(p.first, p.second);
        if (c != colour) {
            return ::testing::AssertionFailure() << "(" << p.first << ", " << p.second << ") is ("
                                                 << c.r << ", " << c.g << ", " << c.b << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

PointSet rowRange(int y, int x0, int x1) {
    PointSet s;
    for (int x = x0; x <= x1; ++x) s.insert({x, y});
    return s;
}

PointSet columnRange(int x, int y0, int y1) {
    PointSet s;
    for (int y = y0; y <= y1; ++y) s.insert({x, y});
    return s;
}

// The span that a clipped axis line must fill, worked out in 64 bits:
// empty when the line lies wholly off the screen.
PointSet expectedSpan(bool horizontal, std::int64_t fixed, std::int64_t a, std::int64_t b) {
    const std::int64_t along = horizontal ? screenWidth : screenHeight;
    const std::int64_t across = horizontal ? screenHeight : screenWidth;
    const std::int64_t lo = std::max<std::int64_t>(std::min(a, b), 0);
    const std::int64_t hi = std::min<std::int64_t>(std::max(a, b), along - 1);
    if (fixed < 0 || fixed >= across || lo > hi) return {};
    const int f = static_cast<int>(fixed);
    return horizontal ? rowRange(f, static_cast<int>(lo), static_cast<int>(hi))
                      : columnRange(f, static_cast<int>(lo), static_cast<int>(hi));
}

struct SpanCase {
    int fixed, a, b;
};

const SpanCase horizontalCases[] = {
    {10, 30, 20},
    {10, 20, 30},
    {7, -5, 3},
    {7, -9, -1},
    {7, screenWidth - 2, screenWidth + 40},
    {-1, 0, 10},
    {screenHeight, 0, 10},
    {0, 0, 0},
    {screenHeight - 1, 499, 499},
    {3, 500, 600},
    {3, -1, -1},
    {3, INT_MIN, INT_MAX},
    {3, INT_MAX, INT_MIN},
    {INT_MIN, 0, 9},
    {INT_MAX, 0, 9},
    {4, INT_MIN, -1},
    {4, screenWidth, INT_MAX},
    {5, 499, 500},
};

TEST_F(AxisLineTest, HorizontalLineFillsTheClippedRow) {
    for (const SpanCase& c : horizontalCases) {
        SCOPED_TRACE(testing::Message()
                     << "drawHorizontalLine(" << c.fixed << ", " << c.a << ", " << c.b << ")");
        easel::clearScreen(0, 0, 0);
        const PointSet expected = expectedSpan(true, c.fixed, c.a, c.b);
        EXPECT_EQ(easel::drawHorizontalLine(c.fixed, c.a, c.b, ink), !expected.empty());
        const PointSet painted = paintedPixels();
        EXPECT_EQ(painted, expected);
        EXPECT_TRUE(allPaintedIn(painted, ink));
    }
    easel::clearScreen(0, 0, 0);
    easel::drawHorizontalLine(10, 30, 20, ink);
    EXPECT_EQ(paintedPixels().size(), 11u);
}

TEST_F(AxisLineTest, VerticalLineFillsTheClippedColumn) {
    for (const SpanCase& c : horizontalCases) {
        SCOPED_TRACE(testing::Message()
                     << "drawVerticalLine(" << c.fixed << ", " << c.a << ", " << c.b << ")");
        easel::clearScreen(0, 0, 0);
        const PointSet expected = expectedSpan(false, c.fixed, c.a, c.b);
        EXPECT_EQ(easel::drawVerticalLine(c.fixed, c.a, c.b, ink), !expected.empty());
        const PointSet painted = paintedPixels();
        EXPECT_EQ(painted, expected);
        EXPECT_TRUE(allPaintedIn(painted, ink));
    }
    easel::clearScreen(0, 0, 0);
    EXPECT_TRUE(easel::drawVerticalLine(33, -3, 2, ink));
    EXPECT_EQ(paintedPixels(), columnRange(33, 0, 2));
    easel::clearScreen(0, 0, 0);
    EXPECT_TRUE(easel::drawVerticalLine(33, screenHeight - 1, screenHeight + 10, ink));
    EXPECT_EQ(paintedPixels(), columnRange(33, screenHeight - 1, screenHeight - 1));
}

TEST_F(AxisLineTest, AxisLinesMatchTheClippingReferenceOnRandomSpans) {
    std::mt19937 rng(77);
    std::uniform_int_distribution<int> any(INT_MIN, INT_MAX);
    std::uniform_int_distribution<int> near(-600, 1100);
    for (int i = 0; i < 300; ++i) {
        const bool horizontal = i % 2 == 0;
        auto pick = [&] { return (i % 5 == 0) ? any(rng) : near(rng); };
        const int fixed = near(rng) / 2;
        const int a = pick();
        const int b = pick();
        easel::clearScreen(0, 0, 0);
        const bool drawn = horizontal ? easel::drawHorizontalLine(fixed, a, b, ink)
                                      : easel::drawVerticalLine(fixed, a, b, ink);
        const PointSet expected = expectedSpan(horizontal, fixed, a, b);
        ASSERT_EQ(drawn, !expected.empty()) << fixed << " " << a << " " << b;
        ASSERT_EQ(paintedPixels(), expected)
            << (horizontal ? "row " : "column ") << fixed << " from " << a << " to " << b;
    }
}

// The lines clip to the size given to Screen, and never touch the padding at
// the end of a row or the memory around the surface.
TEST_F(AxisLineTest, AxisLinesStayInsideASurfaceWithPaddedRows) {
    GuardedSurface guarded(12, 9, 16);
    ASSERT_NE(guarded.surface(), nullptr);
    ScopedScreen screen(guarded.surface(), 10, 7);
    std::vector<std::uint32_t> expected = guarded.untouched();
    const std::uint32_t value = 0x00C86432u;  // ink as 0x00RRGGBB
    EXPECT_TRUE(easel::drawHorizontalLine(6, INT_MIN, INT_MAX, ink));
    for (int x = 0; x < 10; ++x) expected[guarded.indexOf(x, 6)] = value;
    EXPECT_TRUE(easel::drawVerticalLine(9, INT_MIN, INT_MAX, ink));
    for (int y = 0; y < 7; ++y) expected[guarded.indexOf(9, y)] = value;
    EXPECT_TRUE(easel::drawLine(0, 0, 9, 6, ink));
    EXPECT_FALSE(easel::drawLine(0, 0, 10, 6, ink));
    EXPECT_FALSE(easel::drawHorizontalLine(7, 0, 5, ink));
    EXPECT_FALSE(easel::drawVerticalLine(10, 0, 5, ink));
    // drawLine(0, 0, 9, 6): x major, den 9, accumulator from 4 in steps of 6.
    const int ys[] = {0, 1, 1, 2, 3, 3, 4, 5, 5, 6};
    for (int x = 0; x < 10; ++x) expected[guarded.indexOf(x, ys[x])] = value;
    EXPECT_EQ(guarded.memory(), expected);
}

TEST_F(AxisLineTest, LinesKeepTheLowEightBitsOfEachChannel) {
    const RgbColor wide = RgbColor::unmasked(256 + 5, 512 + 6, -1);
    const RgbColor drawn(5, 6, 255);
    EXPECT_TRUE(easel::drawHorizontalLine(1, 0, 3, wide));
    EXPECT_TRUE(easel::drawVerticalLine(10, 5, 8, wide));
    EXPECT_TRUE(easel::drawLine(20, 20, 25, 22, wide));
    const PointSet painted = paintedPixels();
    EXPECT_EQ(painted.size(), 4u + 4u + 6u);
    EXPECT_TRUE(allPaintedIn(painted, drawn));
}

struct LineCase {
    int x0, y0, x1, y1;
    std::vector<Point> pixels;
};

TEST_F(DrawLineTest, DrawLineWritesTheDirectionDependentPixelSet) {
    const LineCase cases[] = {
        {0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}},
        {4, 2, 0, 0, {{4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}},
        {0, 0, 2, 4, {{0, 0}, {1, 1}, {1, 2}, {2, 3}, {2, 4}}},
        {2, 4, 0, 0, {{2, 4}, {1, 3}, {1, 2}, {0, 1}, {0, 0}}},
        {5, 5, 5, 5, {{5, 5}}},
        {3, 3, 9, 9, {{3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}, {9, 9}}},
        {9, 3, 3, 9, {{9, 3}, {8, 4}, {7, 5}, {6, 6}, {5, 7}, {4, 8}, {3, 9}}},
        {10, 10, 14, 10, {{10, 10}, {11, 10}, {12, 10}, {13, 10}, {14, 10}}},
        {10, 13, 10, 10, {{10, 13}, {10, 12}, {10, 11}, {10, 10}}},
        // Ties in the accumulator carry: den 2, start 1, add 1.
        {0, 0, 2, 1, {{0, 0}, {1, 1}, {2, 1}}},
        {2, 1, 0, 0, {{2, 1}, {1, 0}, {0, 0}}},
        {0, 499, 3, 498, {{0, 499}, {1, 499}, {2, 498}, {3, 498}}},
        {499, 0, 0, 499, {}},  // filled below: the long anti-diagonal
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "drawLine(" << c.x0 << ", " << c.y0 << ", " << c.x1 << ", " << c.y1 << ")");
        easel::clearScreen(0, 0, 0);
        EXPECT_TRUE(easel::drawLine(c.x0, c.y0, c.x1, c.y1, ink));
        PointSet expected(c.pixels.begin(), c.pixels.end());
        if (c.pixels.empty()) {
            for (int i = 0; i < 500; ++i) expected.insert({499 - i, i});
        }
        const PointSet painted = paintedPixels();
        EXPECT_EQ(painted, expected);
        EXPECT_TRUE(allPaintedIn(painted, ink));
    }
}

TEST_F(DrawLineTest, DrawLineWithAnEndOffTheScreenDrawsNothing) {
    const struct {
        int x0, y0, x1, y1;
    } cases[] = {
        {-1, 10, 20, 10},
        {0, 0, screenWidth, 0},
        {0, 0, 0, screenHeight},
        {10, -1, 10, 20},
        {20, 10, -1, 10},
        {10, 20, 10, -1},
        {INT_MIN, 0, 0, 0},
        {0, 0, INT_MAX, INT_MAX},
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
        {499, 499, 500, 499},
        {screenWidth, screenHeight, screenWidth, screenHeight},
    };
    for (const auto& c : cases) {
        easel::clearScreen(0, 0, 0);
        EXPECT_FALSE(easel::drawLine(c.x0, c.y0, c.x1, c.y1, ink))
            << c.x0 << " " << c.y0 << " " << c.x1 << " " << c.y1;
        EXPECT_TRUE(paintedPixels().empty());
    }
}

// An independent reference: the k-th pixel of the line in closed form. The
// major coordinate moves k steps; the minor one has carried
// floor((den / 2 + k * numadd) / den) times.
PointSet referenceLine(int x0, int y0, int x1, int y1) {
    const int dx = std::abs(x1 - x0);
    const int dy = std::abs(y1 - y0);
    const int sx = x1 < x0 ? -1 : 1;
    const int sy = y1 < y0 ? -1 : 1;
    const bool xMajor = dx >= dy;
    const std::int64_t den = xMajor ? dx : dy;
    const std::int64_t add = xMajor ? dy : dx;
    PointSet s;
    for (std::int64_t k = 0; k <= den; ++k) {
        const std::int64_t carries = den == 0 ? 0 : (den / 2 + k * add) / den;
        const std::int64_t major = k;
        const int x = static_cast<int>(x0 + sx * (xMajor ? major : carries));
        const int y = static_cast<int>(y0 + sy * (xMajor ? carries : major));
        s.insert({x, y});
    }
    return s;
}

TEST_F(DrawLineTest, DrawLineMatchesTheReferenceOnRandomSegments) {
    std::mt19937 rng(1234);
    std::uniform_int_distribution<int> coord(0, screenWidth - 1);
    std::uniform_int_distribution<int> jitter(-12, 12);
    for (int i = 0; i < 600; ++i) {
        const int x0 = coord(rng);
        const int y0 = coord(rng);
        // Half the segments are short, so that every small slope comes up.
        int x1 = i % 2 == 0 ? coord(rng) : std::clamp(x0 + jitter(rng), 0, screenWidth - 1);
        int y1 = i % 2 == 0 ? coord(rng) : std::clamp(y0 + jitter(rng), 0, screenHeight - 1);
        easel::clearScreen(0, 0, 0);
        ASSERT_TRUE(easel::drawLine(x0, y0, x1, y1, ink));
        const PointSet painted = paintedPixels();
        const PointSet expected = referenceLine(x0, y0, x1, y1);
        ASSERT_EQ(painted, expected)
            << "drawLine(" << x0 << ", " << y0 << ", " << x1 << ", " << y1 << ")";
        ASSERT_EQ(painted.size(),
                  static_cast<size_t>(std::max(std::abs(x1 - x0), std::abs(y1 - y0)) + 1));
        ASSERT_EQ(painted.count({x0, y0}), 1u);
        ASSERT_EQ(painted.count({x1, y1}), 1u);
    }
}

}  // namespace
