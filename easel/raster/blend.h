/// @file
/// Translucent drawing: pixels, spans and soft discs mixed into the screen.
///
/// A mix moves each channel of the pixel towards a colour by alpha / 256:
/// new = (old * (256 - alpha) + colour * alpha) / 256, truncated, with the
/// colour's channels cut to their low 8 bits first. alpha 0 leaves the pixel
/// exactly as it was; alpha 255 does not always reach the colour. Spans and
/// discs are clipped to the screen (any int arguments are safe); a single
/// pixel is addressed like putPixel, so its coordinates wrap.
#pragma once

#include <cstdint>

namespace easel {

/// Mixes the colour into pixel (x, y) with weight alpha / 256. No clipping:
/// coordinates off the screen wrap round, as for putPixel.
void blendPixel(int x, int y, int r, int g, int b, std::uint8_t alpha);

/// Mixes the colour into row y from x1 to x2 inclusive (either order), left to
/// right, clipped to the screen; nothing when the row or the whole span is off it.
void blendSpan(int y, int x1, int x2, int r, int g, int b, std::uint8_t alpha);

/// Mixes a filled disc of the given radius into the screen, each of its rows
/// exactly once (radius 5 covers 89 pixels; radius 0 mixes its one pixel
/// twice). False, drawing nothing, when the disc lies wholly off the screen
/// and for a negative radius. Time grows with the rows on the screen, not
/// with the radius.
bool softDisc(int cx, int cy, int radius, int r, int g, int b, std::uint8_t alpha);

/// True when (px, py) lies, on each axis, between (x1, y1) and (x2, y2) or on
/// one of them. Exact for every int argument.
bool isBetween(int x1, int y1, int px, int py, int x2, int y2);

}  // namespace easel
