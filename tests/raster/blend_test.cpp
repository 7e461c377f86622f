#include "easel/raster/blend.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <iterator>
#include <random>
#include <vector>

#include "easel/display/detail/pixels.h"
#include "easel/display/screen.h"
#include "easel/raster/detail/disc_rows.h"
#include "support/drawing_reference.h"
#include "support/screen_fixture.h"

namespace {

using easel::RgbColor;
using easel_test::GuardedSurface;
using easel_test::mixed;
using easel_test::paintDab;
using easel_test::Picture;
using easel_test::ScopedScreen;
using easel_test::ScreenTest;

constexpr RgbColor white{255, 255, 255};
constexpr RgbColor black{0, 0, 0};

class BlendTest : public ScreenTest {};

// Fills the screen with random pixel words (including bits outside the
// colour channels) and returns what getPixel reads.
Picture randomScreen(std::mt19937& rng) {
    for (int y = 0; y < easel::Screen.height; ++y) {
        std::uint32_t* row = easel::detail::rowWords(y);
        for (int x = 0; x < easel::Screen.width; ++x) row[x] = static_cast<std::uint32_t>(rng());
    }
    return easel_test::capture();
}

std::vector<std::uint32_t> screenWords() {
    std::vector<std::uint32_t> words;
    for (int y = 0; y < easel::Screen.height; ++y) {
        const std::uint32_t* row = easel::detail::readRowWords(y);
        words.insert(words.end(), row, row + easel::Screen.width);
    }
    return words;
}

void setScreenWords(const std::vector<std::uint32_t>& words) {
    for (int y = 0; y < easel::Screen.height; ++y) {
        std::uint32_t* row = easel::detail::rowWords(y);
        for (int x = 0; x < easel::Screen.width; ++x) {
            row[x] = words[static_cast<size_t>(y) * easel::Screen.width + x];
        }
    }
}

struct DabCase {
    int cx;
    int cy;
    bool drawn;
};

TEST_F(BlendTest, DabCoversItsRowsClippedAtEveryEdge) {
    const DabCase cases[] = {
        {250, 300, true},
        {2, 300, true},
        {-5, 300, true},
        {-6, 300, false},
        {50, 2, true},
        {50, -5, true},
        {50, -6, false},
        {497, 300, true},
        {504, 300, true},
        {505, 300, false},
        {300, 497, true},
        {300, 504, true},
        {300, 505, false},
        {0, 0, true},
        {499, 499, true},
        {INT_MIN, 300, false},
        {INT_MAX, INT_MAX, false},
    };
    for (const DabCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "dab at (" << c.cx << ", " << c.cy << ")");
        Picture expected = easel_test::clearTo(white);
        if (c.drawn) paintDab(expected, c.cx, c.cy, black, 16);
        EXPECT_EQ(easel::softDisc(c.cx, c.cy, 5, 0, 0, 0, 16), c.drawn);
        EXPECT_TRUE(easel_test::screenMatches(expected));
    }
}

TEST_F(BlendTest, DabOfRadiusFiveMixes89Pixels) {
    easel_test::clearTo(white);
    EXPECT_TRUE(easel::softDisc(250, 300, 5, 0, 0, 0, 16));
    const Picture p = easel_test::capture();
    int changed = 0;
    for (const RgbColor& c : p.pixels) {
        if (c == white) continue;
        ++changed;
        EXPECT_EQ(c, RgbColor(239, 239, 239));
    }
    EXPECT_EQ(changed, 89);
}

