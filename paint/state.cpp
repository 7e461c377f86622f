#include "paint/state.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace paint {

ToolId currentTool = pencilTool;
easel::RgbColor selectedColor{0, 0, 0};
const easel::RgbColor canvasColor{255, 255, 255};
std::uint8_t paletteValue = 255;
std::uint8_t strokeActive = 0;
int brushSize = defaultBrushSize;
int pencilWidth = defaultPencilWidth;
const int brushSpacing = 5;
const std::uint8_t brushOpacity = 16;
easel::RgbColor IconBuffer[iconSize * iconSize];
int lastX = 0;
int lastY = 0;
PencilEnd pencilEnd;

void resetState() {
    currentTool = pencilTool;
    selectedColor = easel::RgbColor{0, 0, 0};
    paletteValue = 255;
    strokeActive = 0;
    std::fill(std::begin(IconBuffer), std::end(IconBuffer), easel::RgbColor{});
    lastX = 0;
    lastY = 0;
    brushSize = defaultBrushSize;
    pencilWidth = defaultPencilWidth;
    pencilEnd = PencilEnd{};
}

double pointDistance(int x0, int y0, int x1, int y1) {
    // Differences in 64 bits and squares in double: exact for every point the
    // program meets, and free of overflow for any pair of ints.
    const double dx = static_cast<double>(static_cast<std::int64_t>(x0) - x1);
    const double dy = static_cast<double>(static_cast<std::int64_t>(y0) - y1);
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace paint
