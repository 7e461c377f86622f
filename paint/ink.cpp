#include "paint/ink.h"

#include <SDL.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cstdint>
#include <vector>

#include "paint/state.h"
#include "easel/colour/color.h"
// The fill scans and writes whole rows of pixel words: easel internals, which
// the paint program, built with the library, may use.
#include "easel/display/detail/pixels.h"
#include "easel/display/screen.h"

namespace paint {

namespace {

// A run of pixels already painted, whose neighbour rows are still to be
// searched: columns left ... right of row y, found from row parentY (the row
// itself for the first run), where the run parentLeft ... parentRight had
// already been painted.
struct Run {
    int left = 0;
    int right = 0;
    int y = 0;
    int parentY = 0;
    int parentLeft = 0;
    int parentRight = 0;
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
    bool operator()(std::uint32_t word) const { return easel::detail::unmapColor(word) == colour; }
};

// The first column in from ... to whose pixel matches (want true) or does
// not (want false); to + 1 when there is none.
template <typename Matches>
int scanFor(const std::uint32_t* row, int from, int to, bool want, const Matches& matches) {
    int i = from;
    while (i <= to && matches(row[i]) != want) ++i;
    return i;
}

#if defined(__SSE2__)
// The same search four words at a time.
int scanFor(const std::uint32_t* row, int from, int to, bool want, const SameColourBits& matches) {
    const __m128i mask = _mm_set1_epi32(static_cast<int>(matches.mask));
    const __m128i bits = _mm_set1_epi32(static_cast<int>(matches.bits));
    // Four bits of the byte mask per word: set where the word matches.
    const unsigned flip = want ? 0u : 0xFFFFu;
    // Most runs in a maze or along an edge are short: look at the first
    // eight words one by one before switching to blocks of four.
    int i = from;
    for (const int near = std::min(to, from + 7); i <= near; ++i) {
        if (matches(row[i]) == want) return i;
    }
    for (; i + 3 <= to; i += 4) {
        const __m128i words = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
        const unsigned same = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(words, mask), bits)));
        const unsigned hits = same ^ flip;
        if (hits != 0) return i + (__builtin_ctz(hits) >> 2);
    }
    while (i <= to && matches(row[i]) != want) ++i;
    return i;
}
#endif

// Scan-line fill that paints each run as soon as it is found: a run's
// neighbour rows are searched once, each pixel is read about once and
// written once. A child run skips the part of its parent row that the parent
// run covers, since that part is painted already. Painted pixels no longer
// match, so no pixel is painted twice and the work list stays small.
template <typename Matches>
void fillRegion(int x, int y, std::uint32_t newWord, const Matches& matches) {
    const int width = easel::Screen.width;
    const int height = easel::Screen.height;
    std::vector<Run> pending;
    pending.reserve(256);

    // Paints the whole matching run of row ny through column start (known to
    // match), queues it with the run it was found from, and returns its
    // right end.
    const auto paintRun = [&](std::uint32_t* row, int start, int ny, const Run& parent) {
        int left = start;
        while (left > 0 && matches(row[left - 1])) --left;
        const int right = scanFor(row, start + 1, width - 1, false, matches) - 1;
        std::fill(row + left, row + right + 1, newWord);
        pending.push_back(Run{left, right, ny, parent.y, parent.left, parent.right});
        return right;
    };
    // Finds and paints every matching run of row ny that touches columns
    // from ... to.
    const auto searchRow = [&](int ny, int from, int to, const Run& parent) {
        std::uint32_t* row = easel::detail::rowWords(ny);
        int i = from;
        while (true) {
            i = scanFor(row, i, to, true, matches);
            if (i > to) return;
            i = paintRun(row, i, ny, parent) + 2;  // the pixel after a run does not match
        }
    };

    {
        std::uint32_t* row = easel::detail::rowWords(y);
        const Run none{x, x, y, y, 0, -1};
        paintRun(row, x, y, none);
    }
    // Searches the neighbour row ny of a run.
    const auto spread = [&](const Run& run, int ny) {
        if (ny < inkTopRow || ny >= height) return;
        if (ny != run.parentY) {
            searchRow(ny, run.left, run.right, run);
            return;
        }
        // The parent row: only the ends beyond the parent run are new.
        if (run.left < run.parentLeft) {
            searchRow(ny, run.left, std::min(run.right, run.parentLeft - 1), run);
        }
        if (run.right > run.parentRight) {
            searchRow(ny, std::max(run.left, run.parentRight + 1), run.right, run);
        }
    };
    while (!pending.empty()) {
        // Field by field: a run is often taken just after it was queued, and
        // loading it whole would wait for the separate stores to retire.
        Run run;
        const Run& last = pending.back();
        run.left = last.left;
        run.right = last.right;
        run.y = last.y;
        run.parentY = last.parentY;
        run.parentLeft = last.parentLeft;
        run.parentRight = last.parentRight;
        pending.pop_back();
        spread(run, run.y + 1);
        spread(run, run.y - 1);
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
    const std::uint32_t newWord = easel::detail::mapColor(newR, newG, newB);
    // A new colour that reads back as the old one would leave the region
    // unchanged and never shrink it: nothing to do (this covers equal colours).
    if (easel::detail::unmapColor(newWord) == oldColor) return;
    if (easel::detail::unmapColor(*easel::detail::readPixelWord(x, y)) != oldColor) return;

    const SDL_PixelFormat* f = easel::Screen.surface->format;
    if (f->palette == nullptr && (f->Rloss | f->Gloss | f->Bloss) == 0) {
        // Three 8-bit channels: a word reads back as the old colour exactly
        // when its colour bits are those of the mapped old colour.
        const std::uint32_t mask = f->Rmask | f->Gmask | f->Bmask;
        fillRegion(x, y, newWord, SameColourBits{mask, easel::detail::mapColor(oldColor) & mask});
    } else {
        fillRegion(x, y, newWord, SameReadBack{oldColor});
    }
}

}  // namespace paint
