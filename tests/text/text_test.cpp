#include "easel/text/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "easel/display/screen.h"
#include "easel/text/font.h"
#include "support/screen_fixture.h"

namespace {

class TextTest : public easel_test::ScreenTest {};

using easel::RgbColor;
using easel_test::Picture;
using easel_test::screenHeight;
using easel_test::screenWidth;

// v mod m in 0 ... m - 1.
int trueMod(std::int64_t v, int m) {
    return static_cast<int>(((v % m) + m) % m);
}

// The raw pixel words of the screen, row by row.
std::vector<std::uint32_t> snapshot() {
    std::vector<std::uint32_t> words(static_cast<size_t>(screenWidth) * screenHeight);
    const SDL_Surface* s = easel::Screen.surface;
    for (int y = 0; y < screenHeight; ++y) {
        std::memcpy(
            &words[static_cast<size_t>(y) * screenWidth],
            static_cast<const std::uint8_t*>(s->pixels) + static_cast<ptrdiff_t>(y) * s->pitch,
            sizeof(std::uint32_t) * screenWidth);
    }
    return words;
}

void restore(const std::vector<std::uint32_t>& words) {
    const SDL_Surface* s = easel::Screen.surface;
    for (int y = 0; y < screenHeight; ++y) {
        std::memcpy(static_cast<std::uint8_t*>(s->pixels) + static_cast<ptrdiff_t>(y) * s->pitch,
                    &words[static_cast<size_t>(y) * screenWidth],
                    sizeof(std::uint32_t) * screenWidth);
    }
}

::testing::AssertionResult sameWords(const std::vector<std::uint32_t>& actual,
                                     const std::vector<std::uint32_t>& expected) {
    int differing = 0;
    std::ostringstream first;
    for (size_t i = 0; i < actual.size(); ++i) {
        if (actual[i] == expected[i]) continue;
        if (differing++ == 0) {
            first << "first at (" << i % screenWidth << ", " << i / screenWidth << "): got 0x"
                  << std::hex << actual[i] << ", expected 0x" << expected[i];
        }
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ; " << first.str();
}

// Fills the screen with a noisy pattern, so that untouched pixels show.
void fillNoise(std::uint32_t seed) {
    std::mt19937 rng(seed);
    for (int y = 0; y < screenHeight; ++y)
        for (int x = 0; x < screenWidth; ++x)
            easel::putPixel(x, y, static_cast<int>(rng() & 255), static_cast<int>(rng() & 255),
                            static_cast<int>(rng() & 255));
}

struct Ink {
    int fr = 0, fg = 0, fb = 0;
    bool background = false;
    int br = 0, bg = 0, bb = 0;
};

// The reference: every pixel written with putPixel at its true-modulo
// position, the advance done by the plain rule in 64 bits.
void referenceCell(int g, std::int64_t x, std::int64_t y, const Ink& ink) {
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            const int px = trueMod(x + c, screenWidth);
            const int py = trueMod(y + r, screenHeight);
            if (easel::Font8x8[g * 64 + r * 8 + c] != 0) {
                easel::putPixel(px, py, ink.fr, ink.fg, ink.fb);
            } else if (ink.background) {
                easel::putPixel(px, py, ink.br, ink.bg, ink.bb);
            }
        }
    }
}

// Draws like drawText and returns the final (x, y) of the plain rule.
std::pair<std::int64_t, std::int64_t> referenceText(const std::string& text, std::int64_t x,
                                                    std::int64_t y, const Ink& ink, int minLength) {
    std::int64_t count = 0;
    auto cell = [&](int g) {
        referenceCell(g, x, y, ink);
        x += 8;
        if (x > screenWidth - 8) {
            x = x % 8;
            y += 8;
        }
        if (y > screenHeight - 8) y = y % 8;
        ++count;
    };
    for (char ch : text) cell(static_cast<unsigned char>(ch));
    while (count < minLength) cell(0);
    return {x, y};
}

int drawWith(const std::string& text, int x, int y, const Ink& ink, int minLength) {
    return easel::drawText(text.c_str(), x, y, ink.fr, ink.fg, ink.fb, ink.background, ink.br,
                           ink.bg, ink.bb, minLength);
}

