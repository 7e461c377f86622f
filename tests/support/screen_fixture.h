// Shared test support: one 500 x 500 dummy-driver screen per test process,
// a fixture that resets it, and pixel comparisons that say where they fail.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "easel/colour/color.h"

namespace easel_test {

constexpr int screenWidth = 500;
constexpr int screenHeight = 500;

// A copy of the screen's colours, row by row: at(x, y).
struct Picture {
    int width = screenWidth;
    int height = screenHeight;
    std::vector<easel::RgbColor> pixels;

    Picture() : pixels(static_cast<size_t>(width) * height) {}
    explicit Picture(easel::RgbColor fill)
        : pixels(static_cast<size_t>(width) * height, fill) {}
    easel::RgbColor& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const easel::RgbColor& at(int x, int y) const {
        return pixels[static_cast<size_t>(y) * width + x];
    }
};

// Reads every pixel of the screen through getPixel.
Picture capture();

// Fills the screen with a colour (through clearScreen) and returns the copy.
Picture clearTo(easel::RgbColor c);

// Compares the screen with an expected picture; the failure message counts
// the differing pixels and names the first one.
::testing::AssertionResult screenMatches(const Picture& expected);

// Resets the screen to black, the key-state array to all keys up, drains
// the event queue and puts the paint program's globals back to start-up.
class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override;
};

// Sets every entry of SDL's key-state array to 0 (all keys up).
void releaseAllKeys();

}  // namespace easel_test
