/// @file
/// Shapes that may lie partly off the screen: each draws exactly the part of
/// the shape that is on it.
///
/// The specified forms (drawLine, drawCircle, fillRect) draw nothing unless
/// the whole shape fits; these "Clipped" forms draw the same pixels as those
/// would on a screen large enough to hold the shape, cut to the real one.
/// Each returns true when at least one pixel landed on the screen, false (and
/// draws nothing) otherwise, and false for a negative radius. Any int
/// arguments are safe; the work grows with the screen's size, not the shape's.
#pragma once

#include "easel/colour/color.h"

namespace easel {

/// drawLine's pixels from (x0, y0) to (x1, y1), in its direction, cut to the
/// screen: the ends may be anywhere. False when no pixel is on the screen.
bool drawLineClipped(int x0, int y0, int x1, int y1, RgbColor colour);

/// drawCircle's outline cut to the screen: the circle may cross any edge.
/// False when no pixel of it is on the screen or the radius is negative.
bool drawCircleClipped(int xc, int yc, int radius, RgbColor colour);

/// drawDisc's rows cut to the screen. Unlike drawDisc, false whenever no
/// pixel is on the screen (a disc off a corner) or the radius is negative.
bool drawDiscClipped(int xc, int yc, int radius, RgbColor colour);

/// Fills the rectangle between the corners (x0, y0) and (x1, y1), both
/// included and in either order, cut to the screen. False when none of it is
/// on the screen.
bool fillRectClipped(int x0, int y0, int x1, int y1, RgbColor colour);

/// Fills the width x height rectangle whose top-left pixel is (x, y), cut to
/// the screen. False when width or height is not positive or none of it is
/// on the screen.
bool fillRectSized(int x, int y, int width, int height, RgbColor colour);

}  // namespace easel
