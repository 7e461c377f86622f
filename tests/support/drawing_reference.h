// Small, deliberately plain reference drawings on a Picture, written from the
// documented behaviour rather than from the library's code: the brush mix,
// the radius-5 dab, the accumulator line and a 4-connected flood fill.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <queue>
#include <utility>

#include "easel/colour/color.h"
#include "easel/display/screen.h"
#include "support/screen_fixture.h"

namespace easel_test {

// One channel mixed by hand: (old * (256 - a) + c * a) / 256.
inline int mixChannel(int old, int c, int a) {
    return (old * (256 - a) + c * a) / 256;
}

inline easel::RgbColor mixed(easel::RgbColor old, easel::RgbColor c, int a) {
    return easel::RgbColor(mixChannel(old.r, c.r, a), mixChannel(old.g, c.g, a),
                           mixChannel(old.b, c.b, a));
}

// Half-widths of the rows of a radius-5 dab, by distance from the centre row:
// 89 pixels in all.
constexpr int dabHalfWidth[6] = {5, 5, 5, 4, 3, 0};

// Mixes one radius-5 dab into a picture, clipped to it.
inline void paintDab(Picture& p, int cx, int cy, easel::RgbColor c, int a) {
    for (int dy = -5; dy <= 5; ++dy) {
        const int half = dabHalfWidth[dy < 0 ? -dy : dy];
        for (int dx = -half; dx <= half; ++dx) {
            const std::int64_t x = static_cast<std::int64_t>(cx) + dx;
            const std::int64_t y = static_cast<std::int64_t>(cy) + dy;
            if (x < 0 || y < 0 || x >= p.width || y >= p.height) continue;
            p.at(static_cast<int>(x), static_cast<int>(y)) =
                mixed(p.at(static_cast<int>(x), static_cast<int>(y)), c, a);
        }
    }
}

// The integer accumulator line from (x0, y0) to (x1, y1), both on the picture.
inline void paintLine(Picture& p, int x0, int y0, int x1, int y1, easel::RgbColor c) {
    const int dx = std::abs(x1 - x0);
    const int dy = std::abs(y1 - y0);
    const int sx = x1 < x0 ? -1 : 1;
    const int sy = y1 < y0 ? -1 : 1;
    const bool xMajor = dx >= dy;
    const int den = xMajor ? dx : dy;
    const int add = xMajor ? dy : dx;
    int num = den / 2;
    int x = x0;
    int y = y0;
    for (int i = 0; i <= den; ++i) {
        p.at(x, y) = c;
        num += add;
        if (num >= den) {
            num -= den;
            if (xMajor)
                y += sy;
            else
                x += sx;
        }
        if (xMajor)
            x += sx;
        else
            y += sy;
    }
}

// Breadth-first 4-connected fill of the old colour from (x, y) within rows
// top ... height - 1; nothing when the start does not have the old colour or
// the colours are equal.
inline void floodFill(Picture& p, int x, int y, easel::RgbColor newColor, easel::RgbColor oldColor,
                      int top) {
    if (newColor == oldColor) return;
    if (x < 0 || x >= p.width || y < top || y >= p.height || p.at(x, y) != oldColor) return;
    std::queue<std::pair<int, int>> open;
    p.at(x, y) = newColor;
    open.push({x, y});
    while (!open.empty()) {
        const auto [px, py] = open.front();
        open.pop();
        const std::pair<int, int> next[4] = {
            {px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}};
        for (const auto& [nx, ny] : next) {
            if (nx < 0 || nx >= p.width || ny < top || ny >= p.height) continue;
            if (p.at(nx, ny) != oldColor) continue;
            p.at(nx, ny) = newColor;
            open.push({nx, ny});
        }
    }
}

// Writes a whole picture to the screen with putPixel.
inline void show(const Picture& p) {
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) easel::putPixel(x, y, p.at(x, y));
}

}  // namespace easel_test
