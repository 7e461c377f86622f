// The stroke tools: the Pencil's one-pixel lines and the Brush's soft dabs.
#pragma once

#include "app/state.h"

namespace paint {

// One main-loop pass of the Pencil (1) or the Brush (2) at the pointer.
void strokePass(ToolId tool, int x, int y, bool left);

}  // namespace paint
