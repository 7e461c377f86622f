#include "paint/stroke.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "paint/state.h"
#include "easel/display/screen.h"
#include "easel/raster/blend.h"
#include "easel/raster/clip.h"
#include "easel/raster/line.h"

namespace paint {

namespace {

// Far beyond the number of dabs between any two int points.
constexpr std::int64_t maxDabs = std::int64_t{1} << 48;

struct DabPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
};

// The distance between brush dabs in pixels: an integer product divided in
// floating point.
double dabStep() {
    return (brushSpacing * brushSize) / 100.0;
}

// True when v lies between a and b inclusive (in either order); the sign of
// (a - v) * (b - v) without forming the product.
bool between(std::int64_t a, std::int64_t v, std::int64_t b) {
    return (a <= v && v <= b) || (b <= v && v <= a);
}

// The dabs of one brush movement: dab n sits n steps along the segment from
// the start point, truncated toward zero; dab 0 is the start point itself.
// Every coordinate of a dab moves monotonically with n, which lets the walk
// find its last dab and the dabs near the screen by bisection instead of
// stepping through dabs that could not show.
class DabRun {
  public:
    DabRun(int startX, int startY, int targetX, int targetY, double step)
        : sx_(startX),
          sy_(startY),
          tx_(targetX),
          ty_(targetY),
          step_(step),
          dx_(static_cast<double>(static_cast<std::int64_t>(targetX) - startX)),
          dy_(static_cast<double>(static_cast<std::int64_t>(targetY) - startY)),
          length_(pointDistance(startX, startY, targetX, targetY)) {}

    // The centre of dab n.
    DabPoint at(std::int64_t n) const {
        if (n == 0) return DabPoint{sx_, sy_};
        const double along = static_cast<double>(n) * step_;
        return DabPoint{truncated(static_cast<double>(sx_) + dx_ * along / length_),
                        truncated(static_cast<double>(sy_) + dy_ * along / length_)};
    }

    // Whether the walk ends at dab n: it is within one step of the target, or
    // has passed the target on an axis. Once true it stays true.
    bool endsAt(std::int64_t n) const {
        const DabPoint c = at(n);
        const double ex = static_cast<double>(c.x - tx_);
        const double ey = static_cast<double>(c.y - ty_);
        if (std::sqrt(ex * ex + ey * ey) <= step_) return true;
        return !(between(sx_, c.x, tx_) && between(sy_, c.y, ty_));
    }

    // The number of the last dab the walk lays (0 when it lays none).
    std::int64_t lastDab() const {
        if (endsAt(0)) return 0;
        // Dabs just past the length have reached or passed the target; the
        // doubling only guards against rounding, since every moving axis has
        // overshot the target by a whole length at twice the length.
        std::int64_t high = static_cast<std::int64_t>(std::ceil(length_ / step_)) + 2;
        while (!endsAt(high) && high < maxDabs) high *= 2;
        return firstWhere(1, high, [this](std::int64_t n) { return endsAt(n); });
    }

    // Sets [*first, *lastNear] to the dabs of 1 ... last whose centres lie
    // within margin of the screen; *first > *lastNear when there are none.
    void nearScreen(std::int64_t last, std::int64_t margin, std::int64_t* first,
                    std::int64_t* lastNear) const {
        *first = 1;
        *lastNear = last;
        narrowAxis(
            dx_, 0, easel::Screen.width - 1, margin, last,
            [this](std::int64_t n) { return at(n).x; }, first, lastNear);
        narrowAxis(
            dy_, 0, easel::Screen.height - 1, margin, last,
            [this](std::int64_t n) { return at(n).y; }, first, lastNear);
    }

  private:
    // A position truncated toward zero, held to a range that int64 can take
    // (positions of dabs that are ever laid are far inside it).
    static std::int64_t truncated(double v) {
        constexpr double limit = 4.0e18;
        return static_cast<std::int64_t>(std::trunc(std::clamp(v, -limit, limit)));
    }

    // The first n in [low, high] where a predicate that stays true once true
    // holds; high + 1 when it never does.
    template <typename Pred>
    static std::int64_t firstWhere(std::int64_t low, std::int64_t high, Pred pred) {
        std::int64_t end = high + 1;
        while (low < end) {
            const std::int64_t mid = low + (end - low) / 2;
            if (pred(mid)) {
                end = mid;
            } else {
                low = mid + 1;
            }
        }
        return end;
    }