TEST_F(BlendTest, DiscsOfOtherRadiiMixEachRowOnce) {
    // A single dab changes every covered pixel by exactly one mix, so no
    // pixel may show two mixes whatever the radius.
    for (int radius : {1, 2, 3, 7, 20, 260, 1000}) {
        SCOPED_TRACE(radius);
        easel_test::clearTo(white);
        EXPECT_TRUE(easel::softDisc(250, 250, radius, 0, 0, 0, 16));
        const Picture p = easel_test::capture();
        int changed = 0;
        for (const RgbColor& c : p.pixels) {
            if (c == white) continue;
            ++changed;
            ASSERT_EQ(c, RgbColor(239, 239, 239));
        }
        EXPECT_GE(changed, 1);
        EXPECT_EQ(p.at(250, 250), RgbColor(239, 239, 239));
        // Symmetric about the centre row and column.
        for (int d = 0; d <= radius && d < 250; ++d) {
            EXPECT_EQ(p.at(250 + d, 250), p.at(250 - d, 250));
            EXPECT_EQ(p.at(250, 250 + d), p.at(250, 250 - d));
        }
    }
    // Radius 0: the walk's first step hands out the centre row as both its
    // lower and its upper outer row, so the one pixel is mixed twice.
    Picture expected = easel_test::clearTo(white);
    expected.at(250, 250) = RgbColor(224, 224, 224);
    EXPECT_TRUE(easel::softDisc(250, 250, 0, 0, 0, 0, 16));
    EXPECT_TRUE(easel_test::screenMatches(expected));
    easel_test::clearTo(white);
    EXPECT_FALSE(easel::softDisc(250, 250, -3, 0, 0, 0, 16));  // negative: refused
    EXPECT_TRUE(easel_test::screenMatches(Picture(white)));
}

TEST_F(BlendTest, HugeDiscsMixTheScreenRowsOfTheWholeWalk) {
    // The screen's rows of a huge disc, each mixed once, exactly as a walk
    // through every row of the disc would give them.
    struct Case {
        int cx, cy, radius;
    };
    const Case cases[] = {{250, 250, INT_MAX}, {250, -1000000, 1000100},    {-700000, 250, 700200},
                          {1200, 1300, 1500},  {INT_MIN + 600, 0, INT_MAX}, {250, 250, 100000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.cx << ", " << c.cy << ") radius " << c.radius);
        Picture expected = easel_test::clearTo(white);
        if (static_cast<std::int64_t>(c.radius) < 5000000) {
            easel::detail::forEachDiscRow(
                c.cx, c.cy, c.radius, [&](std::int64_t y, std::int64_t x0, std::int64_t x1) {
                    if (y < 0 || y >= expected.height) return;
                    for (std::int64_t x = std::max<std::int64_t>(x0, 0);
                         x <= std::min<std::int64_t>(x1, expected.width - 1); ++x)
                        expected.at(static_cast<int>(x), static_cast<int>(y)) =
                            mixed(white, black, 16);
                });
        } else {
            // Too large to walk here: the disc covers the screen wholly.
            expected = Picture(mixed(white, black, 16));
        }
        EXPECT_TRUE(easel::softDisc(c.cx, c.cy, c.radius, 0, 0, 0, 16));
        EXPECT_TRUE(easel_test::screenMatches(expected));
    }
}

TEST_F(BlendTest, RepeatedDabsSettleWhereTheTruncationStops) {
    struct Case {
        RgbColor background, brush, settled;
    };
    const Case cases[] = {
        {black, white, RgbColor(240, 240, 240)},  // never reaches white
        {white, black, black},
        {RgbColor(0, 128, 255), RgbColor(255, 128, 0), RgbColor(240, 128, 0)},
    };
    for (const Case& c : cases) {
        easel_test::clearTo(c.background);
        for (int i = 0; i < 300; ++i)
            easel::softDisc(100, 300, 5, c.brush.r, c.brush.g, c.brush.b, 16);
        EXPECT_EQ(easel::getPixel(100, 300), c.settled);
        EXPECT_EQ(easel::getPixel(105, 300), c.settled);
    }
    easel_test::clearTo(white);
    easel::softDisc(100, 300, 5, 0, 0, 0, 16);
    EXPECT_EQ(easel::getPixel(100, 300), RgbColor(239, 239, 239));
}

