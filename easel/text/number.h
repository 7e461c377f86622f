/// @file
/// Numbers drawn as text with the bitmap font.
///
/// Each operation formats its number into a 256-byte buffer and draws it with
/// drawText, passing colours, background flag and minimum length through and
/// returning drawText's packed position (x * Screen.height + y). With the
/// sign-column flag set a non-negative number starts one cell (8 pixels)
/// further right, so that numbers drawn under one another line up whether or
/// not they carry a minus sign; the skipped cell is left untouched.
#pragma once

#include "easel/colour/color.h"
#include "easel/text/text.h"

namespace easel {

/// Draws the value as "%i". Shifted by 8 when the flag is set and value >= 0.
int drawInt(int value, int x, int y, int fr, int fg, int fb, bool background, int br, int bg,
            int bb, bool signColumn, int minLength);

/// Draws the value as "%u". Shifted by 8 whenever the flag is set.
int drawUnsigned(unsigned value, int x, int y, int fr, int fg, int fb, bool background, int br,
                 int bg, int bb, bool signColumn, int minLength);

/// Draws the value with exactly `decimals` decimals ("%.Nf") for 1 ... 15, and
/// with 16 significant digits ("%.16g") for any other count. A fixed-point
/// text that would not fit in 255 characters (magnitudes from about 1e239) is
/// drawn as "%.16g" instead, which always fits and still shows the value.
/// Shifted by 8 when the flag is set and value >= 0 (false for NaN, true for
/// -0.0).
int drawReal(double value, int decimals, int x, int y, int fr, int fg, int fb, bool background,
             int br, int bg, int bb, bool signColumn, int minLength);

/// drawInt in short: the value as "%i" at (x, y) in one colour over the
/// picture, no sign column. Returns where the next cell goes.
TextPosition drawInt(int value, int x, int y, RgbColor colour);

/// drawInt in short with opaque cells on the background colour.
TextPosition drawInt(int value, int x, int y, RgbColor colour, RgbColor background);

/// drawReal in short: the value with drawReal's choice of format for
/// `decimals`, at (x, y) in one colour over the picture, no sign column.
/// Returns where the next cell goes.
TextPosition drawReal(double value, int decimals, int x, int y, RgbColor colour);

/// drawReal in short with opaque cells on the background colour.
TextPosition drawReal(double value, int decimals, int x, int y, RgbColor colour,
                      RgbColor background);

/// The width in pixels of the value as drawInt draws it (no sign column).
int textWidth(int value);

/// The width in pixels of the value as drawReal draws it with `decimals`
/// (no sign column).
int textWidth(double value, int decimals);

}  // namespace easel
