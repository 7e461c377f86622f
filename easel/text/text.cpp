#include "easel/text/text.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

#include "easel/display/detail/pixels.h"
#include "easel/display/detail/screen_ready.h"
#include "easel/display/screen.h"
#include "easel/text/font.h"

namespace easel {

namespace {

constexpr int cellSize = 8;

// The two pixel values of a call, mapped once: mapping is a pure function of
// the colour, so this writes exactly what mapping every pixel would.
struct CellInk {
    std::uint32_t foreground = 0;
    std::uint32_t background = 0;
    bool opaque = false;
};

// v mod m in 0 ... m - 1, for any v (m > 0).
int wrapTo(std::int64_t v, int m) {
    const std::int64_t r = v % m;
    return static_cast<int>(r < 0 ? r + m : r);
}

// Draws glyph g with its top-left pixel at (x0, y0), both already on the
// screen. Whole rows are written directly when the cell fits; a cell that
// crosses the right or bottom edge wraps pixel by pixel.
void drawCell(int g, int x0, int y0, const CellInk& ink) {
    const std::uint8_t* glyph = Font8x8 + fontIndex(g, 0, 0);
    const int width = Screen.width;
    const int height = Screen.height;
    if (x0 <= width - cellSize && y0 <= height - cellSize) {
        for (int r = 0; r < cellSize; ++r) {
            std::uint32_t* row = detail::pixelWord(x0, y0 + r);
            const std::uint8_t* bits = glyph + r * cellSize;
            for (int c = 0; c < cellSize; ++c) {
                if (bits[c] != 0) {
                    row[c] = ink.foreground;
                } else if (ink.opaque) {
                    row[c] = ink.background;
                }
            }
        }
        return;
    }
    for (int r = 0; r < cellSize; ++r) {
        std::uint32_t* row = detail::rowWords((y0 + r) % height);
        const std::uint8_t* bits = glyph + r * cellSize;
        for (int c = 0; c < cellSize; ++c) {
            const int px = (x0 + c) % width;
            if (bits[c] != 0) {
                row[px] = ink.foreground;
            } else if (ink.opaque) {
                row[px] = ink.background;
            }
        }
    }
}

void drawCellAt(int g, std::int64_t x, std::int64_t y, const CellInk& ink) {
    drawCell(g, wrapTo(x, Screen.width), wrapTo(y, Screen.height), ink);
}

CellInk makeInk(int fr, int fg, int fb, bool background, int br, int bg, int bb) {
    CellInk ink;
    ink.foreground = detail::mapColor(fr, fg, fb);
    ink.opaque = background;
    if (background) ink.background = detail::mapColor(br, bg, bb);
    return ink;
}

}  // namespace

int drawText(const char* text, int x, int y, int fr, int fg, int fb, bool background, int br,
             int bg, int bb, int minLength) {
    if (!detail::screenReady("drawText")) return 0;
    const CellInk ink = makeInk(fr, fg, fb, background, br, bg, bb);
    const std::int64_t width = Screen.width;
    const std::int64_t height = Screen.height;
    std::int64_t cx = x;
    std::int64_t cy = y;
    std::int64_t count = 0;
    const auto advance = [&]() {
        cx += cellSize;
        if (cx > width - cellSize) {
            cx %= cellSize;
            cy += cellSize;
        }
        if (cy > height - cellSize) cy %= cellSize;
        ++count;
    };
    if (text != nullptr) {
        for (const char* p = text; *p != '\0'; ++p) {
            drawCellAt(static_cast<unsigned char>(*p), cx, cy, ink);
            advance();
        }
    }
    while (count < minLength) {
        drawCellAt(0, cx, cy, ink);
        advance();
    }
    const std::int64_t packed = cx * height + cy;
    if (packed >= INT_MIN && packed <= INT_MAX) return static_cast<int>(packed);
    return static_cast<int>(static_cast<std::int64_t>(wrapTo(cx, Screen.width)) * height +
                            wrapTo(cy, Screen.height));
}

bool drawChar(int ch, int x, int y, int fr, int fg, int fb, bool background, int br, int bg,
              int bb) {
    if (!detail::screenReady("drawChar")) return false;
    drawCellAt(ch & 255, x, y, makeInk(fr, fg, fb, background, br, bg, bb));
    return true;
}

TextPosition unpackTextPosition(int packed) {
    const int height = Screen.height;
    if (height <= 0) return {};
    // A true modulo, so that a packed value below 0 (never returned by
    // drawText) still gives a row on the screen.
    TextPosition p;
    p.y = wrapTo(packed, height);
    p.x = static_cast<int>((static_cast<std::int64_t>(packed) - p.y) / height);
    return p;
}

TextPosition drawText(const char* text, int x, int y, RgbColor colour) {
    return unpackTextPosition(
        drawText(text, x, y, colour.r, colour.g, colour.b, false, 0, 0, 0, 0));
}

TextPosition drawText(const char* text, int x, int y, RgbColor colour, RgbColor background) {
    return unpackTextPosition(drawText(text, x, y, colour.r, colour.g, colour.b, true, background.r,
                                       background.g, background.b, 0));
}

int textWidth(const char* text) {
    if (text == nullptr) return 0;
    const std::size_t length = std::strlen(text);
    const std::size_t widest = static_cast<std::size_t>(INT_MAX / cellSize);
    return static_cast<int>(std::min(length, widest)) * cellSize;
}

}  // namespace easel