const Ink white{255, 255, 255, false, 0, 0, 0};
const Ink whiteOnBlue{255, 255, 255, true, 0, 0, 255};

// The picture of the screen after clearing to black and drawing glyph g at
// the on-screen positions (x + c) mod width, (y + r) mod height.
void expectCell(Picture& p, int g, std::int64_t x, std::int64_t y, const Ink& ink) {
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            RgbColor& px = p.at(trueMod(x + c, screenWidth), trueMod(y + r, screenHeight));
            if (easel::Font8x8[g * 64 + r * 8 + c] != 0) {
                px = RgbColor(ink.fr, ink.fg, ink.fb);
            } else if (ink.background) {
                px = RgbColor(ink.br, ink.bg, ink.bb);
            }
        }
    }
}

TEST_F(TextTest, DrawTextLabelReturnsPositionAfterIt) {
    Picture expected;
    for (int i = 0; i < 15; ++i) expectCell(expected, "Selected Color:"[i], 300 + 8 * i, 10, white);
    EXPECT_EQ(drawWith("Selected Color:", 300, 10, white, 0), 210010);
    EXPECT_TRUE(easel_test::screenMatches(expected));
}

TEST_F(TextTest, DrawTextSplitsACellAcrossTheRightEdgeAndWraps) {
    Picture expected;
    expectCell(expected, 'A', 496, 0, whiteOnBlue);  // columns 496-499 and 0-3
    expectCell(expected, 'B', 0, 8, whiteOnBlue);
    EXPECT_EQ(drawWith("AB", 496, 0, whiteOnBlue, 0), 4008);
    EXPECT_TRUE(easel_test::screenMatches(expected));
    EXPECT_EQ(easel::getPixel(0, 0), RgbColor(0, 0, 255));  // A's column 4, blank
    EXPECT_EQ(easel::getPixel(4, 0), RgbColor(0, 0, 0));    // beyond the cell
}

TEST_F(TextTest, DrawTextSplitsACellAcrossTheBottomEdge) {
    Picture expected;
    expectCell(expected, 'a', 0, 495, whiteOnBlue);  // rows 495-499 and 0-2
    expectCell(expected, 'b', 8, 7, whiteOnBlue);    // y = 495 mod 8
    EXPECT_EQ(drawWith("ab", 0, 495, whiteOnBlue, 0), 16 * 500 + 7);
    EXPECT_TRUE(easel_test::screenMatches(expected));
}

// Where the next cell goes after one cell, on the 500 x 500 screen: a cell may
// start at x = 492 but not at 493; past the bottom, y returns to y mod 8.
TEST_F(TextTest, DrawTextAdvanceAndWrapPositions) {
    struct Case {
        int x, y, expected;
    };
    const Case cases[] = {
        {0, 0, 8 * 500 + 0},     {484, 0, 492 * 500 + 0},     {485, 3, 5 * 500 + 11},
        {491, 0, 3 * 500 + 8},   {492, 0, 4 * 500 + 8},       {300, 492, 308 * 500 + 492},
        {492, 492, 4 * 500 + 4}, {484, 485, 492 * 500 + 485}, {490, 499, 2 * 500 + 3},
        {0, 493, 8 * 500 + 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(drawWith("x", c.x, c.y, white, 0), c.expected) << "at " << c.x << ", " << c.y;
    }
}

TEST_F(TextTest, ClearBackgroundLeavesBlankPixelsButAdvances) {
    fillNoise(1);
    const std::vector<std::uint32_t> before = snapshot();
    const std::string blanks("  \0", 2);
    EXPECT_EQ(drawWith(blanks, 40, 40, white, 5), 80 * 500 + 40);  // 2 spaces + 3 glyph-0 cells
    EXPECT_TRUE(sameWords(snapshot(), before));
}

TEST_F(TextTest, EmptyTextWithMinimumLengthPaintsBackgroundCells) {
    fillNoise(2);
    Picture expected = easel_test::capture();
    for (int y = 20; y < 28; ++y)
        for (int x = 100; x < 124; ++x) expected.at(x, y) = RgbColor(0, 0, 255);
    EXPECT_EQ(drawWith("", 100, 20, whiteOnBlue, 3), 124 * 500 + 20);
    EXPECT_TRUE(easel_test::screenMatches(expected));
}

TEST_F(TextTest, FullBlockIsSolidAndGlyph255IsBlank) {
    fillNoise(3);
    Picture expected = easel_test::capture();
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            expected.at(8 + x, 8 + y) = RgbColor(10, 20, 30);
            expected.at(16 + x, 8 + y) = RgbColor(40, 50, 60);
        }
    }
    const Ink ink{10, 20, 30, true, 40, 50, 60};
    EXPECT_EQ(drawWith("\xDB\xFF", 8, 8, ink, 0), 24 * 500 + 8);
    EXPECT_TRUE(easel_test::screenMatches(expected));
    const std::vector<std::uint32_t> drawn = snapshot();
    drawWith("\xFF", 16, 8, white, 0);  // clear background: a blank cell changes nothing
    EXPECT_TRUE(sameWords(snapshot(), drawn));
}

