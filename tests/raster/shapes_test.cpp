#include "easel/raster/shapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "easel/display/screen.h"
#include "easel/raster/detail/disc_rows.h"
#include "raster/midpoint_reference.h"
#include "support/screen_fixture.h"

namespace {

using easel::RgbColor;
using easel_test::Picture;
using easel_test::screenHeight;
using easel_test::screenWidth;

constexpr RgbColor ink{200, 40, 90};
constexpr RgbColor paper{10, 20, 30};

using easel_test::discHalfWidths;
using easel_test::walkSteps;
using Point = std::pair<int, int>;

// The outline as a set: the eight mirror images of every step's point.
std::set<Point> circlePoints(int xc, int yc, int radius) {
    std::set<Point> points;
    for (const auto& [sx, sy] : walkSteps(radius)) {
        const int x = static_cast<int>(sx);
        const int y = static_cast<int>(sy);
        for (const Point& p : {Point{x, y}, Point{y, x}}) {
            points.insert({xc + p.first, yc + p.second});
            points.insert({xc - p.first, yc + p.second});
            points.insert({xc + p.first, yc - p.second});
            points.insert({xc - p.first, yc - p.second});
        }
    }
    return points;
}

// The disc's visible pixels drawn into a picture one by one.
void paintDisc(Picture& picture, int xc, int yc, int radius, RgbColor colour) {
    for (const auto& [offset, half] : discHalfWidths(radius)) {
        for (const std::int64_t y : {yc + offset, yc - offset}) {
            if (y < 0 || y >= screenHeight) continue;
            for (std::int64_t x = xc - half; x <= xc + half; ++x) {
                if (x >= 0 && x < screenWidth)
                    picture.at(static_cast<int>(x), static_cast<int>(y)) = colour;
            }
        }
    }
}

Picture withPoints(const std::set<Point>& points, RgbColor background, RgbColor colour) {
    Picture picture(background);
    for (const auto& [x, y] : points) picture.at(x, y) = colour;
    return picture;
}

using CircleTest = easel_test::ScreenTest;
using DiscTest = easel_test::ScreenTest;
using RectTest = easel_test::ScreenTest;
using ShapeColourTest = easel_test::ScreenTest;

// --- drawCircle ---

TEST_F(CircleTest, SmallCirclesHaveTheExactOutline) {
    const std::vector<std::pair<int, std::set<Point>>> cases = {
        {0, {{0, 0}}},
        {1, {{0, 1}, {0, -1}, {1, 0}, {-1, 0}}},
        {2,
         {{0, 2},
          {0, -2},
          {2, 0},
          {-2, 0},
          {1, 2},
          {-1, 2},
          {1, -2},
          {-1, -2},
          {2, 1},
          {-2, 1},
          {2, -1},
          {-2, -1}}},
    };
    for (const auto& [radius, offsets] : cases) {
        SCOPED_TRACE(radius);
        easel_test::clearTo(paper);
        std::set<Point> points;
        for (const auto& [dx, dy] : offsets) points.insert({50 + dx, 60 + dy});
        EXPECT_TRUE(easel::drawCircle(50, 60, radius, ink));
        EXPECT_TRUE(easel_test::screenMatches(withPoints(points, paper, ink)));
    }
}

TEST_F(CircleTest, CirclesMatchTheMirroredWalkOverRandomCentresAndRadii) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 60; ++round) {
        const int radius = round < 6 ? std::vector<int>{0, 1, 2, 3, 5, 249}[round]
                                     : std::uniform_int_distribution<int>(0, 120)(rng);
        const int xc = std::uniform_int_distribution<int>(radius, screenWidth - 1 - radius)(rng);
        const int yc = std::uniform_int_distribution<int>(radius, screenHeight - 1 - radius)(rng);
        SCOPED_TRACE(::testing::Message() << "circle " << xc << ", " << yc << " r " << radius);
        easel_test::clearTo(paper);
        ASSERT_TRUE(easel::drawCircle(xc, yc, radius, ink));
        ASSERT_TRUE(
            easel_test::screenMatches(withPoints(circlePoints(xc, yc, radius), paper, ink)));
    }
}

