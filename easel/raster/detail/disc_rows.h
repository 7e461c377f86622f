// The row scheme shared by the solid disc and the soft brush dab: a midpoint
// circle walk that hands out each row of a filled disc exactly once (radius 0
// alone gives its one row twice) as (y, x0, x1) with x0 <= x1, unclipped and
// computed in 64 bits. The outer rows get the span of the first step that
// reaches them, so they are narrower than the circle outline of the same
// radius; a negative radius gives no rows. forEachDiscRowBetween keeps to a
// band of rows in time bounded by the band, not by the radius.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace easel::detail {

namespace discwalk {

// The midpoint walk itself: one step per x from 0 until x passes y, each
// handing out up to four rows. A row already given by the step before (the
// y rows repeat while y stays) is not given again.
struct Walk {
    explicit Walk(std::int64_t radius) : d(3 - 2 * radius), dx(0), dy(radius) {}

    bool going() const { return dx <= dy; }

    // Calls emit(y, xLeft, xRight) for the rows of the current step.
    template <typename EmitFn>
    void rows(std::int64_t cx, std::int64_t cy, EmitFn&& emit) {
        if (!haveLast || cy + dy != lastBelow) emit(cy + dy, cx - dx, cx + dx);
        if (!haveLast || cy - dy != lastAbove) emit(cy - dy, cx - dx, cx + dx);
        if (dx != dy) emit(cy + dx, cx - dy, cx + dy);
        if (dx != dy && dx != 0) emit(cy - dx, cx - dy, cx + dy);
        haveLast = true;
        lastBelow = cy + dy;
        lastAbove = cy - dy;
    }

    void step() {
        if (d < 0) {
            d += 4 * dx + 6;
        } else {
            d += 4 * (dx - dy) + 10;
            --dy;
        }
        ++dx;
    }

    std::int64_t d;
    std::int64_t dx;
    std::int64_t dy;
    bool haveLast = false;  // no row counts as given before the first step
    std::int64_t lastBelow = 0;
    std::int64_t lastAbove = 0;
};

}  // namespace discwalk

// Calls span(y, xLeft, xRight), each a std::int64_t, once for every row of
// the disc of the given centre and radius, in the walk's order; for radius 0
// the centre row comes twice.
template <typename SpanFn>
void forEachDiscRow(int centreX, int centreY, int radius, SpanFn&& span) {
    discwalk::Walk walk(radius);
    while (walk.going()) {
        walk.rows(centreX, centreY, span);
        walk.step();
    }
}

namespace discwalk {

// Closed forms of the walk for a radius r >= 2, used to jump over steps.
//
// The walk keeps d = 2(x+1)^2 + y^2 + (y-1)^2 - 2r^2 at every step (it starts
// at 3 - 2r and the two updates are the differences of this expression).
// Let rowAt(x) be the largest y with y(y-1) < r^2 - x^2, which is the largest
// y whose d at step x-1 is negative. rowAt(0) = r; and if the walk is at
// (x, rowAt(x)) with rowAt(x) >= x + 2, its next y is rowAt(x + 1): either d
// is negative and y stays (then rowAt(x+1) = y), or y drops by one, and
// rowAt(x+1) = y - 1 because (y-1)^2 + (y-2)^2 is 4y - 4 below
// y^2 + (y-1)^2, more than the 4x + 2 by which the bound falls. Since
// rowAt(x) - x falls as x grows, the walk is at (x, rowAt(x)) for every x up
// to lastSafeStep, the last x with rowAt(x) >= x + 2; after it at most three
// steps are left.

// The largest y >= 0 with y(y-1) < r^2 - x^2 (0 when there is none), 0 <= x <= r.
inline std::int64_t rowAt(std::int64_t r, std::int64_t x) {
    const std::int64_t bound = r * r - x * x;  // fits: both squares are below 2^62
    if (bound <= 0) return 0;
    // y(y-1) < bound  <=>  y < (1 + sqrt(1 + 4 bound)) / 2; estimate, then make exact.
    const double root = std::sqrt(1.0 + 4.0 * static_cast<double>(bound));
    std::int64_t y = static_cast<std::int64_t>((1.0 + root) / 2.0);
    y = std::clamp<std::int64_t>(y, 0, r);
    while (y < r && (y + 1) * y < bound) ++y;
    while (y > 0 && y * (y - 1) >= bound) --y;
    return y;
}

// The first step x at which the walk's y is v or less, for 0 <= v < r:
// the smallest x with x^2 >= r^2 - v(v+1) (the inverse of rowAt).
inline std::int64_t firstStepAtOrBelow(std::int64_t r, std::int64_t v) {
    const std::int64_t need = r * r - v * (v + 1);
    std::int64_t x = static_cast<std::int64_t>(std::sqrt(static_cast<double>(need)));
    x = std::clamp<std::int64_t>(x, 0, r);
    while (x > 0 && (x - 1) * (x - 1) >= need) --x;
    while (x < r && x * x < need) ++x;
    return x;
}

// The last step x at which rowAt(x) >= x + 2 (r >= 2, so x = 0 qualifies).
inline std::int64_t lastSafeStep(std::int64_t r) {
    std::int64_t low = 0;   // qualifies
    std::int64_t high = r;  // does not: rowAt(r) = 0
    while (high - low > 1) {
        const std::int64_t mid = low + (high - low) / 2;
        if (rowAt(r, mid) >= mid + 2) {
            low = mid;
        } else {
            high = mid;
        }
    }
    return low;
}

// The smallest value >= from in [a0, a1] or [b0, b1]; -1 when there is none.
inline std::int64_t firstInEither(std::int64_t from, std::int64_t a0, std::int64_t a1,
                                  std::int64_t b0, std::int64_t b1) {
    std::int64_t best = -1;
    if (from <= a1) best = std::max(from, a0);
    if (from <= b1) {
        const std::int64_t v = std::max(from, b0);
        if (best < 0 || v < best) best = v;
    }
    return best;
}

// The largest value in 0 ... upTo in [a0, a1] or [b0, b1]; -1 when there is none.
inline std::int64_t lastInEither(std::int64_t upTo, std::int64_t a0, std::int64_t a1,
                                 std::int64_t b0, std::int64_t b1) {
    std::int64_t best = -1;
    if (upTo >= a0) best = std::min(upTo, a1);
    if (upTo >= b0) best = std::max(best, std::min(upTo, b1));
    return best < 0 ? -1 : best;
}

// Radii up to this walk step by step: too few steps for skipping to pay.
constexpr std::int64_t skipFromRadius = 64;

}  // namespace discwalk

