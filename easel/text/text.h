/// @file
/// Text drawn with the built-in 8x8 font, one character per 8x8 cell, straight
/// into the screen surface.
///
/// Colours are three ints per colour; only the low 8 bits of each are used. A
/// cell at (x, y) covers columns x ... x + 7 and rows y ... y + 7; pixels past
/// an edge wrap round to the opposite edge (a true modulo, so cells at negative
/// or huge coordinates stay inside the surface too). With the background flag
/// set, a cell's blank pixels take the background colour; otherwise they are
/// left as they are. Neither operation locks or presents the surface.
#pragma once

#include "easel/colour/color.h"

namespace easel {

/// Draws each byte of the zero-terminated text as one cell, starting at
/// (x, y), then blank cells of glyph 0 until minLength cells are drawn in all.
/// After each cell x grows by 8; once x > width - 8 the next line starts at
/// x mod 8, y + 8, and once y > height - 8, y becomes y mod 8. Returns where
/// the next cell would go, packed as x * height + y; when that does not fit an
/// int it returns the next cell's on-screen position instead,
/// (x mod width) * height + (y mod height). A null text counts as empty.
/// unpackTextPosition turns the result back into x and y. Before initScreen
/// it draws nothing and returns 0.
int drawText(const char* text, int x, int y, int fr, int fg, int fb, bool background, int br,
             int bg, int bb, int minLength);

/// Draws the glyph of ch's low 8 bits at (x, y), with no advance and no
/// wrapping other than that of the pixels. True, except before initScreen
/// (nothing drawn).
bool drawChar(int ch, int x, int y, int fr, int fg, int fb, bool background, int br, int bg,
              int bb);

/// A place on the screen in pixels, as drawText's packed position stands for.
struct TextPosition {
    int x = 0;  ///< The column of the next cell's top left pixel.
    int y = 0;  ///< The row of the next cell's top left pixel.
};

/// Unpacks a position returned by drawText, drawInt, drawUnsigned or drawReal
/// (x * height + y, height that of Screen) into its x and y, so that more
/// text can follow where the last ended. (0, 0) before initScreen.
TextPosition unpackTextPosition(int packed);

/// drawText in short: the text at (x, y) in one colour over the picture (no
/// background); the same cells, wrapping and padding rules as drawText.
/// Returns where the next cell goes, so that more text can follow. (0, 0)
/// before initScreen.
TextPosition drawText(const char* text, int x, int y, RgbColor colour);

/// drawText in short with a background: the text's cells are opaque, blank
/// pixels in the background colour.
TextPosition drawText(const char* text, int x, int y, RgbColor colour, RgbColor background);

/// The width in pixels that drawText gives the text on one line: 8 per byte
/// (every glyph is one 8-pixel cell). 0 for a null or empty text. Centre a
/// label with x = (Screen.width - textWidth(label)) / 2.
int textWidth(const char* text);

/// The height in pixels of one line of text: every cell is 8 pixels high.
constexpr int textHeight = 8;

}  // namespace easel
