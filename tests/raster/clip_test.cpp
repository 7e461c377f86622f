#include "easel/raster/clip.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <random>

#include "easel/raster/line.h"
#include "support/screen_fixture.h"

namespace {

using easel_test::screenHeight;
using easel_test::screenWidth;

__extension__ typedef __int128 Wide;  // wide enough for any product of two int differences

using Segment = std::array<int, 4>;

struct Clipped {
    bool accepted = false;
    Segment ends{};
};

// The region code, with its bits spelled out.
int referenceCode(Wide x, Wide y) {
    const int vertical = y >= screenHeight ? 1 : (y < 0 ? 2 : 0);
    const int horizontal = x >= screenWidth ? 4 : (x < 0 ? 8 : 0);
    return vertical | horizontal;
}

// A division of 128-bit values truncated toward zero, as int division does.
Wide truncatingDivide(Wide n, Wide d) {
    return n / d;
}

// Cohen-Sutherland on 128-bit values, where no product can overflow: the
// crossing formulas evaluated exactly, then truncated toward zero.
Clipped referenceClip(Segment s) {
    Wide x0 = s[0], y0 = s[1], x1 = s[2], y1 = s[3];
    const Wide w = screenWidth;
    const Wide h = screenHeight;
    for (int pass = 0; pass < 16; ++pass) {
        const int c0 = referenceCode(x0, y0);
        const int c1 = referenceCode(x1, y1);
        if ((c0 | c1) == 0) {
            return {true,
                    {static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1),
                     static_cast<int>(y1)}};
        }
        if ((c0 & c1) != 0) return {};
        const int c = c0 != 0 ? c0 : c1;
        Wide x = 0;
        Wide y = 0;
        if (c & 1) {
            x = x0 + truncatingDivide((h - y0) * (x1 - x0), y1 - y0);
            y = h - 1;
        } else if (c & 2) {
            x = x0 + truncatingDivide((x0 - x1) * y0, y1 - y0);
            y = 0;
        } else if (c & 4) {
            y = y0 + truncatingDivide((w - x0) * (y1 - y0), x1 - x0);
            x = w - 1;
        } else {
            y = y0 + truncatingDivide((y0 - y1) * x0, x1 - x0);
            x = 0;
        }
        if (c0 != 0) {
            x0 = x;
            y0 = y;
        } else {
            x1 = x;
            y1 = y;
        }
    }
    ADD_FAILURE() << "reference clip did not settle";
    return {};
}

Clipped clip(Segment s) {
    Clipped out;
    // Start the outputs away from both answers, so that each must be written.
    out.ends = {-77, -77, -77, -77};
    out.accepted = easel::clipLine(s[0], s[1], s[2], s[3], &out.ends[0], &out.ends[1], &out.ends[2],
                                   &out.ends[3]);
    return out;
}

::testing::AssertionResult sameClip(Segment s) {
    const Clipped want = referenceClip(s);
    const Clipped got = clip(s);
    if (got.accepted == want.accepted && got.ends == want.ends)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << s[0] << ", " << s[1] << ")-(" << s[2] << ", " << s[3] << "): got "
           << got.accepted << " (" << got.ends[0] << ", " << got.ends[1] << ")-(" << got.ends[2]
           << ", " << got.ends[3] << "), expected " << want.accepted << " (" << want.ends[0] << ", "
           << want.ends[1] << ")-(" << want.ends[2] << ", " << want.ends[3] << ")";
}

using ClipTest = easel_test::ScreenTest;

TEST_F(ClipTest, OutcodeNamesTheSidesOfThePoint) {
    struct Case {
        int x, y, code;
    };
    const Case cases[] = {
        {-1, 500, 9},          {500, -1, 6},           {0, 0, 0},
        {499, 499, 0},         {250, 500, 1},          {250, -1, 2},
        {500, 250, 4},         {-1, 250, 8},           {500, 500, 5},
        {-1, -1, 10},          {INT_MIN, INT_MAX, 9},  {INT_MAX, INT_MIN, 6},
        {INT_MAX, INT_MAX, 5}, {INT_MIN, INT_MIN, 10},
    };
    for (const Case& c : cases) EXPECT_EQ(easel::outcode(c.x, c.y), c.code) << c.x << ", " << c.y;
    EXPECT_EQ(easel::clipBelow | easel::clipAbove | easel::clipRight | easel::clipLeft, 15);
}

TEST_F(ClipTest, DocumentedExamples) {
    struct Case {
        Segment in;
        bool accepted;
        Segment out;
    };
    const Case cases[] = {
        {{10, 10, 20, 20}, true, {10, 10, 20, 20}},
        {{-20, 5, -1, 50}, false, {0, 0, 0, 0}},
        {{-10, 10, 10, 10}, true, {0, 10, 10, 10}},
        {{10, 490, 10, 510}, true, {10, 490, 10, 499}},
        {{0, 0, 100, 1000}, true, {0, 0, 50, 499}},  // crossing taken at y = 500
        {{0, 0, 1000, 100}, true, {0, 0, 499, 50}},
        {{-10, -10, 10, 10}, true, {0, 0, 10, 10}},
        {{600, -100, -100, 600}, true, {499, 0, 0, 499}},  // three crossings
        {{499, 499, 1000, 1000}, true, {499, 499, 499, 499}},
    };
    for (const Case& c : cases) {
        const Clipped got = clip(c.in);
        EXPECT_EQ(got.accepted, c.accepted)
            << c.in[0] << ", " << c.in[1] << " - " << c.in[2] << ", " << c.in[3];
        EXPECT_EQ(got.ends, c.out)
            << c.in[0] << ", " << c.in[1] << " - " << c.in[2] << ", " << c.in[3];
        EXPECT_TRUE(sameClip(c.in));
    }
}

