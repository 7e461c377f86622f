#include "easel/text/number.h"

#include <climits>
#include <cstdio>

#include "easel/text/text.h"

namespace easel {

namespace {

constexpr int textSize = 256;
constexpr int cellWidth = 8;
constexpr int maxDecimals = 15;

// The start column: one cell further right when shifted, unless that would
// take x past the largest int.
int startX(int x, bool shift) {
    return shift && x <= INT_MAX - cellWidth ? x + cellWidth : x;
}

}  // namespace

int drawInt(int value, int x, int y, int fr, int fg, int fb, bool background, int br, int bg,
            int bb, bool signColumn, int minLength) {
    char text[textSize] = {};
    std::snprintf(text, sizeof text, "%i", value);
    return drawText(text, startX(x, signColumn && value >= 0), y, fr, fg, fb, background, br, bg,
                    bb, minLength);
}

int drawUnsigned(unsigned value, int x, int y, int fr, int fg, int fb, bool background, int br,
                 int bg, int bb, bool signColumn, int minLength) {
    char text[textSize] = {};
    std::snprintf(text, sizeof text, "%u", value);
    return drawText(text, startX(x, signColumn), y, fr, fg, fb, background, br, bg, bb, minLength);
}

int drawReal(double value, int decimals, int x, int y, int fr, int fg, int fb, bool background,
             int br, int bg, int bb, bool signColumn, int minLength) {
    char text[textSize] = {};
    const bool fixed = decimals >= 1 && decimals <= maxDecimals;
    const int needed = fixed ? std::snprintf(text, sizeof text, "%.*f", decimals, value) : -1;
    if (!fixed || needed < 0 || needed >= textSize) {
        std::snprintf(text, sizeof text, "%.16g", value);
    }
    return drawText(text, startX(x, signColumn && value >= 0.0), y, fr, fg, fb, background, br, bg,
                    bb, minLength);
}

}  // namespace easel
