#include "easel/raster/detail/disc_rows.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <map>
#include <random>
#include <tuple>
#include <vector>

#include "raster/midpoint_reference.h"

namespace {

TEST(DiscRowsTest, EveryRowOfTheDiscComesExactlyOnceWithTheReferenceSpan) {
    for (int radius = 0; radius <= 400; ++radius) {
        SCOPED_TRACE(radius);
        const auto halves = easel_test::discHalfWidths(radius);
        std::map<std::int64_t, int> seen;
        bool spansMatch = true;
        easel::detail::forEachDiscRow(
            7, -3, radius, [&](std::int64_t y, std::int64_t x0, std::int64_t x1) {
                ++seen[y];
                const std::int64_t offset = y < -3 ? -3 - y : y + 3;
                const auto it = halves.find(offset);
                if (it == halves.end() || x0 != 7 - it->second || x1 != 7 + it->second)
                    spansMatch = false;
            });
        EXPECT_TRUE(spansMatch);
        ASSERT_EQ(seen.size(), static_cast<size_t>(2 * radius + 1));
        // Radius 0 is the one exception: the first step's two outer rows are
        // then the same row.
        for (const auto& [y, count] : seen) EXPECT_EQ(count, radius == 0 ? 2 : 1) << "row " << y;
    }
}

TEST(DiscRowsTest, NegativeRadiusGivesNoRows) {
    for (const int radius : {-1, -7, INT_MIN}) {
        int rows = 0;
        const auto count = [&](std::int64_t, std::int64_t, std::int64_t) { ++rows; };
        easel::detail::forEachDiscRow(0, 0, radius, count);
        easel::detail::forEachDiscRowBetween(0, 0, radius, INT_MIN, INT_MAX, count);
        EXPECT_EQ(rows, 0);
    }
}

// The band walk must give exactly the plain walk's rows inside the band, in
// the same order, whatever stretches it skips.
TEST(DiscRowsTest, BandWalkGivesThePlainWalksRowsInTheBandInOrder) {
    using Row = std::tuple<std::int64_t, std::int64_t, std::int64_t>;
    std::mt19937 rng(7);
    for (int radius = 0; radius <= 2500; ++radius) {
        for (int trial = 0; trial < 3; ++trial) {
            const int cy = std::uniform_int_distribution<int>(-50, 50)(rng);
            const int height = std::uniform_int_distribution<int>(1, trial == 0 ? 3 : 40)(rng);
            // Bands anywhere from beyond the top to beyond the bottom of the disc.
            const int top =
                std::uniform_int_distribution<int>(cy - radius - 5, cy + radius + 5)(rng);
            const int bottom = top + height - 1;
            std::vector<Row> expected;
            easel::detail::forEachDiscRow(11, cy, radius,
                                          [&](std::int64_t y, std::int64_t x0, std::int64_t x1) {
                                              if (y >= top && y <= bottom)
                                                  expected.emplace_back(y, x0, x1);
                                          });
            std::vector<Row> got;
            easel::detail::forEachDiscRowBetween(
                11, cy, radius, top, bottom, [&](std::int64_t y, std::int64_t x0, std::int64_t x1) {
                    got.emplace_back(y, x0, x1);
                });
            ASSERT_EQ(got, expected) << "radius " << radius << " centre row " << cy << " band "
                                     << top << " ... " << bottom;
        }
    }
}

}  // namespace
