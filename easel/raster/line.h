/// @file
/// Solid lines and spans written straight into the screen surface.
///
/// Each primitive has its own rule at the screen edge: the horizontal and
/// vertical spans are clipped to the screen and rejected only when wholly off
/// it; drawLine draws nothing unless both ends are on the screen (clip first
/// with clipLine). A rejected call returns false and draws nothing. Colours keep
/// the low 8 bits of each channel.
#pragma once

#include "easel/colour/color.h"

namespace easel {

/// Fills row y from x0 to x1 inclusive (either order), clipped to the screen.
/// False, drawing nothing, when the row or the whole span is off the screen.
bool drawHorizontalLine(int y, int x0, int x1, RgbColor colour);

/// Fills column x from y0 to y1 inclusive (either order), clipped to the
/// screen. False, drawing nothing, when the column or the whole span is off it.
bool drawVerticalLine(int x, int y0, int y1, RgbColor colour);

/// Draws an integer accumulator line from (x0, y0) to (x1, y1), both ends
/// included; the pixel set depends on the direction. False, drawing nothing,
/// unless both ends are on the screen.
bool drawLine(int x0, int y0, int x1, int y1, RgbColor colour);

}  // namespace easel
