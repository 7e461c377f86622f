/// @file
/// The built-in 8x8 bitmap font: the 256 glyphs of the IBM PC character set
/// (code page 437) in the PC's text-mode style.
///
/// One byte per pixel, 0 for background and 1 for ink: glyph g, row r (0 at
/// the top), column c (0 at the left) is Font8x8[g * 64 + r * 8 + c]. Letters
/// and digits keep to the left seven columns and the top seven rows (only
/// descenders reach row 7), so adjacent cells need no extra spacing. Glyphs 0,
/// 32 and 255 are blank; 219 is a full block.
#pragma once

#include <cstdint>

namespace easel {

/// The glyph table, 256 glyphs x 8 rows x 8 columns; select a glyph with the
/// character's byte value taken as unsigned.
extern const std::uint8_t Font8x8[256 * 64];

/// The font byte of glyph g (0-255), row r and column c (each 0-7).
constexpr int fontIndex(int g, int r, int c) {
    return g * 64 + r * 8 + c;
}

}  // namespace easel
