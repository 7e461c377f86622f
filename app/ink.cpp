#include "app/ink.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/state.h"
#include "easel/colour/color.h"
#include "easel/display/pixels.h"
#include "easel/display/screen.h"

namespace paint {

namespace {

// A pixel from which the fill still has to spread.
struct Seed {
    int x = 0;
    int y = 0;
};

// Whether a pixel word holds the region colour, on a format of three 8-bit
// channels: the colour bits of the word are those of the mapped colour.
struct SameColourBits {
    std::uint32_t mask = 0;
    std::uint32_t bits = 0;
    bool operator()(std::uint32_t word) const { return (word & mask) == bits; }
};

// Whether a pixel word holds the region colour, on any format: the colour
// that getPixel would read from it.
struct SameReadBack {
    easel::RgbColor colour;
    bool operator()(std::uint32_t word) const { return easel::unmapColor(word) == colour; }
};

// Scan-line fill: each seed grows into the whole run of its row, the run is
// painted, and the rows above and below get one seed per run of matching
// pixels along it. Painted pixels no longer match, so every pixel is painted
// once and the work list holds at most a few seeds per painted run.
template <typename Matches>
void fillRegion(int x, int y, std::uint32_t newWord, Matches matches) {
    const int width = easel::Screen.width;
    const int height = easel::Screen.height;
    std::vector<Seed> pending;
    pending.push_back(Seed{x, y});
    while (!pending.empty()) {
        const Seed seed = pending.back();
        pending.pop_back();
        std::uint32_t* row = easel::rowWords(seed.y);
        if (!matches(row[seed.x])) continue;
        int left = seed.x;
        while (left > 0 && matches(row[left - 1])) --left;
        int right = seed.x;
        while (right < width - 1 && matches(row[right + 1])) ++right;
        std::fill(row + left, row + right + 1, newWord);
        for (const int next : {seed.y + 1, seed.y - 1}) {
            if (next < inkTopRow || next >= height) continue;
            const std::uint32_t* nextRow = easel::rowWords(next);
            int i = left;
            while (i <= right) {
                if (!matches(nextRow[i])) {
                    ++i;
                    continue;
                }
                pending.push_back(Seed{i, next});
                while (i <= right && matches(nextRow[i])) ++i;
            }
        }
    }
}

}  // namespace

void inkPass(int x, int y, bool left) {
    lastX = x;
    lastY = y;
    if (!left) return;
    const easel::RgbColor old = easel::getPixel(x, y);
    inkFill(x, y, selectedColor.r, selectedColor.g, selectedColor.b, old.r, old.g, old.b);
}

void inkFill(int x, int y, int newR, int newG, int newB, int oldR, int oldG, int oldB) {
    if (x < 0 || x >= easel::Screen.width || y < inkTopRow || y >= easel::Screen.height) return;
    const easel::RgbColor oldColor(oldR, oldG, oldB);
    const std::uint32_t newWord = easel::mapColor(newR, newG, newB);
    // A new colour that reads back as the old one would leave the region
    // unchanged and never shrink it: nothing to do (this covers equal colours).
    if (easel::unmapColor(newWord) == oldColor) return;
    if (easel::unmapColor(*easel::pixelWord(x, y)) != oldColor) return;

    const SDL_PixelFormat* f = easel::Screen.surface->format;
    if (f->palette == nullptr && (f->Rloss | f->Gloss | f->Bloss) == 0) {
        // Three 8-bit channels: a word reads back as the old colour exactly
        // when its colour bits are those of the mapped old colour.
        const std::uint32_t mask = f->Rmask | f->Gmask | f->Bmask;
        fillRegion(x, y, newWord, SameColourBits{mask, easel::mapColor(oldColor) & mask});
    } else {
        fillRegion(x, y, newWord, SameReadBack{oldColor});
    }
}

}  // namespace paint