TEST_F(CircleTest, CirclesTouchingAnEdgeAreDrawnAndOnePixelFurtherAreRejected) {
    struct Case {
        int xc, yc, radius;
        bool drawn;
    };
    const Case cases[] = {
        {10, 10, 10, true},
        {9, 10, 10, false},
        {10, 9, 10, false},
        {489, 250, 10, true},
        {490, 250, 10, false},
        {250, 489, 10, true},
        {250, 490, 10, false},
        {0, 0, 0, true},
        {499, 499, 0, true},
        {-1, 0, 0, false},
        {0, 500, 0, false},
        {250, 250, 250, false},
        {249, 249, 249, true},
        // Extreme arguments are tested in 64 bits, never overflowed.
        {INT_MAX, 250, INT_MAX, false},
        {INT_MIN, INT_MIN, INT_MAX, false},
        {250, INT_MAX, 1, false},
        {INT_MIN, 250, -5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.xc << ", " << c.yc << " r " << c.radius);
        const Picture before = easel_test::clearTo(paper);
        EXPECT_EQ(easel::drawCircle(c.xc, c.yc, c.radius, ink), c.drawn);
        if (c.drawn) {
            EXPECT_TRUE(easel_test::screenMatches(
                withPoints(circlePoints(c.xc, c.yc, c.radius), paper, ink)));
        } else {
            EXPECT_TRUE(easel_test::screenMatches(before));
        }
    }
}

TEST_F(CircleTest, NegativeRadiusIsRefused) {
    for (const int radius : {-1, -2, -100, INT_MIN}) {
        SCOPED_TRACE(radius);
        const Picture before = easel_test::clearTo(paper);
        // With a negative radius, xc - radius >= 0 and xc + radius < width hold.
        EXPECT_FALSE(easel::drawCircle(0, 0, radius, ink));
        EXPECT_TRUE(easel_test::screenMatches(before));
    }
}

// --- drawDisc ---

TEST_F(DiscTest, SmallDiscsHaveTheNarrowOuterRows) {
    // Half widths from the top row down to the centre row.
    const std::vector<std::pair<int, std::vector<int>>> cases = {
        {0, {0}}, {1, {0, 1}}, {2, {0, 2, 2}}, {3, {0, 2, 3, 3}}, {5, {0, 3, 4, 5, 5, 5}},
    };
    for (const auto& [radius, halves] : cases) {
        SCOPED_TRACE(radius);
        easel_test::clearTo(paper);
        Picture expected(paper);
        const int xc = 100;
        const int yc = 200;
        int count = 0;
        for (int i = 0; i <= radius; ++i) {
            const int half = halves[static_cast<size_t>(i)];
            for (const int y : {yc - radius + i, yc + radius - i}) {
                for (int x = xc - half; x <= xc + half; ++x) {
                    if (expected.at(x, y) != ink) ++count;
                    expected.at(x, y) = ink;
                }
            }
        }
        EXPECT_TRUE(easel::drawDisc(xc, yc, radius, ink));
        EXPECT_TRUE(easel_test::screenMatches(expected));
        if (radius == 5) {
            EXPECT_EQ(count, 89);
        }
    }
}

TEST_F(DiscTest, DiscsMatchTheirRowsOverRandomCentresAndRadiiIncludingOffScreen) {
    std::mt19937 rng(99);
    for (int round = 0; round < 80; ++round) {
        const int radius = std::uniform_int_distribution<int>(0, round < 60 ? 60 : 400)(rng);
        // Centres up to a radius beyond each edge, so that many discs are cut.
        const int xc = std::uniform_int_distribution<int>(-radius, screenWidth - 1 + radius)(rng);
        const int yc = std::uniform_int_distribution<int>(-radius, screenHeight - 1 + radius)(rng);
        SCOPED_TRACE(::testing::Message() << "disc " << xc << ", " << yc << " r " << radius);
        Picture expected = easel_test::clearTo(paper);
        paintDisc(expected, xc, yc, radius, ink);
        ASSERT_TRUE(easel::drawDisc(xc, yc, radius, ink));
        ASSERT_TRUE(easel_test::screenMatches(expected));
    }
}