// Calls span(y, xLeft, xRight) exactly as forEachDiscRow does, in the same
// order, but only for the rows y with top <= y <= bottom. Stretches of the
// walk that give no such row are skipped in closed form, so the time grows
// with the rows in the band (plus a logarithm of the radius), not the radius.
template <typename SpanFn>
void forEachDiscRowBetween(int centreX, int centreY, int radius, int top, int bottom,
                           SpanFn&& span) {
    if (radius < 0 || top > bottom) return;
    const std::int64_t cx = centreX;
    const std::int64_t cy = centreY;
    const std::int64_t r = radius;
    // A step's rows are cy + t and cy - t for t its x or its y; the offsets
    // t whose row lies in the band are those in these two ranges.
    const std::int64_t belowFrom = top - cy;
    const std::int64_t belowTo = bottom - cy;
    const std::int64_t aboveFrom = cy - bottom;
    const std::int64_t aboveTo = cy - top;
    const auto inBand = [&](std::int64_t offset) {
        return (offset >= belowFrom && offset <= belowTo) ||
               (offset >= aboveFrom && offset <= aboveTo);
    };
    const auto emit = [&](std::int64_t y, std::int64_t x0, std::int64_t x1) {
        if (y >= top && y <= bottom) span(y, x0, x1);
    };
    const std::int64_t lastSafe = r > discwalk::skipFromRadius ? discwalk::lastSafeStep(r) : -1;

    discwalk::Walk walk(r);
    while (walk.going()) {
        walk.rows(cx, cy, emit);
        const std::int64_t previousY = walk.dy;
        walk.step();
        const std::int64_t dx = walk.dx;
        const std::int64_t dy = walk.dy;
        if (dx >= lastSafe) continue;  // near the end (or a small disc): just step

        // The step dx gives a row in the band if its x is a wanted offset, or
        // if its y is one and is new. Otherwise find the first later step that
        // can: the next wanted x, or the step where y first falls to the
        // largest wanted offset below it.
        if (inBand(dx) || (dy != previousY && inBand(dy))) continue;
        const std::int64_t nextX =
            discwalk::firstInEither(dx, belowFrom, belowTo, aboveFrom, aboveTo);
        const std::int64_t wantedY =
            discwalk::lastInEither(dy - 1, belowFrom, belowTo, aboveFrom, aboveTo);
        if (nextX < 0 && wantedY < 0) return;  // no later step reaches the band
        std::int64_t target = lastSafe;
        if (nextX >= 0) target = std::min(target, nextX);
        if (wantedY >= 0) target = std::min(target, discwalk::firstStepAtOrBelow(r, wantedY));
        if (target <= dx) continue;

        // Jump to the step target, whose state the closed forms give exactly.
        const std::int64_t before = discwalk::rowAt(r, target - 1);
        walk.dx = target;
        walk.dy = discwalk::rowAt(r, target);
        walk.d = 2 * ((walk.dx + 1) * (walk.dx + 1) + walk.dy * (walk.dy - 1) - r * r) + 1;
        walk.lastBelow = cy + before;
        walk.lastAbove = cy - before;
    }
}

}  // namespace easel::detail
