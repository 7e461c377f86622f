#include "easel/text/font.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

using easel::Font8x8;
using easel::fontIndex;

// One row of a glyph as a byte, column 0 in the most significant bit.
int rowByte(int g, int r) {
    int v = 0;
    for (int c = 0; c < 8; ++c) v = v << 1 | Font8x8[fontIndex(g, r, c)];
    return v;
}

std::vector<int> glyphRows(int g) {
    std::vector<int> rows;
    for (int r = 0; r < 8; ++r) rows.push_back(rowByte(g, r));
    return rows;
}

// The highest column and row that carry ink, -1 for a blank glyph.
int lastColumn(int g) {
    int last = -1;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            if (Font8x8[fontIndex(g, r, c)] != 0 && c > last) last = c;
    return last;
}

int lastRow(int g) {
    int last = -1;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            if (Font8x8[fontIndex(g, r, c)] != 0) last = r;
    return last;
}

struct KnownGlyph {
    int glyph;
    std::vector<int> rows;
};

const KnownGlyph knownGlyphs[] = {
    {0, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {1, {0x7E, 0x81, 0xA5, 0x81, 0xBD, 0x99, 0x81, 0x7E}},
    {2, {0x7E, 0xFF, 0xDB, 0xFF, 0xC3, 0xE7, 0xFF, 0x7E}},
    {3, {0x6C, 0xFE, 0xFE, 0xFE, 0x7C, 0x38, 0x10, 0x00}},
    {4, {0x10, 0x38, 0x7C, 0xFE, 0x7C, 0x38, 0x10, 0x00}},
    {5, {0x38, 0x7C, 0x38, 0xFE, 0xFE, 0xD6, 0x10, 0x38}},
    {6, {0x10, 0x10, 0x38, 0x7C, 0xFE, 0x7C, 0x10, 0x38}},
    {48, {0x78, 0xCC, 0xDC, 0xFC, 0xEC, 0xCC, 0x78, 0x00}},
    {49, {0x30, 0xF0, 0x30, 0x30, 0x30, 0x30, 0xFC, 0x00}},
    {50, {0x78, 0xCC, 0x0C, 0x38, 0x60, 0xCC, 0xFC, 0x00}},
    {51, {0x78, 0xCC, 0x0C, 0x38, 0x0C, 0xCC, 0x78, 0x00}},
    {52, {0x1C, 0x3C, 0x6C, 0xCC, 0xFE, 0x0C, 0x0C, 0x00}},
    {53, {0xFC, 0xC0, 0xF8, 0x0C, 0x0C, 0xCC, 0x78, 0x00}},
    {54, {0x38, 0x60, 0xC0, 0xF8, 0xCC, 0xCC, 0x78, 0x00}},
    {55, {0xFC, 0xCC, 0x0C, 0x18, 0x30, 0x60, 0x60, 0x00}},
    {56, {0x78, 0xCC, 0xCC, 0x78, 0xCC, 0xCC, 0x78, 0x00}},
    {57, {0x78, 0xCC, 0xCC, 0x7C, 0x0C, 0x18, 0x70, 0x00}},
    {65, {0x30, 0x78, 0xCC, 0xCC, 0xFC, 0xCC, 0xCC, 0x00}},
    {103, {0x00, 0x00, 0x76, 0xCC, 0xCC, 0x7C, 0x0C, 0xF8}},
    {176, {0x22, 0x88, 0x22, 0x88, 0x22, 0x88, 0x22, 0x88}},
    {219, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    {255, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
};

TEST(Font8x8, KnownGlyphsMatchByteForByte) {
    for (const KnownGlyph& k : knownGlyphs) {
        EXPECT_EQ(glyphRows(k.glyph), k.rows) << "glyph " << k.glyph;
    }
}

TEST(Font8x8, EveryByteIsZeroOrOne) {
    int others = 0;
    for (int i = 0; i < 256 * 64; ++i)
        if (Font8x8[i] > 1) ++others;
    EXPECT_EQ(others, 0);
}

TEST(Font8x8, SpaceIsBlank) {
    EXPECT_EQ(lastColumn(32), -1);
}

// Letters and digits leave column 7 and, except for descenders, row 7 free,
// so that adjacent cells stay apart.
TEST(Font8x8, LettersAndDigitsKeepToSevenColumnsAndRows) {
    const std::string descenders = "gjpqy";
    for (int ch = 0; ch < 128; ++ch) {
        if (std::isalnum(ch) == 0) continue;
        EXPECT_GE(lastColumn(ch), 0) << "glyph " << static_cast<char>(ch) << " is blank";
        EXPECT_LE(lastColumn(ch), 6) << "glyph " << static_cast<char>(ch);
        const bool descends = descenders.find(static_cast<char>(ch)) != std::string::npos;
        EXPECT_EQ(lastRow(ch) == 7, descends) << "glyph " << static_cast<char>(ch);
    }
}

// Only pictographs, the fractions, shades, box-drawing pieces and blocks may
// reach column 7: everything else stays clear of the next cell.
TEST(Font8x8, OnlyCellFillingGlyphsTouchColumnSeven) {
    for (int g = 0; g < 256; ++g) {
        const bool fills =
            (g >= 1 && g <= 31) || g == 127 || g == 171 || g == 172 || (g >= 176 && g <= 223);
        if (!fills) {
            EXPECT_LE(lastColumn(g), 6) << "glyph " << g;
        }
    }
}

// Every printable ASCII character has ink and a bitmap of its own, as do the
// code page 437 letters, signs and pieces above 127 (255 aside).
TEST(Font8x8, PrintableGlyphsAreDistinctAndInked) {
    std::set<std::vector<int>> seen;
    for (int g = 1; g < 255; ++g) {
        if (g == 32) continue;
        EXPECT_GE(lastColumn(g), 0) << "glyph " << g << " is blank";
        EXPECT_TRUE(seen.insert(glyphRows(g)).second) << "glyph " << g << " repeats another";
    }
}

}  // namespace
