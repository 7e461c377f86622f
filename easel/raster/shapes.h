/// @file
/// Circles, discs and rectangles in one solid colour, written straight into
/// the screen surface.
///
/// Each shape has its own rule at the screen edge: a circle outline is drawn
/// only when it lies wholly on the screen, a disc is clipped row by row, and a
/// rectangle is drawn only when both its corners are on the screen. A rejected
/// call returns false and draws nothing. Colours keep the low 8 bits of each
/// channel. Any int arguments are safe: the edge tests are done in 64 bits.
#pragma once

#include "easel/colour/color.h"

namespace easel {

/// Draws the one-pixel midpoint circle outline of the given centre and
/// radius. False, drawing nothing, unless the whole circle (centre +- radius
/// on both axes) is on the screen, and for a negative radius.
bool drawCircle(int xc, int yc, int radius, RgbColor colour);

/// Fills the midpoint disc row by row, each row once, clipped to the screen;
/// its top and bottom rows are narrower than drawCircle's outline. False only
/// when the disc lies wholly beyond one edge, and for a negative radius.
bool drawDisc(int xc, int yc, int radius, RgbColor colour);

/// Fills the rectangle from the corner (x0, y0) to (x1, y1) through SDL, with
/// width x1 - x0 + 1 and height y1 - y0 + 1: equal corners fill one pixel, a
/// second corner one pixel before the first (width or height 0) fills nothing
/// and returns true. False, drawing nothing, unless both corners are on the
/// screen and the second is at most one pixel before the first on each axis.
bool fillRect(int x0, int y0, int x1, int y1, RgbColor colour);

}  // namespace easel
