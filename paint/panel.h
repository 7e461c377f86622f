// The tool panel: colour picker, value bar, swatch, labels and tool buttons
// across the top 128 rows of the window.
#pragma once

#include "paint/state.h"

namespace paint {

// Paints the whole panel with the given tool's button pressed (a value
// outside 1-4 shows all four up). Button images are read from the working
// directory on every call; a missing one shows the icon loader's placeholder.
// Draws nothing on a screen narrower than 460 or shorter than 128 pixels.
// The panel's rows are kept as the last full repaint left them: while the
// value, the selected colour, the tool, the button images, the pixel format
// and the screen width are unchanged, a call only makes the rows equal to
// the kept ones again, undoing whatever was drawn over them since.
void drawPanel(ToolId tool);

// Paints the 256 x 128 colour picker alone at the given value (low 8 bits),
// as drawPanel paints it at paletteValue: hue x, saturation 2y. Draws nothing
// on a screen narrower than 256 or shorter than 128 pixels.
void drawPicker(int value);

}  // namespace paint
