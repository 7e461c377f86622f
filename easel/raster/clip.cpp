#include "easel/raster/clip.h"

#include <cstdint>

#include "easel/display/screen.h"

namespace easel {

namespace {

// a * b / c in 64 bits, truncated toward zero as int division is. Every
// crossing's product fits: while the first end is outside, the factor taken
// from its own coordinate (height - y0, y0, width - x0 or x0) is at most 2^31
// in size and the other (a difference of two ints) below 2^32; once the first
// end is on the screen, that factor is at most the screen's size.
std::int64_t mulDiv(std::int64_t a, std::int64_t b, std::int64_t c) {
    return a * b / c;
}

void store(int* out, int value) {
    if (out != nullptr) *out = value;
}

}  // namespace

int outcode(int x, int y) {
    int code = 0;
    if (y >= Screen.height) {
        code = clipBelow;
    } else if (y < 0) {
        code = clipAbove;
    }
    if (x >= Screen.width) {
        code += clipRight;
    } else if (x < 0) {
        code += clipLeft;
    }
    return code;
}

bool clipLine(int x0, int y0, int x1, int y1, int* cx0, int* cy0, int* cx1, int* cy1) {
    const std::int64_t width = Screen.width;
    const std::int64_t height = Screen.height;
    int c0 = outcode(x0, y0);
    int c1 = outcode(x1, y1);
    // Each pass moves an outside end onto an edge. The moved end lies between
    // the two ends on both axes, so it keeps every side the other end is on;
    // the loop ends after at most four moves per end.
    for (;;) {
        if (c0 == 0 && c1 == 0) {
            store(cx0, x0);
            store(cy0, y0);
            store(cx1, x1);
            store(cy1, y1);
            return true;
        }
        if ((c0 & c1) != 0) {
            store(cx0, 0);
            store(cy0, 0);
            store(cx1, 0);
            store(cy1, 0);
            return false;
        }
        const bool moveFirst = c0 != 0;
        const int c = moveFirst ? c0 : c1;
        // The other end lacks the bit handled, so the divisor is not 0 and the
        // crossing lies between the two ends: it fits an int.
        const std::int64_t dx = static_cast<std::int64_t>(x1) - x0;
        const std::int64_t dy = static_cast<std::int64_t>(y1) - y0;
        std::int64_t x = 0;
        std::int64_t y = 0;
        if ((c & clipBelow) != 0) {
            x = x0 + mulDiv(height - y0, dx, dy);
            y = height - 1;
        } else if ((c & clipAbove) != 0) {
            x = x0 + mulDiv(-dx, y0, dy);
            y = 0;
        } else if ((c & clipRight) != 0) {
            y = y0 + mulDiv(width - x0, dy, dx);
            x = width - 1;
        } else {
            y = y0 + mulDiv(-dy, x0, dx);
            x = 0;
        }
        if (moveFirst) {
            x0 = static_cast<int>(x);
            y0 = static_cast<int>(y);
            c0 = outcode(x0, y0);
        } else {
            x1 = static_cast<int>(x);
            y1 = static_cast<int>(y);
            c1 = outcode(x1, y1);
        }
    }
}

}  // namespace easel
