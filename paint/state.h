// The paint program's global state, shared by the main loop, the panel and
// the tools. Only the pass logic changes it.
#pragma once

#include <cstdint>

#include "easel/colour/color.h"

namespace paint {

// A tool number: 1 Pencil, 2 Brush, 3 Ink, 4 Clear.
using ToolId = int;
constexpr ToolId pencilTool = 1;
constexpr ToolId brushTool = 2;
constexpr ToolId inkTool = 3;
constexpr ToolId clearTool = 4;

constexpr int windowWidth = 500;
constexpr int windowHeight = 500;
constexpr int panelHeight = 128;
constexpr int iconSize = 25;

extern ToolId currentTool;               // starts as the Pencil
extern easel::RgbColor selectedColor;    // the colour the tools paint with
extern const easel::RgbColor canvasColor;  // white; an empty canvas
extern std::uint8_t paletteValue;        // brightness the picker is drawn at
extern std::uint8_t strokeActive;        // 1 while a Pencil or Brush stroke runs
extern int brushSize;                    // the brush's diameter in pixels
extern int pencilWidth;                  // the side of the Pencil's square pen
extern const int brushSpacing;           // dab spacing, percent of brushSize
extern const std::uint8_t brushOpacity;  // one dab's weight, out of 256
extern easel::RgbColor IconBuffer[iconSize * iconSize];  // the icon loaded last
extern int lastX;                        // the last point of the current stroke
extern int lastY;

// Where the last Pencil stroke ended, the start of a Shift+click line.
struct PencilEnd {
    bool kept = false;  // false until a Pencil stroke has been drawn
    int x = 0;
    int y = 0;
};
extern PencilEnd pencilEnd;

// The sizes [ and ] step through: the Brush's diameter by 2 (its dab radius
// is half of it), the Pencil's width by 1.
constexpr int defaultBrushSize = 10;
constexpr int smallestBrush = 2;
constexpr int largestBrush = 64;
constexpr int brushSizeStep = 2;
constexpr int defaultPencilWidth = 1;
constexpr int largestPencil = 16;

// Puts every global back to its start-up value (for tests).
void resetState();

// The distance between two integer points: sqrt((x0 - x1)^2 + (y0 - y1)^2).
double pointDistance(int x0, int y0, int x1, int y1);

}  // namespace paint
