// The clipped shapes against the specified ones drawn whole on a larger
// surface (the screen with a margin all round), of which the screen's window
// is the reference: the clipped form must give exactly that window.
#include "easel/raster/clipped.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>

#include "easel/display/screen.h"
#include "easel/raster/line.h"
#include "easel/raster/shapes.h"
#include "support/screen_fixture.h"

namespace {

using easel::RgbColor;
using easel_test::Picture;

constexpr int margin = 500;
constexpr int bigSide = easel_test::screenWidth + 2 * margin;
const RgbColor ink(200, 40, 90);

class ClippedTest : public easel_test::ScreenTest {
  protected:
    // What `drawWhole(margin)` draws into the screen's window of the large
    // surface; drawWhole adds its argument to every coordinate.
    Picture reference(const std::function<void(int)>& drawWhole) {
        {
            easel_test::ScopedScreen scoped(big.surface(), bigSide, bigSide);
            easel::fillRect(margin, margin, margin + 499, margin + 499, RgbColor(0, 0, 0));
            drawWhole(margin);
        }
        const std::uint32_t inkWord = 0xC8285Au;
        Picture p;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                if (big.memory()[big.indexOf(x + margin, y + margin)] == inkWord) p.at(x, y) = ink;
        return p;
    }

    // Checks one shape: the clipped call on the screen against the reference,
    // and its answer against whether the reference shows any pixel.
    void check(const std::function<bool()>& clipped, const std::function<void(int)>& drawWhole) {
        const Picture expected = reference(drawWhole);
        bool any = false;
        for (const RgbColor& c : expected.pixels) any = any || c == ink;
        easel_test::clearTo(RgbColor(0, 0, 0));
        EXPECT_EQ(clipped(), any);
        EXPECT_TRUE(easel_test::screenMatches(expected));
    }

    easel_test::GuardedSurface big{bigSide, bigSide, bigSide};
    std::mt19937 random{20261208};

    // A coordinate on the large surface, in screen coordinates.
    int anywhere() { return std::uniform_int_distribution<int>(-margin, 499 + margin)(random); }
};

TEST_F(ClippedTest, LinesEqualTheWholeLineCutToTheScreen) {
    for (int i = 0; i < 50; ++i) {
        const int x0 = anywhere(), y0 = anywhere(), x1 = anywhere(), y1 = anywhere();
        SCOPED_TRACE(::testing::Message() << x0 << "," << y0 << " - " << x1 << "," << y1);
        check([&] { return easel::drawLineClipped(x0, y0, x1, y1, ink); },
              [&](int o) { easel::drawLine(x0 + o, y0 + o, x1 + o, y1 + o, ink); });
    }
}

TEST_F(ClippedTest, CirclesAndDiscsEqualTheWholeShapeCutToTheScreen) {
    for (int i = 0; i < 30; ++i) {
        const int radius = std::uniform_int_distribution<int>(0, 700)(random);
        std::uniform_int_distribution<int> centre(-margin + radius, 499 + margin - radius);
        const int xc = centre(random), yc = centre(random);
        SCOPED_TRACE(::testing::Message() << xc << "," << yc << " r " << radius);
        check([&] { return easel::drawCircleClipped(xc, yc, radius, ink); },
              [&](int o) { ASSERT_TRUE(easel::drawCircle(xc + o, yc + o, radius, ink)); });
        check([&] { return easel::drawDiscClipped(xc, yc, radius, ink); },
              [&](int o) { easel::drawDisc(xc + o, yc + o, radius, ink); });
    }
}

TEST_F(ClippedTest, RectanglesEqualTheWholeRectangleCutToTheScreen) {
    for (int i = 0; i < 25; ++i) {
        const int x0 = anywhere(), y0 = anywhere(), x1 = anywhere(), y1 = anywhere();
        SCOPED_TRACE(::testing::Message() << x0 << "," << y0 << " - " << x1 << "," << y1);
        const auto whole = [&](int o) {
            easel::fillRect(std::min(x0, x1) + o, std::min(y0, y1) + o, std::max(x0, x1) + o,
                            std::max(y0, y1) + o, ink);
        };
        check([&] { return easel::fillRectClipped(x0, y0, x1, y1, ink); }, whole);
        check(
            [&] {
                return easel::fillRectSized(std::min(x0, x1), std::min(y0, y1),
                                            std::abs(x1 - x0) + 1, std::abs(y1 - y0) + 1, ink);
            },
            whole);
    }
}

TEST_F(ClippedTest, ExtremeArgumentsDrawTheVisiblePartQuickly) {
    // The ends of a diagonal anywhere on it give the same screen pixels.
    easel_test::clearTo(RgbColor(0, 0, 0));
    ASSERT_TRUE(easel::drawLine(0, 0, 499, 499, ink));
    const Picture diagonal = easel_test::capture();
    easel_test::clearTo(RgbColor(0, 0, 0));
    EXPECT_TRUE(easel::drawLineClipped(INT_MIN, INT_MIN, INT_MAX, INT_MAX, ink));
    EXPECT_TRUE(easel_test::screenMatches(diagonal));

    // A circle of radius 10^9 whose top touches (250, 250): only rows from
    // 250 down are drawn, and (250, 250) is.
    easel_test::clearTo(RgbColor(0, 0, 0));
    EXPECT_TRUE(easel::drawCircleClipped(250, 250 + 1000000000, 1000000000, ink));
    const Picture arc = easel_test::capture();
    EXPECT_EQ(arc.at(250, 250), ink);
    for (int x = 0; x < 500; ++x) EXPECT_NE(arc.at(x, 249), ink) << x;

    // A screen wholly inside a circle, or a disc off a corner, draws nothing.
    easel_test::clearTo(RgbColor(0, 0, 0));
    EXPECT_FALSE(easel::drawCircleClipped(250, 250, INT_MAX, ink));
    EXPECT_FALSE(easel::drawDiscClipped(-10, -10, 12, ink));
    EXPECT_FALSE(easel::drawCircleClipped(250, 250, -1, ink));
    EXPECT_FALSE(easel::drawDiscClipped(250, 250, -1, ink));
    EXPECT_FALSE(easel::fillRectSized(10, 10, 0, 5, ink));
    EXPECT_TRUE(easel_test::screenMatches(Picture(RgbColor(0, 0, 0))));
    EXPECT_TRUE(easel::fillRectSized(INT_MAX, INT_MAX, INT_MAX, INT_MAX, ink) == false);
    EXPECT_TRUE(easel::fillRectSized(-1000, -1000, INT_MAX, INT_MAX, ink));
}

}  // namespace
