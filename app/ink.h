// The Ink tool: flood fill of a 4-connected region of one colour.
#pragma once

namespace paint {

// One main-loop pass of the Ink tool at the pointer.
void inkPass(int x, int y, bool left);

}  // namespace paint
