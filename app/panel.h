// The tool panel: colour picker, value bar, swatch, labels and tool buttons
// across the top 128 rows of the window.
#pragma once

#include "app/state.h"

namespace paint {

// Paints the whole panel with the given tool's button pressed (a value
// outside 1-4 shows all four up).
void drawPanel(ToolId tool);

}  // namespace paint