TEST_F(BlendTest, BlendPixelUsesTheOperatorsOrder) {
    struct Case {
        RgbColor old, colour;
        int alpha;
        RgbColor expected;
    };
    const Case cases[] = {
        {black, white, 128, RgbColor(127, 127, 127)},
        {black, white, 255, RgbColor(254, 254, 254)},
        {RgbColor(1, 2, 3), RgbColor(200, 100, 50), 0, RgbColor(1, 2, 3)},
        {white, black, 16, RgbColor(239, 239, 239)},
        {RgbColor(10, 20, 30), RgbColor(256 + 40, -1, 300), 64, RgbColor(17, 78, 33)},
    };
    for (const Case& c : cases) {
        easel::putPixel(7, 400, c.old);
        easel::blendPixel(7, 400, c.colour.r, c.colour.g, c.colour.b,
                          static_cast<std::uint8_t>(c.alpha));
        EXPECT_EQ(easel::getPixel(7, 400), c.expected);
    }
    // Off the screen a single pixel wraps like putPixel.
    easel_test::clearTo(white);
    easel::blendPixel(easel::Screen.width, 3, 0, 0, 0, 128);
    EXPECT_EQ(easel::getPixel(0, 3), RgbColor(127, 127, 127));
}

TEST_F(BlendTest, SpanIsClippedLikeAHorizontalLine) {
    const int w = easel::Screen.width;
    const int h = easel::Screen.height;
    struct Case {
        int y, x1, x2, first, last;  // first > last: nothing drawn
    };
    const Case cases[] = {
        {10, 30, 20, 20, 30},
        {10, 20, 30, 20, 30},
        {11, -5, 3, 0, 3},
        {12, -9, -1, 1, 0},
        {13, w - 2, w + 40, w - 2, w - 1},
        {-1, 0, 10, 1, 0},
        {h, 0, 10, 1, 0},
        {h - 1, 5, 5, 5, 5},
        {14, INT_MIN, INT_MAX, 0, w - 1},
        {INT_MIN, 0, 10, 1, 0},
        {15, INT_MAX, w, 1, 0},
        {16, w, w + 3, 1, 0},
        {17, w - 1, INT_MIN, 0, w - 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "span " << c.y << ": " << c.x1 << " ... " << c.x2);
        Picture expected = easel_test::clearTo(white);
        for (int x = c.first; x <= c.last; ++x) expected.at(x, c.y) = RgbColor(239, 239, 239);
        easel::blendSpan(c.y, c.x1, c.x2, 0, 0, 0, 16);
        EXPECT_TRUE(easel_test::screenMatches(expected));
    }
}

TEST_F(BlendTest, SpanMatchesPixelByPixelMixing) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        Picture expected = randomScreen(rng);
        std::uniform_int_distribution<int> coord(-50, 550);
        const int y = coord(rng);
        const int x1 = coord(rng);
        const int x2 = coord(rng);
        const RgbColor c(static_cast<int>(rng()), static_cast<int>(rng()), static_cast<int>(rng()));
        const int alpha = static_cast<int>(rng() % 256);
        if (y >= 0 && y < expected.height) {
            for (int x = std::max(std::min(x1, x2), 0); x <= std::min(std::max(x1, x2), 499); ++x) {
                expected.at(x, y) = mixed(expected.at(x, y), c, alpha);
            }
        }
        easel::blendSpan(y, x1, x2, c.r, c.g, c.b, static_cast<std::uint8_t>(alpha));
        ASSERT_TRUE(easel_test::screenMatches(expected)) << "round " << round;
    }
}

TEST_F(BlendTest, SpanWritesWhatGetAndPutPixelWouldOnAnyFormat) {
    std::mt19937 rng(11);
    easel_test::RefusedLayouts refused;
    for (const easel_test::PixelLayout& m : easel_test::otherLayouts) {
        SCOPED_TRACE(m.name);
        GuardedSurface other(500, 500, 500, m.r, m.g, m.b, m.a);
        if (!refused.made(other, m)) continue;
        ScopedScreen scope(other.surface(), 500, 500);
        for (int round = 0; round < 5; ++round) {
            randomScreen(rng);
            const std::vector<std::uint32_t> before = screenWords();
            const int y = static_cast<int>(rng() % 500);
            const int x1 = static_cast<int>(rng() % 600) - 50;
            const int x2 = static_cast<int>(rng() % 600) - 50;
            const int r = static_cast<int>(rng() % 256);
            const int g = static_cast<int>(rng() % 256);
            const int b = static_cast<int>(rng() % 256);
            const auto alpha = static_cast<std::uint8_t>(rng());
            easel::blendSpan(y, x1, x2, r, g, b, alpha);
            const std::vector<std::uint32_t> bySpan = screenWords();
            setScreenWords(before);
            for (int x = std::max(std::min(x1, x2), 0); x <= std::min(std::max(x1, x2), 499); ++x) {
                easel::blendPixel(x, y, r, g, b, alpha);
            }
            ASSERT_EQ(bySpan, screenWords()) << "round " << round;
        }
    }
    if (refused.any()) GTEST_SKIP() << refused.reason();
}

