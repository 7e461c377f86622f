#include "paint/pass.h"

#include <cstdint>

#include "paint/ink.h"
#include "paint/panel.h"
#include "paint/state.h"
#include "paint/stroke.h"
#include "easel/display/screen.h"

namespace paint {

namespace {

bool within(int v, int low, int high) {
    return v >= low && v <= high;
}

// A left-button press over the panel picks a colour, a brightness or a tool.
void hitPanel(int x, int y) {
    if (within(x, 0, 255) && within(y, 0, 127)) {
        // Read back from the screen, not computed: what is shown is what is picked.
        selectedColor = easel::getPixel(x, y);
    } else if (within(x, 256, 271) && y <= 127) {
        paletteValue = static_cast<std::uint8_t>(static_cast<unsigned>(y) * 2u);
    } else if (within(x, 300, 324) && within(y, 50, 74)) {
        currentTool = pencilTool;
    } else if (within(x, 300, 324) && within(y, 75, 99)) {
        currentTool = brushTool;
    } else if (within(x, 400, 424) && within(y, 50, 74)) {
        currentTool = inkTool;
    } else if (within(x, 400, 424) && within(y, 75, 99)) {
        currentTool = clearTool;
    }
}

// Shift held at the press of a Pencil stroke: the stroke goes on from where
// the last one ended, so this pass draws the line from there to the pointer.
void continueFromLastPencilEnd(const Pointer& pointer) {
    if (!pointer.left || !pointer.shift || strokeActive != 0 || !pencilEnd.kept) return;
    strokeActive = 1;
    lastX = pencilEnd.x;
    lastY = pencilEnd.y;
}

}  // namespace

void startCanvas() {
    easel::clearScreen(canvasColor.r, canvasColor.g, canvasColor.b);
    drawPanel(currentTool);
}

PassResult runPass(const Pointer& pointer) {
    if (pointer.left) hitPanel(pointer.x, pointer.y);
    if (pointer.right && within(pointer.y, panelHeight, easel::Screen.height - 1)) {
        selectedColor = easel::getPixel(pointer.x, pointer.y);
    }
    drawPanel(currentTool);
    switch (currentTool) {
        case pencilTool:
            continueFromLastPencilEnd(pointer);
            strokePass(currentTool, pointer.x, pointer.y, pointer.left);
            if (strokeActive != 0) pencilEnd = PencilEnd{true, lastX, lastY};
            break;
        case brushTool:
            strokePass(currentTool, pointer.x, pointer.y, pointer.left);
            break;
        case inkTool:
            inkPass(pointer.x, pointer.y, pointer.left);
            break;
        case clearTool:
            return PassResult::clearCanvas;
        default:
            break;
    }
    return PassResult::keepGoing;
}

}  // namespace paint