TEST_F(DiscTest, DiscsWhollyBeyondOneEdgeAreRejectedAndOthersClipped) {
    struct Case {
        int xc, yc, radius;
        bool drawn;
    };
    const Case cases[] = {
        {-3, 100, 5, true},
        {-6, 100, 5, false},
        {-5, 100, 5, true},
        {504, 100, 5, true},
        {505, 100, 5, false},
        {100, -5, 5, true},
        {100, -6, 5, false},
        {100, 504, 5, true},
        {100, 505, 5, false},
        {-6, -6, 5, false},
        {-4, -4, 5, true},
        {250, 250, -1, false},
        {-1, 250, -1, false},
        {500, 250, -1, false},
        {250, 250, 0, true},
        // Extreme arguments are tested in 64 bits, never overflowed.
        {INT_MIN, 250, INT_MAX, false},
        {INT_MIN, INT_MIN, 5, false},
        {250, 250, INT_MIN, false},
        {INT_MAX, INT_MIN, 0, false},
        {INT_MAX, 250, -5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.xc << ", " << c.yc << " r " << c.radius);
        Picture expected = easel_test::clearTo(paper);
        EXPECT_EQ(easel::drawDisc(c.xc, c.yc, c.radius, ink), c.drawn);
        if (c.drawn) paintDisc(expected, c.xc, c.yc, c.radius, ink);
        EXPECT_TRUE(easel_test::screenMatches(expected));
    }
}

TEST_F(DiscTest, DiscsOfTheLargestRadiusAreClippedExactly) {
    // Rows within sqrt(INT_MAX) of the centre row have the full radius as
    // their half width, so a disc centred INT_MAX columns right of column 0
    // covers the whole screen and one centred INT_MAX - 1 columns left of it
    // reaches column 0 only.
    Picture expected = easel_test::clearTo(paper);
    EXPECT_TRUE(easel::drawDisc(INT_MAX, 250, INT_MAX, ink));
    EXPECT_TRUE(easel_test::screenMatches(Picture(ink)));

    expected = easel_test::clearTo(paper);
    for (int y = 0; y < screenHeight; ++y) expected.at(0, y) = ink;
    EXPECT_TRUE(easel::drawDisc(INT_MIN + 1, 250, INT_MAX, ink));
    EXPECT_TRUE(easel_test::screenMatches(expected));

    // Centred far beyond the bottom right corner: the screen sees only the
    // disc's top rows, which are far narrower than the screen is away.
    expected = easel_test::clearTo(paper);
    EXPECT_TRUE(easel::drawDisc(INT_MAX, INT_MAX, INT_MAX, ink));
    EXPECT_TRUE(easel_test::screenMatches(expected));
}

// A disc far larger than the screen: the screen's rows are exactly those of
// the plain walk, which is run here in full.
TEST_F(DiscTest, HugeDiscsDrawTheSameRowsAsThePlainWalk) {
    struct Case {
        int xc, yc, radius;
    };
    const Case cases[] = {
        {250, 3000250, 3000000},      // the screen near the disc's top
        {-2000000, 250, 2000300},     // a sliver at the disc's right edge
        {250, -1400000, 1400200},     // the bottom rows, narrow steps
        {-700000, -700000, 1000000},  // rows reached by the octant boundary
        {250, 250, 5000000},          // the whole screen inside
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.xc << ", " << c.yc << " r " << c.radius);
        Picture expected = easel_test::clearTo(paper);
        easel::detail::forEachDiscRow(
            c.xc, c.yc, c.radius, [&](std::int64_t y, std::int64_t x0, std::int64_t x1) {
                if (y < 0 || y >= screenHeight) return;
                for (std::int64_t x = std::max<std::int64_t>(x0, 0);
                     x <= std::min<std::int64_t>(x1, screenWidth - 1); ++x)
                    expected.at(static_cast<int>(x), static_cast<int>(y)) = ink;
            });
        ASSERT_TRUE(easel::drawDisc(c.xc, c.yc, c.radius, ink));
        EXPECT_TRUE(easel_test::screenMatches(expected));
    }
}

// --- fillRect ---

