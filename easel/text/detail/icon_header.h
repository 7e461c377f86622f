// Internal: the icon loaders' check of a BMP header before SDL decodes the
// file, and what the loaders keep of the header for reading the decoded
// pixels. SDL 1.2.15 and sdl12-compat (SDL 1.2 over SDL2) read unusual BMP
// files differently; the check hands SDL only files that both read alike, so
// that an icon loads the same whichever of them runs the program.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace easel::detail {

// The fields of a BMP header that the loaders act on.
struct IconHeader {
    std::int64_t dataOffset = 0;  // where the pixel rows start, from the file's start
    std::int64_t infoSize = 0;    // 12 (OS/2), 40, 52, 56, 108 or 124 once accepted
    std::int64_t width = 0;
    std::int64_t height = 0;        // negative when the rows are stored top row first
    std::int64_t depth = 0;         // bits per pixel
    std::int64_t compression = 0;   // 0 none, 3 bit fields
    std::uint32_t masks[4] = {};    // red, green, blue, alpha (alpha read from 56-byte headers on)
    int firstPixelFourthByte = -1;  // the fourth byte of the first pixel stored, 32-bit none only
};

// Reads the BMP header at the stream's position, leaves the stream where it
// was, and says whether SDL may decode the file. Refused: a header cut short;
// an info header size other than 12, 40, 52, 56, 108 or 124; a depth other
// than 24 or 32 bits; a compression other than none, or bit fields other than
// 8-bit red, green and blue in a 32-bit pixel in one of the orders SDL2 knows
// (alpha, from 56-byte headers on, either absent or the fourth byte); more
// than maxPixels pixels (4096 x 4096 for icons); and fewer bytes after the
// data offset than the rows the header announces. With palettes, 1-, 4- and
// 8-bit files without compression are taken too (the image loader's BMP).
bool readDecodableHeader(SDL_RWops* stream, IconHeader* header,
                         std::int64_t maxPixels = std::int64_t{4096} * 4096, bool palettes = false);

// Decodes the BMP whose header readDecodableHeader accepted, from the same
// stream position, into width x height words 0xFFRRGGBB row by row (the
// image loader's BMP path: the very reading the icons get; a palette index
// beyond the palette reads black). False when SDL refuses the file or gives
// another size; the stream stays open.
bool readBmpWords(SDL_RWops* stream, const IconHeader& header, std::uint32_t* words, int width,
                  int height);

// Whether the file holds 32-bit pixels without compression: 8-bit blue,
// green and red from the lowest byte up, and a fourth byte that the format
// leaves unused.
bool plainThirtyTwoBit(const IconHeader& header);

}  // namespace easel::detail