    // Narrows [*first, *lastNear] to the dabs whose coordinate on one axis lies
    // in [low - margin, high + margin]; the coordinate moves with the sign of
    // delta.
    template <typename Coord>
    static void narrowAxis(double delta, std::int64_t low, std::int64_t high, std::int64_t margin,
                           std::int64_t last, Coord coord, std::int64_t* first,
                           std::int64_t* lastNear) {
        const std::int64_t lo = low - margin;
        const std::int64_t hi = high + margin;
        std::int64_t enter = 0;
        std::int64_t leave = 0;
        if (delta >= 0) {
            enter = firstWhere(1, last, [&](std::int64_t n) { return coord(n) >= lo; });
            leave = firstWhere(1, last, [&](std::int64_t n) { return coord(n) > hi; });
        } else {
            enter = firstWhere(1, last, [&](std::int64_t n) { return coord(n) <= hi; });
            leave = firstWhere(1, last, [&](std::int64_t n) { return coord(n) < lo; });
        }
        *first = std::max(*first, enter);
        *lastNear = std::min(*lastNear, leave - 1);
    }

    std::int64_t sx_;
    std::int64_t sy_;
    std::int64_t tx_;
    std::int64_t ty_;
    double step_;
    double dx_;
    double dy_;
    double length_;
};

// The Pencil's line at its width: one pixel wide exactly as drawLine draws
// it; wider, the line drawn again at every offset of a width x width square
// around it, each copy clipped to the screen.
void pencilLine(int x0, int y0, int x1, int y1) {
    if (pencilWidth <= 1) {
        easel::drawLine(x0, y0, x1, y1, selectedColor);
        return;
    }
    const int low = -(pencilWidth - 1) / 2;
    const int high = low + pencilWidth - 1;
    for (int dy = low; dy <= high; ++dy) {
        for (int dx = low; dx <= high; ++dx) {
            int ax = 0, ay = 0, bx = 0, by = 0;
            if (easel::clipLine(x0 + dx, y0 + dy, x1 + dx, y1 + dy, &ax, &ay, &bx, &by)) {
                easel::drawLine(ax, ay, bx, by, selectedColor);
            }
        }
    }
}

int toInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

}  // namespace

void strokePass(ToolId tool, int x, int y, bool left) {
    if (tool != pencilTool && tool != brushTool) return;
    if (!left) {
        strokeActive = 0;
        return;
    }
    if (tool == pencilTool) {
        if (strokeActive == 0) {
            strokeActive = 1;
            lastX = x;
            lastY = y;
        }
        pencilLine(x, y, lastX, lastY);
        lastX = x;
        lastY = y;
        return;
    }
    if (strokeActive == 0) {
        // The press itself: a walk from the point to itself, which paints nothing.
        lastX = x;
        lastY = y;
        brushStroke(&lastX, &lastY, x, y, selectedColor.r, selectedColor.g, selectedColor.b);
        strokeActive = 1;
    }
    if (pointDistance(x, y, lastX, lastY) > dabStep()) {
        brushStroke(&lastX, &lastY, x, y, selectedColor.r, selectedColor.g, selectedColor.b);
    }
}

void brushStroke(int* dabX, int* dabY, int targetX, int targetY, int r, int g, int b) {
    if (dabX == nullptr || dabY == nullptr) return;
    const int startX = *dabX;
    const int startY = *dabY;
    const double step = dabStep();
    const int radius = brushSize / 2;
    const std::uint8_t alpha = brushOpacity;
    if (strokeActive != 0) easel::softDisc(startX, startY, radius, r, g, b, alpha);
    if (!(step > 0)) return;  // no step to walk by: only the start dab

    const DabRun run(startX, startY, targetX, targetY, step);
    const std::int64_t last = run.lastDab();
    // A dab more than its radius away from the screen draws nothing: walk
    // only the stretch of the segment next to the screen.
    std::int64_t first = 0;
    std::int64_t lastNear = 0;
    run.nearScreen(last, std::max(radius, 0), &first, &lastNear);
    for (std::int64_t n = first; n <= lastNear; ++n) {
        const DabPoint c = run.at(n);
        easel::softDisc(toInt(c.x), toInt(c.y), radius, r, g, b, alpha);
    }
    const DabPoint end = run.at(last);
    *dabX = toInt(end.x);
    *dabY = toInt(end.y);
}

}  // namespace paint