TEST_F(TextTest, MinimumLengthNotAboveTextLengthDrawsJustTheText) {
    fillNoise(4);
    const std::vector<std::uint32_t> before = snapshot();
    const int plain = drawWith("Hello", 30, 30, whiteOnBlue, 0);
    const std::vector<std::uint32_t> drawn = snapshot();
    for (int minLength : {-5, 1, 4, 5}) {
        restore(before);
        EXPECT_EQ(drawWith("Hello", 30, 30, whiteOnBlue, minLength), plain) << minLength;
        EXPECT_TRUE(sameWords(snapshot(), drawn)) << "minLength " << minLength;
    }
}

TEST_F(TextTest, ColoursKeepTheirLowEightBits) {
    const Ink wide{256 + 7, -1, 300, true, 512, 511, -256 + 9};
    drawWith("\xDB ", 0, 0, wide, 0);
    EXPECT_EQ(easel::getPixel(3, 3), RgbColor(7, 255, 44));
    EXPECT_EQ(easel::getPixel(11, 3), RgbColor(0, 255, 9));
}

TEST_F(TextTest, NullTextCountsAsEmpty) {
    EXPECT_EQ(easel::drawText(nullptr, 8, 0, 1, 1, 1, true, 0, 0, 255, 2), 24 * 500);
    EXPECT_EQ(easel::getPixel(23, 7), RgbColor(0, 0, 255));
}

TEST_F(TextTest, DrawCharDrawsOneCellOfTheLowByte) {
    fillNoise(5);
    const std::vector<std::uint32_t> before = snapshot();
    const Ink ink{200, 100, 50, true, 1, 2, 3};
    for (int ch : {65, 65 + 256, 65 - 512}) {
        restore(before);
        referenceCell(65, 497, 498, ink);
        const std::vector<std::uint32_t> expected = snapshot();
        restore(before);
        EXPECT_TRUE(easel::drawChar(ch, 497, 498, 200, 100, 50, true, 1, 2, 3));
        EXPECT_TRUE(sameWords(snapshot(), expected)) << "character " << ch;
    }
}

// Cells at negative or huge coordinates land on their true-modulo pixels and
// nowhere else; the advance cannot overflow.
TEST_F(TextTest, ExtremeCoordinatesStayInsideTheSurface) {
    const int extremes[] = {INT_MIN, INT_MIN + 5, -100001, -9,          -8,          -1,     0, 495,
                            499,     500,         1000003, INT_MAX - 8, INT_MAX - 3, INT_MAX};
    const Ink ink{255, 0, 0, true, 0, 255, 0};
    fillNoise(6);
    const std::vector<std::uint32_t> before = snapshot();
    for (int x : extremes) {
        for (int y : extremes) {
            restore(before);
            const auto end = referenceText(
                "\xDB"
                "Az",
                x, y, ink, 5);
            const std::vector<std::uint32_t> expected = snapshot();
            restore(before);
            const int packed = drawWith(
                "\xDB"
                "Az",
                x, y, ink, 5);
            ASSERT_TRUE(sameWords(snapshot(), expected)) << "text at " << x << ", " << y;
            const std::int64_t plain = end.first * screenHeight + end.second;
            if (plain >= INT_MIN && plain <= INT_MAX) {
                EXPECT_EQ(packed, plain) << "text at " << x << ", " << y;
            }
            restore(before);
            ASSERT_TRUE(easel::drawChar('W', x, y, 1, 2, 3, true, 4, 5, 6));
            restore(before);
        }
    }
}

