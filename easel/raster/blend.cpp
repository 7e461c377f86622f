#include "easel/raster/blend.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <utility>

#include "easel/colour/color.h"
#include "easel/display/detail/pixels.h"
#include "easel/display/detail/screen_ready.h"
#include "easel/display/screen.h"
#include "easel/raster/detail/disc_rows.h"

namespace easel {

namespace {

// The mix of a colour into a pixel, in exactly the operators' order: integer
// products, integer sum, division truncated toward zero.
RgbColor mix(RgbColor old, RgbColor colour, int alpha) {
    return (old * (256 - alpha) + colour * alpha) / 256;
}

// -1, 0 or 1 by the sign of v.
int signOf(std::int64_t v) {
    return (v > 0) - (v < 0);
}

// Mixes columns x1 ... x2 of row y, all already on the screen, x1 <= x2.
void blendRow(int y, int x1, int x2, RgbColor colour, int alpha) {
    std::uint32_t* row = detail::rowWords(y);
    const SDL_PixelFormat* f = Screen.surface->format;
    if (f->palette != nullptr || (f->Rloss | f->Gloss | f->Bloss) != 0) {
        // Any other format: the same conversions as getPixel and putPixel.
        for (int x = x1; x <= x2; ++x)
            row[x] = detail::mapColor(mix(detail::unmapColor(row[x]), colour, alpha));
        return;
    }
    // Three 8-bit channels: unpack, mix and repack the word in place. With
    // channels in 0-255 the operators' sums stay non-negative, so the
    // truncating division is a plain shift; the result is the word that
    // putPixel would write for the colour that getPixel would read. The
    // format is copied into locals because the row writes may alias it.
    const std::uint32_t rMask = f->Rmask, gMask = f->Gmask, bMask = f->Bmask, aMask = f->Amask;
    const unsigned rShift = f->Rshift, gShift = f->Gshift, bShift = f->Bshift;
    const std::uint32_t keep = 256u - static_cast<std::uint32_t>(alpha);
    const std::uint32_t weight = static_cast<std::uint32_t>(alpha);
    const std::uint32_t addR = static_cast<std::uint32_t>(colour.r) * weight;
    const std::uint32_t addG = static_cast<std::uint32_t>(colour.g) * weight;
    const std::uint32_t addB = static_cast<std::uint32_t>(colour.b) * weight;
    for (int x = x1; x <= x2; ++x) {
        const std::uint32_t w = row[x];
        const std::uint32_t r = (((w & rMask) >> rShift) * keep + addR) >> 8;
        const std::uint32_t g = (((w & gMask) >> gShift) * keep + addG) >> 8;
        const std::uint32_t b = (((w & bMask) >> bShift) * keep + addB) >> 8;
        row[x] = (r << rShift) | (g << gShift) | (b << bShift) | aMask;
    }
}

// blendSpan's clipping in 64 bits, for the rows of a disc far off the screen.
void blendSpan64(std::int64_t y, std::int64_t x1, std::int64_t x2, RgbColor colour, int alpha) {
    if (x2 < x1) std::swap(x1, x2);
    if (x2 < 0 || x1 > Screen.width - 1 || y < 0 || y > Screen.height - 1) return;
    x1 = std::max<std::int64_t>(x1, 0);
    x2 = std::min<std::int64_t>(x2, Screen.width - 1);
    blendRow(static_cast<int>(y), static_cast<int>(x1), static_cast<int>(x2), colour, alpha);
}

}  // namespace

void blendPixel(int x, int y, int r, int g, int b, std::uint8_t alpha) {
    if (!detail::screenReady("blendPixel")) return;
    putPixel(x, y, mix(getPixel(x, y), RgbColor(r, g, b), alpha));
}

void blendSpan(int y, int x1, int x2, int r, int g, int b, std::uint8_t alpha) {
    if (!detail::screenReady("blendSpan")) return;
    blendSpan64(y, x1, x2, RgbColor(r, g, b), alpha);
}

bool softDisc(int cx, int cy, int radius, int r, int g, int b, std::uint8_t alpha) {
    if (!detail::screenReady("softDisc") || radius < 0) return false;
    const std::int64_t x = cx;
    const std::int64_t y = cy;
    const std::int64_t rad = radius;
    if (x + rad < 0 || x - rad >= Screen.width || y + rad < 0 || y - rad >= Screen.height) {
        return false;
    }
    const RgbColor colour(r, g, b);
    // Only the screen's rows: the walk then skips the rest of a huge disc.
    detail::forEachDiscRowBetween(cx, cy, radius, 0, Screen.height - 1,
                                  [&](std::int64_t row, std::int64_t left, std::int64_t right) {
                                      blendSpan64(row, left, right, colour, alpha);
                                  });
    return true;
}

bool isBetween(int x1, int y1, int px, int py, int x2, int y2) {
    // The sign of each product, which is all the test needs, without the
    // product itself: the differences alone can exceed 32 bits.
    const int xSide =
        signOf(static_cast<std::int64_t>(x1) - px) * signOf(static_cast<std::int64_t>(x2) - px);
    const int ySide =
        signOf(static_cast<std::int64_t>(y1) - py) * signOf(static_cast<std::int64_t>(y2) - py);
    return xSide <= 0 && ySide <= 0;
}

}  // namespace easel
