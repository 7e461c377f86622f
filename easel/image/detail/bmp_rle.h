// Internal: BMP files whose pixels are run-length encoded, 8-bit (RLE8) or
// 4-bit (RLE4). Neither SDL 1.2.15's BMP reader nor the icons' header check
// takes them, so the image loader's BMP path expands them itself, the same
// way on every SDL.
#pragma once

#include <SDL.h>

#include "easel/image/detail/decode.h"
#include "easel/text/detail/icon_header.h"

namespace easel::detail {

// Whether the header announces RLE8 (8-bit, compression 1) or RLE4 (4-bit,
// compression 2) pixels.
bool runLengthEncoded(const IconHeader& header);

// Decodes such a BMP from the stream, at the file's start, whose header was
// read into header and whose size fits the limits. Rows are stored from the
// bottom up; pixels that no run reaches take palette entry 0, an index
// beyond the palette reads black, and a run or an absolute stretch past the
// row's end is cut at the end. Refused: rows stored top down, a file that
// ends before its end-of-bitmap mark (unless every row is done). Palette
// entries the file does not hold read black. Reads the file once, a buffer
// at a time.
Decoded decodeBmpRle(SDL_RWops* stream, const IconHeader& header);

}  // namespace easel::detail
