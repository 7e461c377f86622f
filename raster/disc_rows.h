// The row scheme shared by the solid disc and the soft brush dab: a midpoint
// circle walk that hands out each row of a filled disc exactly once.
//
// The outer rows get the span of the first step that reaches them, so they
// are narrower than the circle outline of the same radius. A negative radius
// gives no rows. Rows are given as (y, x0, x1) with x0 <= x1 when the radius
// is not negative; they are not clipped. The walk computes in 64 bits, so
// rows of a disc far off the screen come out exact rather than overflowed.
#pragma once

#include <cstdint>

namespace easel {

// Calls span(y, xLeft, xRight), each a std::int64_t, once for every row of
// the disc of the given centre and radius, in the walk's order.
template <typename SpanFn>
void forEachDiscRow(int centreX, int centreY, int radius, SpanFn&& span) {
    const std::int64_t cx = centreX;
    const std::int64_t cy = centreY;
    std::int64_t d = 3 - 2 * static_cast<std::int64_t>(radius);
    std::int64_t dx = 0;
    std::int64_t dy = radius;
    bool haveLast = false;  // no row counts as drawn before the first step
    std::int64_t lastBelow = 0;
    std::int64_t lastAbove = 0;
    while (dx <= dy) {
        if (!haveLast || cy + dy != lastBelow) span(cy + dy, cx - dx, cx + dx);
        if (!haveLast || cy - dy != lastAbove) span(cy - dy, cx - dx, cx + dx);
        if (dx != dy) span(cy + dx, cx - dy, cx + dy);
        if (dx != dy && dx != 0) span(cy - dx, cx - dy, cx + dy);
        haveLast = true;
        lastBelow = cy + dy;
        lastAbove = cy - dy;
        if (d < 0) {
            d += 4 * dx + 6;
        } else {
            d += 4 * (dx - dy) + 10;
            --dy;
        }
        ++dx;
    }
}

}  // namespace easel
