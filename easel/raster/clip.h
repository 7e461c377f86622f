/// @file
/// Clipping a line segment to the screen (Cohen-Sutherland), so that a line
/// whose ends are off the screen can still be drawn with drawLine.
///
/// The clip rectangle is the whole screen, columns 0 ... width - 1 and rows
/// 0 ... height - 1. Crossings with the bottom and right edges are computed on
/// the line one past the edge (y = height, x = width) and then placed on the
/// last row or column; divisions truncate toward zero. Every int endpoint is
/// handled exactly: the crossing products are formed in 64 bits.
#pragma once

namespace easel {

/// Region code bits: where a point lies relative to the screen (0 is on it).
constexpr int clipBelow = 1;  ///< y >= height
constexpr int clipAbove = 2;  ///< y < 0
constexpr int clipRight = 4;  ///< x >= width
constexpr int clipLeft = 8;   ///< x < 0

/// The region code of (x, y): clipBelow or clipAbove, plus clipRight or clipLeft.
int outcode(int x, int y);

/// Clips the segment (x0, y0)-(x1, y1) to the screen and stores the clipped
/// ends, both on the screen, in *cx0, *cy0, *cx1, *cy1 (null pointers are
/// skipped). False, storing 0 in all four, when the segment was rejected
/// because it lies wholly beyond one edge.
bool clipLine(int x0, int y0, int x1, int y1, int* cx0, int* cy0, int* cx1, int* cy1);

}  // namespace easel
