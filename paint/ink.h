// The Ink tool: flood fill of a 4-connected region of one colour.
//
// The fill works on the screen itself: it finds the region by reading pixels
// back and repaints it in place. Only rows inkTopRow (64) to height - 1 take
// part; the rows above are never read or written. Pixels touching only at a
// corner are not connected. Colours keep the low 8 bits of each channel.
#pragma once

namespace paint {

// The first row the fill reads or writes.
constexpr int inkTopRow = 64;

// One main-loop pass of the Ink tool: moves the shared last point to the
// pointer and, while the left button is held, fills the region under it with
// selectedColor.
void inkPass(int x, int y, bool left);

// Repaints in the new colour every pixel of the old colour that is 4-connected
// to (x, y) within rows inkTopRow ... height - 1. Nothing when (x, y) is outside
// those rows or not of the old colour, or when the new colour reads back as the
// old one (equal colours).
void inkFill(int x, int y, int newR, int newG, int newB, int oldR, int oldG, int oldB);

}  // namespace paint
