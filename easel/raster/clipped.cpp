#include "easel/raster/clipped.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "easel/display/detail/pixels.h"
#include "easel/display/detail/screen_ready.h"
#include "easel/display/screen.h"
#include "easel/raster/detail/disc_rows.h"
#include "easel/raster/line.h"

namespace easel {

namespace {

// Products of two differences of ints need 65 bits.
__extension__ typedef __int128 Wide;

constexpr std::int64_t endless = std::numeric_limits<std::int64_t>::max();

// Steps of a walk, first to last, both included; empty when last < first.
struct StepRange {
    std::int64_t first = 0;
    std::int64_t last = -1;
};

StepRange intersect(StepRange a, StepRange b) {
    return {std::max(a.first, b.first), std::min(a.last, b.last)};
}

// The offsets t for which centre + sign * t lies in 0 ... size - 1.
StepRange offsetsOnScreen(std::int64_t centre, int sign, int size) {
    if (sign > 0) return {-centre, size - 1 - centre};
    return {centre - (size - 1), centre};
}

// Writes the pixel when it is on the screen; true when it was.
bool plotIfOnScreen(std::int64_t x, std::int64_t y, std::uint32_t value) {
    if (x < 0 || y < 0 || x >= Screen.width || y >= Screen.height) return false;
    *detail::pixelWord(static_cast<int>(x), static_cast<int>(y)) = value;
    return true;
}

// The steps of the circle walk of radius r whose y offset lies in band.
// Exact up to the last step the closed forms describe; a range that reaches
// past it is widened to the walk's end, which only costs a few steps.
StepRange stepsWithRowOffset(std::int64_t r, std::int64_t lastSafe, StepRange band) {
    band.first = std::max<std::int64_t>(band.first, 0);
    band.last = std::min(band.last, r);
    if (band.last < band.first) return {};
    if (lastSafe < 0) return {0, endless};
    StepRange steps{0, endless};
    if (band.last < r) steps.first = detail::discwalk::firstStepAtOrBelow(r, band.last);
    if (band.first >= 1) steps.last = detail::discwalk::firstStepAtOrBelow(r, band.first - 1) - 1;
    if (steps.last >= lastSafe) steps.last = endless;
    if (steps.first > lastSafe) steps.first = lastSafe + 1;
    return steps;
}

// Fills the part of [x0, x1] x [y0, y1] (ordered corners) on the screen.
bool fillClipped(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                 RgbColor colour) {
    x0 = std::max<std::int64_t>(x0, 0);
    y0 = std::max<std::int64_t>(y0, 0);
    x1 = std::min<std::int64_t>(x1, Screen.width - 1);
    y1 = std::min<std::int64_t>(y1, Screen.height - 1);
    if (x1 < x0 || y1 < y0) return false;
    const std::uint32_t value = detail::mapColor(colour);
    for (std::int64_t y = y0; y <= y1; ++y) {
        std::uint32_t* row = detail::rowWords(static_cast<int>(y));
        std::fill(row + x0, row + x1 + 1, value);
    }
    return true;
}

}  // namespace

bool drawLineClipped(int x0, int y0, int x1, int y1, RgbColor colour) {
    if (!detail::screenReady("drawLineClipped")) return false;
    const std::uint32_t value = detail::mapColor(colour);
    const std::int64_t dx = std::abs(static_cast<std::int64_t>(x1) - x0);
    const std::int64_t dy = std::abs(static_cast<std::int64_t>(y1) - y0);
    if (dx == 0 && dy == 0) return plotIfOnScreen(x0, y0, value);

    // drawLine's walk in closed form: at step i (0 ... den) the major
    // coordinate has moved i, the minor one floor((den / 2 + i * add) / den).
    const bool xMajor = dx >= dy;
    const std::int64_t den = xMajor ? dx : dy;
    const std::int64_t add = xMajor ? dy : dx;
    const int majorSign = (xMajor ? x1 < x0 : y1 < y0) ? -1 : 1;
    const int minorSign = (xMajor ? y1 < y0 : x1 < x0) ? -1 : 1;
    const std::int64_t majorStart = xMajor ? x0 : y0;
    const std::int64_t minorStart = xMajor ? y0 : x0;
    const int majorSize = xMajor ? Screen.width : Screen.height;
    const int minorSize = xMajor ? Screen.height : Screen.width;

    // Only the steps whose major coordinate is on the screen: at most its size.
    const StepRange steps =
        intersect(StepRange{0, den}, offsetsOnScreen(majorStart, majorSign, majorSize));
    if (steps.last < steps.first) return false;
    const Wide reached = static_cast<Wide>(den / 2) + static_cast<Wide>(steps.first) * add;
    std::int64_t num = static_cast<std::int64_t>(reached % den);
    std::int64_t minor = minorStart + minorSign * static_cast<std::int64_t>(reached / den);
    std::int64_t major = majorStart + majorSign * steps.first;
    bool drawn = false;
    for (std::int64_t i = steps.first; i <= steps.last; ++i) {
        if (minor >= 0 && minor < minorSize) {
            drawn |=
                xMajor ? plotIfOnScreen(major, minor, value) : plotIfOnScreen(minor, major, value);
        }
        num += add;
        if (num >= den) {
            num -= den;
            minor += minorSign;
        }
        major += majorSign;
    }
    return drawn;
}

bool drawCircleClipped(int xc, int yc, int radius, RgbColor colour) {
    if (!detail::screenReady("drawCircleClipped") || radius < 0) return false;
    const std::int64_t cx = xc;
    const std::int64_t cy = yc;
    const std::int64_t r = radius;
    if (cx + r < 0 || cx - r >= Screen.width || cy + r < 0 || cy - r >= Screen.height) return false;

    // A step (x, y) of the walk plots (cx +- x, cy +- y) and (cx +- y, cy +- x).
    // For each of those eight, the steps that can put it on the screen: x in
    // one band of offsets, y in another. Walking only those steps (jumping
    // between them in closed form) keeps a huge circle as cheap as the screen.
    const std::int64_t lastSafe =
        r > detail::discwalk::skipFromRadius ? detail::discwalk::lastSafeStep(r) : -1;
    std::vector<StepRange> wanted;
    for (const int a : {-1, 1}) {
        for (const int b : {-1, 1}) {
            const StepRange columns = offsetsOnScreen(cx, a, Screen.width);
            const StepRange rows = offsetsOnScreen(cy, b, Screen.height);
            // (cx + a x, cy + b y): x is a column offset, y a row offset.
            wanted.push_back(intersect(columns, stepsWithRowOffset(r, lastSafe, rows)));
            // (cx + a y, cy + b x): x is a row offset, y a column offset.
            wanted.push_back(intersect(rows, stepsWithRowOffset(r, lastSafe, columns)));
        }
    }
    std::sort(wanted.begin(), wanted.end(),
              [](StepRange p, StepRange q) { return p.first < q.first; });

    const std::uint32_t value = detail::mapColor(colour);
    bool drawn = false;
    detail::discwalk::Walk walk(r);
    for (const StepRange& range : wanted) {
        if (range.last < range.first || range.last < walk.dx) continue;
        // Jump as far towards the range as the closed forms reach; past
        // lastSafe at most a few steps are left.
        const std::int64_t target = std::min(range.first, lastSafe);
        if (walk.dx < target) {
            walk.dx = target;
            walk.dy = detail::discwalk::rowAt(r, walk.dx);
            walk.d = 2 * ((walk.dx + 1) * (walk.dx + 1) + walk.dy * (walk.dy - 1) - r * r) + 1;
        }
        while (walk.going() && walk.dx < range.first) walk.step();
        for (; walk.going() && walk.dx <= range.last; walk.step()) {
            const std::int64_t x = walk.dx;
            const std::int64_t y = walk.dy;
            drawn |= plotIfOnScreen(cx + x, cy + y, value);
            drawn |= plotIfOnScreen(cx - x, cy - y, value);
            drawn |= plotIfOnScreen(cx + y, cy + x, value);
            drawn |= plotIfOnScreen(cx - y, cy + x, value);
            if (x > 0) {  // at x = 0 these would repeat the four above
                drawn |= plotIfOnScreen(cx + x, cy - y, value);
                drawn |= plotIfOnScreen(cx - x, cy + y, value);
                drawn |= plotIfOnScreen(cx + y, cy - x, value);
                drawn |= plotIfOnScreen(cx - y, cy - x, value);
            }
        }
    }
    return drawn;
}

bool drawDiscClipped(int xc, int yc, int radius, RgbColor colour) {
    if (!detail::screenReady("drawDiscClipped") || radius < 0) return false;
    bool drawn = false;
    detail::forEachDiscRowBetween(xc, yc, radius, 0, Screen.height - 1,
                                  [&](std::int64_t y, std::int64_t x0, std::int64_t x1) {
                                      drawn |= fillClipped(x0, y, x1, y, colour);
                                  });
    return drawn;
}

bool fillRectClipped(int x0, int y0, int x1, int y1, RgbColor colour) {
    if (!detail::screenReady("fillRectClipped")) return false;
    return fillClipped(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1),
                       colour);
}

bool fillRectSized(int x, int y, int width, int height, RgbColor colour) {
    if (!detail::screenReady("fillRectSized") || width <= 0 || height <= 0) return false;
    return fillClipped(x, y, static_cast<std::int64_t>(x) + width - 1,
                       static_cast<std::int64_t>(y) + height - 1, colour);
}

}  // namespace easel
