// The tool panel: colour picker, value bar, swatch, labels and tool buttons
// across the top 128 rows of the window.
#pragma once

#include "app/state.h"

namespace paint {

// Paints the whole panel with the given tool's button pressed (a value
// outside 1-4 shows all four up). Button images are read from the working
// directory on every call; a missing one shows the icon loader's placeholder.
// Draws nothing on a screen narrower than 460 or shorter than 128 pixels.
// With untouched true the caller vouches that nothing has been drawn on rows
// 0-127 of this screen since the last call: what that call left there is then
// taken as it stands, not read back, when nothing else the panel shows has
// changed.
void drawPanel(ToolId tool, bool untouched = false);

// Paints the 256 x 128 colour picker alone at the given value (low 8 bits),
// as drawPanel paints it at paletteValue: hue x, saturation 2y. Draws nothing
// on a screen narrower than 256 or shorter than 128 pixels.
void drawPicker(int value);

}  // namespace paint