// Random corners anywhere on the screen, in any order, against a loop fill:
// a second corner more than one pixel before the first on either axis is
// refused and draws nothing; one pixel before gives an empty rectangle.
TEST_F(RectTest, RectanglesMatchALoopFillAndReversedCornersAreRefused) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> coord(0, screenWidth - 1);
    for (int round = 0; round < 120; ++round) {
        int x0 = coord(rng);
        int y0 = coord(rng);
        int x1 = coord(rng);
        int y1 = coord(rng);
        if (round % 10 == 0) x1 = x0 - 1;  // width 0
        if (round % 10 == 1) y1 = y0 - 1;  // height 0
        if (round % 10 == 2) x1 = x0;      // one column
        if (round % 10 == 3) x1 = x0 - 2;  // the smallest refused width
        if (round % 10 == 4) y1 = y0 - 2;
        SCOPED_TRACE(::testing::Message() << x0 << ", " << y0 << " - " << x1 << ", " << y1);
        Picture expected = easel_test::clearTo(paper);
        const bool refused = x1 - x0 + 1 < 0 || y1 - y0 + 1 < 0;
        if (!refused) {
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x) expected.at(x, y) = ink;
        }
        ASSERT_EQ(easel::fillRect(x0, y0, x1, y1, ink), !refused);
        ASSERT_TRUE(easel_test::screenMatches(expected));
    }
}

TEST_F(RectTest, OnePixelWholeScreenEmptyAndReversedRectangles) {
    Picture expected = easel_test::clearTo(paper);
    expected.at(10, 20) = ink;
    EXPECT_TRUE(easel::fillRect(10, 20, 10, 20, ink));
    EXPECT_TRUE(easel_test::screenMatches(expected));

    easel_test::clearTo(paper);
    EXPECT_TRUE(easel::fillRect(0, 0, screenWidth - 1, screenHeight - 1, ink));
    EXPECT_TRUE(easel_test::screenMatches(Picture(ink)));

    const int empty[][4] = {{20, 5, 19, 8}, {20, 5, 25, 4}, {20, 5, 19, 4}};
    const int reversed[][4] = {{20, 5, 18, 8}, {20, 5, 25, 3}, {50, 50, 10, 10}, {499, 0, 0, 0}};
    for (const auto& c : empty) {
        expected = easel_test::clearTo(paper);
        EXPECT_TRUE(easel::fillRect(c[0], c[1], c[2], c[3], ink)) << c[2] << ", " << c[3];
        EXPECT_TRUE(easel_test::screenMatches(expected));
    }
    for (const auto& c : reversed) {
        expected = easel_test::clearTo(paper);
        EXPECT_FALSE(easel::fillRect(c[0], c[1], c[2], c[3], ink)) << c[2] << ", " << c[3];
        EXPECT_TRUE(easel_test::screenMatches(expected));
    }
}

TEST_F(RectTest, RectanglesWithACornerOffTheScreenAreRejectedWhole) {
    const int w = screenWidth;
    const int h = screenHeight;
    const int cases[][4] = {
        {0, 0, w, 10},      {-1, 0, 10, 10},    {0, -1, 10, 10},
        {0, 0, 10, h},      {w, 0, 10, 10},     {0, h, 10, 10},
        {10, 10, -1, 10},   {10, 10, 10, -1},   {INT_MIN, 0, 5, 5},
        {0, 0, INT_MAX, 5}, {5, 5, 5, INT_MIN}, {INT_MAX, INT_MAX, INT_MIN, INT_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c[0] << ", " << c[1] << " - " << c[2] << ", " << c[3]);
        const Picture before = easel_test::clearTo(paper);
        EXPECT_FALSE(easel::fillRect(c[0], c[1], c[2], c[3], ink));
        EXPECT_TRUE(easel_test::screenMatches(before));
    }
}

TEST_F(ShapeColourTest, ShapesKeepTheLowEightBitsOfEachChannel) {
    const RgbColor wide = RgbColor::unmasked(256 + 7, 512 + 8, -1);
    const RgbColor cut{7, 8, 255};
    easel_test::clearTo(paper);
    ASSERT_TRUE(easel::drawCircle(50, 50, 3, wide));
    ASSERT_TRUE(easel::drawDisc(150, 50, 3, wide));
    ASSERT_TRUE(easel::fillRect(250, 50, 252, 52, wide));
    EXPECT_EQ(easel::getPixel(50, 53), cut);
    EXPECT_EQ(easel::getPixel(150, 50), cut);
    EXPECT_EQ(easel::getPixel(251, 51), cut);
}

}  // namespace
