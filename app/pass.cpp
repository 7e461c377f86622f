#include "app/pass.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "app/ink.h"
#include "app/panel.h"
#include "app/state.h"
#include "app/stroke.h"
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

// How far above the higher end of its movement the Brush can draw: a dab
// lies on the movement or up to one step past its end, with its position
// truncated toward zero (less than a pixel), and covers its radius around it.
std::int64_t brushReach() {
    return brushSize / 2 + (std::int64_t{brushSpacing} * brushSize + 99) / 100 + 1;
}

// The highest row the current tool can draw on in this pass, found before it
// acts: every tool draws only while the left button is held; the Pencil draws
// one line from the last point to the pointer, the Brush dabs along that
// movement, and the fill can reach any row from inkTopRow down.
std::int64_t topRowDrawn(const Pointer& pointer) {
    constexpr std::int64_t nothing = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t anyRow = std::numeric_limits<std::int64_t>::min();
    if (!pointer.left) return nothing;
    const std::int64_t from = strokeActive != 0 ? lastY : pointer.y;
    const std::int64_t top = std::min<std::int64_t>(from, pointer.y);
    switch (currentTool) {
        case pencilTool:
            return top;
        case brushTool:
            return top - brushReach();
        case inkTool:
            return anyRow;
        default:
            return nothing;
    }
}

// Whether the panel's rows are still as the last pass's drawPanel left them:
// that pass's tool drew only below them, and the canvas was not started anew.
bool panelUntouched = false;

}  // namespace

void startCanvas() {
    easel::clearScreen(canvasColor.r, canvasColor.g, canvasColor.b);
    panelUntouched = false;
    drawPanel(currentTool);
}

PassResult runPass(const Pointer& pointer) {
    if (pointer.left) hitPanel(pointer.x, pointer.y);
    drawPanel(currentTool, panelUntouched);
    panelUntouched = topRowDrawn(pointer) >= panelHeight;
    switch (currentTool) {
        case pencilTool:
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