TEST_F(BlendTest, NeverWritesOutsideTheSurface) {
    // A small surface with padded rows and guard words around it: spans and
    // discs anywhere, of any size, touch only its pixels.
    const int w = 40;
    const int h = 30;
    GuardedSurface guarded(w, h, 48);
    ScopedScreen scope(guarded.surface(), w, h);
    const int far[] = {INT_MIN, -100000, -41, -6, -1, 0, 20, 39, 40, 45, 100000, INT_MAX};
    for (int a : far) {
        for (int b : far) {
            easel::blendSpan(a, b, b == INT_MIN ? INT_MAX : -b, 0, 0, 0, 16);
            easel::blendSpan(15, a, b, 0, 0, 0, 16);
            easel::softDisc(a, b, 5, 0, 0, 0, 16);
            easel::softDisc(a, 15, std::abs(b % 50000), 0, 0, 0, 16);
        }
    }
    easel::softDisc(20, 15, 100000, 0, 0, 0, 16);
    std::vector<std::uint32_t> memory = guarded.memory();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) memory[guarded.indexOf(x, y)] = GuardedSurface::sentinel;
    EXPECT_EQ(memory, guarded.untouched());
}

TEST(BlendIsBetween, HoldsOnEachAxisBetweenOrOnTheEnds) {
    struct Case {
        int x1, y1, px, py, x2, y2;
        bool expected;
    };
    const Case cases[] = {
        {0, 0, 1, 1, 2, 2, true},
        {0, 0, 0, 0, 2, 2, true},
        {0, 0, 2, 2, 2, 2, true},
        {2, 2, 1, 1, 0, 0, true},
        {0, 0, 3, 1, 2, 2, false},
        {0, 0, 1, 3, 2, 2, false},
        {0, 0, -1, 1, 2, 2, false},
        {5, 0, 5, 7, 5, 9, true},
        {5, 0, 6, 7, 5, 9, false},
        {INT_MIN, 0, 0, 0, INT_MAX, 0, true},
        {INT_MAX, INT_MIN, -1, 0, INT_MIN, INT_MAX, true},
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MIN, false},
        {INT_MAX, 0, INT_MIN, 0, INT_MAX, 0, false},
        {0, 0, INT_MIN, 0, -1, 0, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(easel::isBetween(c.x1, c.y1, c.px, c.py, c.x2, c.y2), c.expected)
            << c.x1 << " " << c.y1 << " " << c.px << " " << c.py << " " << c.x2 << " " << c.y2;
    }
}

TEST(BlendIsBetween, AgreesWithTheSignOfTheProducts) {
    std::mt19937 rng(3);
    const int picks[] = {INT_MIN, INT_MIN + 1, -65536, -2,          -1,     0,
                         1,       2,           65536,  INT_MAX - 1, INT_MAX};
    auto pick = [&]() {
        return rng() % 2 == 0 ? picks[rng() % std::size(picks)] : static_cast<int>(rng());
    };
    for (int i = 0; i < 20000; ++i) {
        const int v[6] = {pick(), pick(), pick(), pick(), pick(), pick()};
        // Products of 64-bit differences in double: the sign is all that counts.
        const double xs = static_cast<double>(static_cast<std::int64_t>(v[0]) - v[2]) *
                          static_cast<double>(static_cast<std::int64_t>(v[4]) - v[2]);
        const double ys = static_cast<double>(static_cast<std::int64_t>(v[1]) - v[3]) *
                          static_cast<double>(static_cast<std::int64_t>(v[5]) - v[3]);
        ASSERT_EQ(easel::isBetween(v[0], v[1], v[2], v[3], v[4], v[5]), xs <= 0 && ys <= 0);
    }
}

}  // namespace
