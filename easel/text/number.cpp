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

// A text buffer of drawText's numbers: at most 255 characters.
struct NumberText {
    char text[textSize] = {};
};

NumberText formatInt(int value) {
    NumberText t;
    std::snprintf(t.text, sizeof t.text, "%i", value);
    return t;
}

// "%.Nf" for 1 ... 15 decimals, else (or when that would not fit) "%.16g".
NumberText formatReal(double value, int decimals) {
    NumberText t;
    const bool fixed = decimals >= 1 && decimals <= maxDecimals;
    const int needed = fixed ? std::snprintf(t.text, sizeof t.text, "%.*f", decimals, value) : -1;
    if (!fixed || needed < 0 || needed >= textSize) {
        std::snprintf(t.text, sizeof t.text, "%.16g", value);
    }
    return t;
}

}  // namespace

int drawInt(int value, int x, int y, int fr, int fg, int fb, bool background, int br, int bg,
            int bb, bool signColumn, int minLength) {
    return drawText(formatInt(value).text, startX(x, signColumn && value >= 0), y, fr, fg, fb,
                    background, br, bg, bb, minLength);
}

int drawUnsigned(unsigned value, int x, int y, int fr, int fg, int fb, bool background, int br,
                 int bg, int bb, bool signColumn, int minLength) {
    char text[textSize] = {};
    std::snprintf(text, sizeof text, "%u", value);
    return drawText(text, startX(x, signColumn), y, fr, fg, fb, background, br, bg, bb, minLength);
}

int drawReal(double value, int decimals, int x, int y, int fr, int fg, int fb, bool background,
             int br, int bg, int bb, bool signColumn, int minLength) {
    return drawText(formatReal(value, decimals).text, startX(x, signColumn && value >= 0.0), y, fr,
                    fg, fb, background, br, bg, bb, minLength);
}

TextPosition drawInt(int value, int x, int y, RgbColor colour) {
    return drawText(formatInt(value).text, x, y, colour);
}

TextPosition drawInt(int value, int x, int y, RgbColor colour, RgbColor background) {
    return drawText(formatInt(value).text, x, y, colour, background);
}

TextPosition drawReal(double value, int decimals, int x, int y, RgbColor colour) {
    return drawText(formatReal(value, decimals).text, x, y, colour);
}

TextPosition drawReal(double value, int decimals, int x, int y, RgbColor colour,
                      RgbColor background) {
    return drawText(formatReal(value, decimals).text, x, y, colour, background);
}

int textWidth(int value) {
    return textWidth(formatInt(value).text);
}

int textWidth(double value, int decimals) {
    return textWidth(formatReal(value, decimals).text);
}

}  // namespace easel
