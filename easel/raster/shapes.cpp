#include "easel/raster/shapes.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>

#include "easel/display/detail/pixels.h"
#include "easel/display/detail/screen_platform.h"
#include "easel/display/detail/screen_ready.h"
#include "easel/display/screen.h"
#include "easel/raster/detail/disc_rows.h"
#include "easel/raster/line.h"

namespace easel {

namespace {

// A column of a disc row brought into int range without changing what
// drawHorizontalLine does with it: everything left of the screen acts like
// -1 and everything right of it like width.
int clampColumn(std::int64_t x) {
    return static_cast<int>(std::clamp<std::int64_t>(x, -1, Screen.width));
}

}  // namespace

bool drawCircle(int xc, int yc, int radius, RgbColor colour) {
    if (!detail::screenReady("drawCircle")) return false;
    const std::int64_t cx = xc;
    const std::int64_t cy = yc;
    const std::int64_t r = radius;
    if (radius < 0) return false;  // no circle: a failure, not an empty success
    if (cx - r < 0 || cx + r >= Screen.width || cy - r < 0 || cy + r >= Screen.height) return false;

    // The circle fits, so every point is on the screen and 2 * radius < width.
    const std::uint32_t value = detail::mapColor(colour);
    const auto plot = [value](int x, int y) { *detail::pixelWord(x, y) = value; };
    int p = 3 - 2 * radius;
    int x = 0;
    int y = radius;
    while (x <= y) {
        plot(xc + x, yc + y);
        plot(xc - x, yc - y);
        plot(xc + y, yc + x);
        plot(xc - y, yc + x);
        if (x > 0) {  // at x = 0 these would repeat the four above
            plot(xc + x, yc - y);
            plot(xc - x, yc + y);
            plot(xc + y, yc - x);
            plot(xc - y, yc - x);
        }
        if (p < 0) {
            p += 4 * x + 6;
        } else {
            p += 4 * (x - y) + 10;
            --y;
        }
        ++x;
    }
    return true;
}

bool drawDisc(int xc, int yc, int radius, RgbColor colour) {
    if (!detail::screenReady("drawDisc") || radius < 0) return false;
    const std::int64_t cx = xc;
    const std::int64_t cy = yc;
    const std::int64_t r = radius;
    if (cx + r < 0 || cx - r >= Screen.width || cy + r < 0 || cy - r >= Screen.height) return false;

    // Rows off the screen would be rejected by drawHorizontalLine anyway;
    // walking only the screen's rows keeps a huge disc as cheap as the screen.
    detail::forEachDiscRowBetween(xc, yc, radius, 0, Screen.height - 1,
                                  [colour](std::int64_t y, std::int64_t x0, std::int64_t x1) {
                                      drawHorizontalLine(static_cast<int>(y), clampColumn(x0),
                                                         clampColumn(x1), colour);
                                  });
    return true;
}

bool fillRect(int x0, int y0, int x1, int y1, RgbColor colour) {
    if (!detail::screenReady("fillRect")) return false;
    if (!onScreen(x0, y0) || !onScreen(x1, y1)) return false;
    // A second corner one pixel before the first gives an empty rectangle;
    // further before, the size would be negative, and SDL would take it as
    // a huge unsigned one running to the screen's edge.
    if (x1 < x0 - 1 || y1 < y0 - 1) return false;
    // Both corners are on the screen, so the differences cannot overflow.
    SDL_Rect rect{};
    rect.x = static_cast<Sint16>(x0);
    rect.y = static_cast<Sint16>(y0);
    rect.w = static_cast<Uint16>(x1 - x0 + 1);
    rect.h = static_cast<Uint16>(y1 - y0 + 1);
    detail::fillScreen(Screen.surface, &rect, detail::mapColor(colour));
    detail::markRowsWritten(rect.y, rect.h);
    return true;
}

}  // namespace easel