// When x * height + y does not fit an int, the result is the next cell's
// on-screen position instead.
TEST_F(TextTest, PackedPositionThatOverflowsIsWrappedOntoTheScreen) {
    struct Case {
        int x, y, expected;
    };
    const Case cases[] = {
        {INT_MAX, 0, 147 * 500 + 0},                             // INT_MAX mod 500 = 147
        {INT_MIN, 0, 352 * 500 + 0},                             // INT_MIN mod 500 = 352
        {INT_MIN, -3, 352 * 500 + 497},  {0, INT_MAX, INT_MAX},  // fits: returned as it stands
        {5, INT_MIN, 5 * 500 + INT_MIN}, {-8, 0, -4000},
        {-4294967, 0, -2147483500},  // the last x that still fits
        {-4294968, 0, 32 * 500},     // -2147484000 does not: -4294968 mod 500 = 32
    };
    for (const Case& c : cases) {
        EXPECT_EQ(easel::drawText("", c.x, c.y, 0, 0, 0, false, 0, 0, 0, 0), c.expected)
            << "at " << c.x << ", " << c.y;
    }
}

// drawText against the per-pixel reference over many random texts,
// positions, colours, flags and minimum lengths.
TEST_F(TextTest, DrawTextMatchesPerPixelReference) {
    std::mt19937 rng(20240607);
    fillNoise(7);
    const std::vector<std::uint32_t> before = snapshot();
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int trial = 0; trial < 300; ++trial) {
        std::string text;
        const int length = pick(0, 90);
        for (int i = 0; i < length; ++i) text.push_back(static_cast<char>(pick(1, 255)));
        const int x = trial % 3 == 0 ? pick(480, 520) : pick(0, 560);
        const int y = trial % 3 == 1 ? pick(480, 520) : pick(0, 560);
        const Ink ink{pick(-300, 600), pick(-300, 600), pick(-300, 600), pick(0, 1) == 1,
                      pick(-300, 600), pick(-300, 600), pick(-300, 600)};
        const int minLength = pick(-2, 100);
        restore(before);
        const auto end = referenceText(text, x, y, ink, minLength);
        const std::vector<std::uint32_t> expected = snapshot();
        restore(before);
        const int packed = drawWith(text, x, y, ink, minLength);
        ASSERT_TRUE(sameWords(snapshot(), expected))
            << "trial " << trial << ": " << length << " bytes at " << x << ", " << y;
        ASSERT_EQ(packed, end.first * screenHeight + end.second) << "trial " << trial;
        const easel::TextPosition next = easel::unpackTextPosition(packed);
        ASSERT_EQ(next.x, end.first) << "trial " << trial;
        ASSERT_EQ(next.y, end.second) << "trial " << trial;
    }
}

// Text drawn in two parts, the second at the unpacked position the first
// returned, matches the whole text drawn at once, also across both edges.
TEST_F(TextTest, UnpackedPositionContinuesTheText) {
    const int starts[][2] = {{0, 0}, {300, 10}, {488, 0}, {496, 40}, {480, 492}, {0, 495}};
    for (const auto& s : starts) {
        SCOPED_TRACE(::testing::Message() << "at " << s[0] << ", " << s[1]);
        easel_test::clearTo(RgbColor(0, 0, 0));
        const int whole = drawWith("Hello, easel", s[0], s[1], whiteOnBlue, 0);
        const Picture expected = easel_test::capture();
        easel_test::clearTo(RgbColor(0, 0, 0));
        const easel::TextPosition p =
            easel::unpackTextPosition(drawWith("Hello,", s[0], s[1], whiteOnBlue, 0));
        EXPECT_EQ(drawWith(" easel", p.x, p.y, whiteOnBlue, 0), whole);
        EXPECT_TRUE(easel_test::screenMatches(expected));
    }
}

}  // namespace
