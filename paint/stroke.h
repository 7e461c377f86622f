// The stroke tools: the Pencil's one-pixel lines and the Brush's soft dabs.
//
// Both keep a stroke going across passes through the shared globals
// strokeActive and (lastX, lastY). The Pencil joins each pointer position to
// the previous one, with lines pencilWidth pixels wide (a square pen); the
// Brush lays translucent dabs of radius brushSize / 2 every
// (brushSpacing * brushSize) / 100 pixels along each movement.
#pragma once

#include "paint/state.h"

namespace paint {

// One main-loop pass of the Pencil (1) or the Brush (2) at the pointer; any
// other tool does nothing. With the left button up the stroke ends.
void strokePass(ToolId tool, int x, int y, bool left);

// Lays brush dabs from (*dabX, *dabY) towards the target at whole multiples of
// the dab step, positions truncated toward zero, until a dab is within one
// step of the target or has passed it on an axis; first a dab on the start
// point when strokeActive is set. (*dabX, *dabY) receive the last dab. Dabs
// that cannot touch the screen are skipped, so any two points finish quickly.
// Null pointers do nothing.
void brushStroke(int* dabX, int* dabY, int targetX, int targetY, int r, int g, int b);

}  // namespace paint
