// Run-length encoded BMPs (RLE8, RLE4) made by hand: every escape, padding
// after absolute stretches, runs past the row's end, damage. Where the SDL
// running the tests reads such files itself (sdl12-compat, through SDL2),
// its pixels must be the loader's.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "easel/image/load.h"

namespace {

using Words = std::vector<std::uint32_t>;

// Palette entry i, or black beyond the 12 entries the files carry.
std::uint32_t colourOf(int i) {
    return i < 0 || i >= 12 ? 0xFF000000u : 0xFF000000u | std::uint32_t(i * 20) << 16 | 0x6400u | 7;
}

// After "BM" every header field is a little-endian 32-bit word (planes and
// depth share one); a palette of 12 entries follows.
std::string rleBmp(int width, int height, int depth, const std::vector<std::uint8_t>& data) {
    const std::uint32_t offset = 14 + 40 + 12 * 4, bytes = std::uint32_t(data.size());
    const std::uint32_t w = std::uint32_t(width), h = std::uint32_t(height);
    const std::uint32_t planesAndDepth = 1u | std::uint32_t(depth) << 16;
    const std::uint32_t compression = depth == 8 ? 1 : 2;
    std::vector<std::uint32_t> words = {offset + bytes, 0,     offset, 40, w,  h, planesAndDepth,
                                        compression,    bytes, 0,      0,  12, 0};
    for (int i = 0; i < 12; ++i) words.push_back(colourOf(i) & 0xFFFFFFu);
    std::string out = "BM";
    for (const std::uint32_t word : words) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(word >> (8 * i)));
    }
    return out + std::string(data.begin(), data.end());
}

// The pixels SDL's own reader gives, when it reads RLE files at all.
Words sdlWords(const std::string& file) {
    SDL_Surface* s = SDL_LoadBMP_RW(SDL_RWFromConstMem(file.data(), int(file.size())), 1);
    Words words;
    for (int y = 0; s != nullptr && s->format->palette != nullptr && y < s->h; ++y) {
        for (int x = 0; x < s->w; ++x) {
            const SDL_Color c =
                s->format->palette->colors[static_cast<std::uint8_t*>(s->pixels)[y * s->pitch + x]];
            words.push_back(0xFF000000u | std::uint32_t(c.r) << 16 | std::uint32_t(c.g) << 8 | c.b);
        }
    }
    if (s != nullptr) SDL_FreeSurface(s);
    return words;
}

TEST(BmpRle, RunsEscapesAndDamageAsTheFormatSays) {
    const struct {
        const char* what;
        int width, height, depth;
        std::vector<std::uint8_t> data;
        std::vector<int> indices;  // top row first; empty: refused for the reason
        const char* reason = "";
    } cases[] = {
        {"RLE8: runs, odd absolute stretch and pad, end of line, delta, end of bitmap",
         5,
         4,
         8,
         {3, 1, 0, 3, 4, 5, 6, 0, 0, 0, 0, 2, 1, 1, 1, 9, 0, 0, 2, 7, 0, 3, 8, 10, 11, 0, 0, 1},
         {7, 7, 8, 10, 11, 0, 9, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 4, 5}},
        {"RLE4: runs take turns, stretches of whole and half bytes, padded",
         5,
         3,
         4,
         {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 0, 0, 5, 0x67, 0x89, 0xA0, 0, 0, 1},
         {6, 7, 8, 9, 10, 3, 4, 5, 0, 0, 1, 2, 1, 2, 1}},
        {"a run past the row's end is cut there", 2, 2, 8, {12, 3, 0, 0, 1, 4, 0, 1}, {4, 0, 3, 3}},
        {"a stretch past the row's end is read whole and cut",
         3,
         2,
         4,
         {0, 5, 0x12, 0x34, 0x50, 0, 0, 0, 1, 0x66, 0, 1},
         {6, 0, 0, 1, 2, 3}},
        // SDL2 reads indices beyond the palette as white and insists on an
        // end-of-bitmap mark.
        {"index beyond the palette, then a delta past the top",
         2,
         2,
         8,
         {1, 11, 1, 200, 0, 2, 0, 7},
         {0, 0, 11, -1}},
        {"cut short in a run", 4, 2, 8, {4, 1, 0, 0, 3}, {}, "the file is cut short"},
        {"cut short in a stretch", 4, 1, 4, {0, 4, 0x12}, {}, "the file is cut short"},
        {"rows top down", 2, -2, 8, {2, 1, 0, 1}, {}, "top down"},
    };
    for (const auto& c : cases) {
        const std::string file = rleBmp(c.width, c.height, c.depth, c.data);
        std::string why;
        const auto image = easel::loadImageFromMemory(file.data(), file.size(), "rle.bmp", &why);
        if (c.indices.empty()) {
            EXPECT_FALSE(image.has_value()) << c.what;
            EXPECT_NE(why.find(c.reason), std::string::npos) << c.what << ": " << why;
            continue;
        }
        ASSERT_TRUE(image.has_value()) << c.what << ": " << why;
        ASSERT_EQ(image->width() * image->height(), int(c.indices.size())) << c.what;
        const Words got(image->pixels(), image->pixels() + c.indices.size());
        Words expected;
        for (const int i : c.indices) expected.push_back(colourOf(i));
        EXPECT_EQ(got, expected) << c.what;
        const Words sdl = sdlWords(file);
        if (!sdl.empty() && c.indices != std::vector<int>{0, 0, 11, -1}) {
            EXPECT_EQ(got, sdl) << c.what << ", as SDL's reader gives it";
        }
    }
}

}  // namespace
