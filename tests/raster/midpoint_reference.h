// An independent reference for the midpoint circle walk, for the circle and
// disc tests: the steps recorded the plain way, and the half width of every
// disc row derived from them.
#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace easel_test {

// The (x, y) of every step of the midpoint walk, recorded the plain way.
inline std::vector<std::pair<std::int64_t, std::int64_t>> walkSteps(std::int64_t radius) {
    std::vector<std::pair<std::int64_t, std::int64_t>> steps;
    std::int64_t p = 3 - 2 * radius;
    for (std::int64_t x = 0, y = radius; x <= y; ++x) {
        steps.emplace_back(x, y);
        if (p < 0) {
            p += 4 * x + 6;
        } else {
            p += 4 * (x - y) + 10;
            --y;
        }
    }
    return steps;
}

// Half the width of every row of the disc, by row offset from the centre: a
// row that is some step's y takes the x of the first step with that y, and
// every other row up to the last x takes the y of the step at that x.
inline std::map<std::int64_t, std::int64_t> discHalfWidths(std::int64_t radius) {
    std::map<std::int64_t, std::int64_t> half;
    for (const auto& [x, y] : walkSteps(radius)) half.emplace(y, x);  // keeps the first x
    for (const auto& [x, y] : walkSteps(radius)) half.emplace(x, y);  // rows not yet given
    return half;
}

}  // namespace easel_test