// Random segments of each kind against the 128-bit reference; an accepted
// segment always has both ends on the screen and drawLine draws it.
TEST_F(ClipTest, RandomSegmentsMatchTheWideReferenceAndAreDrawable) {
    std::mt19937 rng(2024);
    const auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const auto onScreen = [&]() {
        return std::array<int, 2>{in(0, screenWidth - 1), in(0, screenHeight - 1)};
    };
    const auto near = [&]() { return std::array<int, 2>{in(-600, 1100), in(-600, 1100)}; };
    const auto far = [&]() { return std::array<int, 2>{in(-40000, 40000), in(-40000, 40000)}; };
    const auto any = [&]() {
        return std::array<int, 2>{in(INT_MIN, INT_MAX), in(INT_MIN, INT_MAX)};
    };
    const auto edge = [&]() {
        const int extremes[] = {INT_MIN, INT_MIN + 1, -1, 0, 499, 500, INT_MAX - 1, INT_MAX};
        return std::array<int, 2>{extremes[in(0, 7)], extremes[in(0, 7)]};
    };
    int accepted = 0;
    int rejected = 0;
    for (int round = 0; round < 60000; ++round) {
        std::array<int, 2> a{};
        std::array<int, 2> b{};
        switch (round % 8) {
            case 0:
                a = onScreen();
                b = onScreen();
                break;  // inside
            case 1:
                a = onScreen();
                b = near();
                break;  // one or two crossings
            case 2:
                a = near();
                b = near();
                break;  // up to three, or outside
            case 3:
                a = far();
                b = far();
                break;
            case 4:
                a = onScreen();
                b = any();
                break;  // products past 32 bits
            case 5:
                a = any();
                b = any();
                break;
            case 6:
                a = edge();
                b = round % 16 == 6 ? edge() : any();
                break;
            default:  // degenerate: a point, a row, a column
                a = near();
                b = round % 3 == 0 ? a
                                   : (round % 3 == 1 ? std::array<int, 2>{in(-600, 1100), a[1]}
                                                     : std::array<int, 2>{a[0], in(-600, 1100)});
                break;
        }
        const Segment s{a[0], a[1], b[0], b[1]};
        ASSERT_TRUE(sameClip(s));
        const Clipped got = clip(s);
        if (!got.accepted) {
            ++rejected;
            continue;
        }
        ++accepted;
        ASSERT_EQ(easel::outcode(got.ends[0], got.ends[1]), 0);
        ASSERT_EQ(easel::outcode(got.ends[2], got.ends[3]), 0);
        if (round % 50 == 0) {
            ASSERT_TRUE(easel::drawLine(got.ends[0], got.ends[1], got.ends[2], got.ends[3],
                                        {255, 255, 255}));
        }
    }
    // Both outcomes must be well represented for the comparison to mean much.
    EXPECT_GT(accepted, 20000);
    EXPECT_GT(rejected, 5000);
}

// Ends at the far limits of int: the products need more than 63 bits, and
// the clipped ends still come out exact.
TEST_F(ClipTest, SegmentsFromTheLimitsOfIntThroughTheScreenClipExactly) {
    struct Case {
        Segment in;
        bool accepted;
    };
    const Case cases[] = {
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, true},
        {{INT_MAX, INT_MIN, INT_MIN, INT_MAX}, false},  // x + y = -1 passes beside the corner
        {{INT_MAX, INT_MIN + 998, INT_MIN, INT_MAX}, true},
        {{INT_MIN, 250, INT_MAX, 250}, true},
        {{250, INT_MIN, 250, INT_MAX}, true},
        {{INT_MIN, INT_MAX, 250, 250}, true},
        {{-1, INT_MAX, 1, INT_MIN}, false},  // crosses row 0 left of column 0
        {{1, INT_MAX, -1, INT_MIN}, true},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(sameClip(c.in));
        EXPECT_EQ(clip(c.in).accepted, c.accepted)
            << c.in[0] << ", " << c.in[1] << " - " << c.in[2] << ", " << c.in[3];
    }
    // The diagonal through the corners comes back as the screen's diagonal.
    EXPECT_EQ(clip({INT_MIN, INT_MIN, INT_MAX, INT_MAX}).ends, (Segment{0, 0, 499, 499}));
    EXPECT_EQ(clip({INT_MIN, 250, INT_MAX, 250}).ends, (Segment{0, 250, 499, 250}));
}

TEST_F(ClipTest, NullOutputsAreSkipped) {
    int x0 = -1;
    EXPECT_TRUE(easel::clipLine(-10, 10, 10, 10, &x0, nullptr, nullptr, nullptr));
    EXPECT_EQ(x0, 0);
    EXPECT_FALSE(easel::clipLine(-20, 5, -1, 50, nullptr, nullptr, nullptr, nullptr));
}

}  // namespace
