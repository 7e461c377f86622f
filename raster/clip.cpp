#include "easel/raster/clip.h"

#include <cstdint>

#include "easel/display/screen.h"

namespace easel {

namespace {

// a * b / c truncated toward zero, exact for |a|, |b|, |c| < 2^32 and c != 0.
// Each factor of a crossing is a difference of two ints or an int, so below
// 2^32 in size; their product can pass 2^63, so it is formed from the
// magnitudes in unsigned 64 bits, where it always fits.
std::int64_t mulDiv(std::int64_t a, std::int64_t b, std::int64_t c) {
    const auto magnitude = [](std::int64_t v) {
        return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    };
    const std::uint64_t q = magnitude(a) * magnitude(b) / magnitude(c);
    const bool negative = ((a < 0) != (b < 0)) != (c < 0);
    return negative ? -static_cast<std::int64_t>(q) : static_cast<std::int64_t>(q);
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
