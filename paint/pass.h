// One pass of the paint program's main loop, after the screen has been
// presented and the quit check has passed: the panel hit tests, the panel
// repaint and the current tool's action, for a given pointer state.
#pragma once

namespace paint {

// The pointer as one pass sees it.
struct Pointer {
    int x = 0;
    int y = 0;
    bool left = false;   // held, or pressed since the last pass
    bool right = false;  // held, or pressed since the last pass
    bool shift = false;  // a Shift key held
};

// What the loop does after a pass.
enum class PassResult {
    keepGoing,    // run the next pass
    clearCanvas,  // Clear is the current tool: empty the canvas, then go on
};

// Empties the canvas and draws the panel: the start of the outer loop.
void startCanvas();

// Runs the hit tests, the panel repaint and the tool of one pass. The right
// button on the canvas picks the colour under the pointer as the colour
// picker does; Shift with a Pencil press starts the stroke at the end of the
// last Pencil stroke, drawing a straight line from there.
PassResult runPass(const Pointer& pointer);

}  // namespace paint
