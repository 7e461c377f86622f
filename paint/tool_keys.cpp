#include "paint/tool_keys.h"

#include <algorithm>

#include "paint/key_edge.h"
#include "paint/state.h"

namespace paint {

namespace {

// Steps the current tool's size by `steps` (+1 larger, -1 smaller), within
// its limits; the message naming the new size, or empty without a size.
std::string resize(int steps) {
    if (currentTool == brushTool) {
        brushSize = std::clamp(brushSize + steps * brushSizeStep, smallestBrush, largestBrush);
        return "Brush size " + std::to_string(brushSize);
    }
    if (currentTool == pencilTool) {
        pencilWidth = std::clamp(pencilWidth + steps, defaultPencilWidth, largestPencil);
        return "Pencil width " + std::to_string(pencilWidth);
    }
    return std::string();
}

}  // namespace

std::string readToolKeys(const Uint8* keys, ToolKeyLatches* latches) {
    if (keys == nullptr) return std::string();
    const bool ctrl = keys[SDLK_LCTRL] != 0 || keys[SDLK_RCTRL] != 0;
    // Every latch is updated in every pass, whichever acts.
    const bool p = wentDown(keys, SDLK_p, &latches->p);
    const bool b = wentDown(keys, SDLK_b, &latches->b);
    const bool f = wentDown(keys, SDLK_f, &latches->f);
    const bool smaller = wentDown(keys, SDLK_LEFTBRACKET, &latches->smaller);
    const bool larger = wentDown(keys, SDLK_RIGHTBRACKET, &latches->larger);
    if (ctrl) return std::string();
    if (p) currentTool = pencilTool;
    if (b) currentTool = brushTool;
    if (f) currentTool = inkTool;
    std::string message;
    if (smaller) message = resize(-1);
    if (larger) message = resize(+1);
    return message;
}

}  // namespace paint
