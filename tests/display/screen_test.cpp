#include "easel/display/screen.h"

#include <gtest/gtest.h>

#include "support/screen_fixture.h"

namespace {

using easel::RgbColor;
using easel_test::ScreenTest;

TEST_F(ScreenTest, WrittenPixelReadsBack) {
    easel::putPixel(10, 20, 1, 2, 3);
    EXPECT_EQ(easel::getPixel(10, 20), RgbColor(1, 2, 3));
}

}  // namespace
