// Direct access to the pixel words of the screen, for drawing code that
// writes whole rows or spans at a time.
//
// rowWords and pixelWord are for writing: they note the row as written
// (written_rows.h), which is what lets a present skip the rows nothing
// wrote. Code that only reads takes readRowWords or readPixelWord, which
// note nothing.
//
// These helpers give exactly what SDL_MapRGB and SDL_GetRGB give for the
// screen's pixel format, without a library call per pixel. They assume
// initScreen has run; coordinates given to them must already be on the screen
// (use wrapX / wrapY or clip first).
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>

#include "easel/colour/color.h"
#include "easel/display/detail/written_rows.h"
#include "easel/display/screen.h"

namespace easel::detail {

// The pixel value that SDL_MapRGB gives for the low 8 bits of each channel.
inline std::uint32_t mapColor(int r, int g, int b) {
    const SDL_PixelFormat* f = Screen.surface->format;
    if (f->palette != nullptr) {
        return SDL_MapRGB(Screen.surface->format, static_cast<Uint8>(r & 255),
                          static_cast<Uint8>(g & 255), static_cast<Uint8>(b & 255));
    }
    return (static_cast<std::uint32_t>((r & 255) >> f->Rloss) << f->Rshift) |
           (static_cast<std::uint32_t>((g & 255) >> f->Gloss) << f->Gshift) |
           (static_cast<std::uint32_t>((b & 255) >> f->Bloss) << f->Bshift) | f->Amask;
}

// The pixel value that SDL_MapRGB gives for the colour's low 8 bits.
inline std::uint32_t mapColor(RgbColor c) {
    return mapColor(c.r, c.g, c.b);
}

// The colour that SDL_GetRGB reads from a pixel value.
inline RgbColor unmapColor(std::uint32_t value) {
    const SDL_PixelFormat* f = Screen.surface->format;
    if (f->palette != nullptr || (f->Rloss | f->Gloss | f->Bloss) != 0) {
        Uint8 r = 0, g = 0, b = 0;
        SDL_GetRGB(value, Screen.surface->format, &r, &g, &b);
        return RgbColor(r, g, b);
    }
    return RgbColor::unmasked(static_cast<int>((value & f->Rmask) >> f->Rshift),
                              static_cast<int>((value & f->Gmask) >> f->Gshift),
                              static_cast<int>((value & f->Bmask) >> f->Bshift));
}

// Reduces x into 0 ... width - 1 (a true modulo: -1 becomes width - 1).
inline int wrapX(int x) {
    const int w = Screen.width;
    if (static_cast<unsigned>(x) < static_cast<unsigned>(w)) return x;
    const int m = x % w;
    return m < 0 ? m + w : m;
}

// Reduces y into 0 ... height - 1 (a true modulo).
inline int wrapY(int y) {
    const int h = Screen.height;
    if (static_cast<unsigned>(y) < static_cast<unsigned>(h)) return y;
    const int m = y % h;
    return m < 0 ? m + h : m;
}

// The distance between two rows of the surface, in 32-bit words.
inline int pitchWords() {
    return Screen.surface->pitch / 4;
}

// The first pixel word of row y, which must be in 0 ... height - 1, for
// reading only.
inline const std::uint32_t* readRowWords(int y) {
    return static_cast<const std::uint32_t*>(Screen.surface->pixels) +
           static_cast<std::ptrdiff_t>(y) * pitchWords();
}

// The pixel word of (x, y), both already on the screen, for reading only.
inline const std::uint32_t* readPixelWord(int x, int y) {
    return readRowWords(y) + x;
}

// The first pixel word of row y, which must be in 0 ... height - 1, for
// writing: the row counts as written.
inline std::uint32_t* rowWords(int y) {
    markRowWritten(y);
    return static_cast<std::uint32_t*>(Screen.surface->pixels) +
           static_cast<std::ptrdiff_t>(y) * pitchWords();
}

// The pixel word of (x, y), both already on the screen, for writing.
inline std::uint32_t* pixelWord(int x, int y) {
    return rowWords(y) + x;
}

}  // namespace easel::detail
