#include "easel/raster/line.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "easel/display/detail/pixels.h"
#include "easel/display/detail/screen_ready.h"
#include "easel/display/screen.h"

namespace easel {

bool drawHorizontalLine(int y, int x0, int x1, RgbColor colour) {
    if (!detail::screenReady("drawHorizontalLine")) return false;
    if (x1 < x0) std::swap(x0, x1);
    if (x1 < 0 || x0 > Screen.width - 1 || y < 0 || y > Screen.height - 1) return false;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, Screen.width - 1);
    std::uint32_t* row = detail::rowWords(y);
    std::fill(row + x0, row + x1 + 1, detail::mapColor(colour));
    return true;
}

bool drawVerticalLine(int x, int y0, int y1, RgbColor colour) {
    if (!detail::screenReady("drawVerticalLine")) return false;
    if (y1 < y0) std::swap(y0, y1);
    if (x < 0 || x > Screen.width - 1 || y1 < 0 || y0 > Screen.height - 1) return false;
    y0 = std::max(y0, 0);
    y1 = std::min(y1, Screen.height - 1);
    const std::uint32_t value = detail::mapColor(colour);
    const int pitch = detail::pitchWords();
    // The pointer steps down the rows: each of them is written.
    detail::markRowsWritten(y0, y1 - y0 + 1);
    std::uint32_t* word = detail::pixelWord(x, y0);
    // Each row is a different cache line: ask for the line four rows ahead
    // while this one is written.
    int y = y0;
    for (; y + 4 <= y1; ++y, word += pitch) {
        __builtin_prefetch(word + 4 * static_cast<std::ptrdiff_t>(pitch), 1);
        *word = value;
    }
    for (; y <= y1; ++y, word += pitch) *word = value;
    return true;
}

bool drawLine(int x0, int y0, int x1, int y1, RgbColor colour) {
    if (!detail::screenReady("drawLine")) return false;
    if (!onScreen(x0, y0) || !onScreen(x1, y1)) return false;
    const int dx = std::abs(x1 - x0);
    const int dy = std::abs(y1 - y0);
    const int sx = x1 < x0 ? -1 : 1;
    const int sy = y1 < y0 ? -1 : 1;
    const bool xMajor = dx >= dy;
    const int den = xMajor ? dx : dy;
    const int numAdd = xMajor ? dy : dx;
    // Steps along the major and minor axes, in pixel words.
    const int pitch = detail::pitchWords();
    const std::ptrdiff_t majorStep = xMajor ? sx : static_cast<std::ptrdiff_t>(sy) * pitch;
    const std::ptrdiff_t minorStep = xMajor ? static_cast<std::ptrdiff_t>(sy) * pitch : sx;

    const std::uint32_t value = detail::mapColor(colour);
    // The pointer steps across the rows: each of them is written.
    detail::markRowsWritten(std::min(y0, y1), dy + 1);
    std::uint32_t* word = detail::pixelWord(x0, y0);
    int num = den / 2;
    for (int i = 0;; ++i) {
        *word = value;
        if (i == den) break;  // never step the pointer off the last pixel
        num += numAdd;
        if (num >= den) {
            num -= den;
            word += minorStep;
        }
        word += majorStep;
    }
    return true;
}

}  // namespace easel
