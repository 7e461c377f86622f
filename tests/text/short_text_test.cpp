// The short text calls: they draw what the long forms draw, return the next
// cell's place, and textWidth is exactly the extent they paint.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <string>
#include <utility>

#include "easel/display/screen.h"
#include "easel/text/number.h"
#include "easel/text/text.h"
#include "support/screen_fixture.h"

namespace {

using easel::RgbColor;
using easel_test::Picture;

const RgbColor paper(0, 0, 0);
const RgbColor ink(250, 250, 250);
const RgbColor cellColour(30, 60, 90);

class ShortTextTest : public easel_test::ScreenTest {};

// The columns from the leftmost to the rightmost pixel that is not paper,
// as [left, right); {0, 0} for a blank screen.
std::pair<int, int> paintedColumns() {
    const Picture p = easel_test::capture();
    int left = p.width, right = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.at(x, y) != paper) {
                left = std::min(left, x);
                right = std::max(right, x + 1);
            }
    return left < right ? std::make_pair(left, right) : std::make_pair(0, 0);
}

TEST_F(ShortTextTest, WidthIsThePaintedExtentOfEveryPrintableCharacter) {
    for (int c = 32; c <= 126; ++c) {
        const std::string text(3, static_cast<char>(c));
        SCOPED_TRACE(text);
        easel_test::clearTo(paper);
        const easel::TextPosition next = easel::drawText(text.c_str(), 40, 40, ink, cellColour);
        EXPECT_EQ(paintedColumns(), std::make_pair(40, 40 + easel::textWidth(text.c_str())));
        EXPECT_EQ(next.x, 40 + easel::textWidth(text.c_str()));
        EXPECT_EQ(next.y, 40);
        // Without a background the ink stays within the same width.
        easel_test::clearTo(paper);
        easel::drawText(text.c_str(), 40, 40, ink);
        const auto inked = paintedColumns();
        if (inked.second > 0) {
            EXPECT_GE(inked.first, 40);
            EXPECT_LE(inked.second, 40 + easel::textWidth(text.c_str()));
        }
    }
    EXPECT_EQ(easel::textWidth(""), 0);
    EXPECT_EQ(easel::textWidth(nullptr), 0);
}

TEST_F(ShortTextTest, NumberWidthsAreThePaintedExtent) {
    std::mt19937 random(25);
    std::uniform_int_distribution<int> anyInt(INT_MIN, INT_MAX);
    std::uniform_real_distribution<double> anyReal(-1e6, 1e6);
    for (int i = 0; i < 40; ++i) {
        const int value = i == 0 ? INT_MIN : anyInt(random);
        easel_test::clearTo(paper);
        easel::drawInt(value, 8, 100, ink, cellColour);
        EXPECT_EQ(paintedColumns(), std::make_pair(8, 8 + easel::textWidth(value))) << value;

        const double real = anyReal(random);
        const int decimals = i % 17;
        easel_test::clearTo(paper);
        easel::drawReal(real, decimals, 8, 100, ink, cellColour);
        EXPECT_EQ(paintedColumns(), std::make_pair(8, 8 + easel::textWidth(real, decimals)))
            << real << " with " << decimals;
    }
}

TEST_F(ShortTextTest, ShortFormsDrawWhatTheLongFormsDraw) {
    const RgbColor c(10, 200, 30);
    const RgbColor b(70, 0, 140);
    // Over a picture, including a wrap at the right edge.
    easel_test::clearTo(RgbColor(5, 5, 5));
    const int packed = easel::drawText("Wrap around", 470, 30, c.r, c.g, c.b, false, 0, 0, 0, 0);
    const Picture longForm = easel_test::capture();
    easel_test::clearTo(RgbColor(5, 5, 5));
    const easel::TextPosition next = easel::drawText("Wrap around", 470, 30, c);
    EXPECT_TRUE(easel_test::screenMatches(longForm));
    EXPECT_EQ(next.x, easel::unpackTextPosition(packed).x);
    EXPECT_EQ(next.y, easel::unpackTextPosition(packed).y);

    easel_test::clearTo(paper);
    easel::drawInt(-42, 20, 20, c.r, c.g, c.b, true, b.r, b.g, b.b, false, 0);
    easel::drawReal(3.14159, 2, 20, 40, c.r, c.g, c.b, false, 0, 0, 0, false, 0);
    const Picture numbers = easel_test::capture();
    easel_test::clearTo(paper);
    easel::drawInt(-42, 20, 20, c, b);
    easel::drawReal(3.14159, 2, 20, 40, c);
    EXPECT_TRUE(easel_test::screenMatches(numbers));
}

}  // namespace
