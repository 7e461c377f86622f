#include "paint/pass.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "paint/state.h"
#include "easel/display/detail/pixels.h"
#include "easel/display/screen.h"
#include "paint/paint_fixture.h"
#include "support/screen_fixture.h"

namespace {

using easel::RgbColor;
using paint_test::PaintTest;
using paint::PassResult;
using paint::Pointer;

// A tool number outside 1-4: no tool acts, so a pass shows only what the
// panel hit tests did.
constexpr paint::ToolId noTool = 0;

const RgbColor marker(11, 22, 33);

Pointer pressAt(int x, int y) {
    return Pointer{x, y, true, false};
}

struct Hit {
    int x, y;
    bool picksColour;
    int value;           // the paletteValue it sets, or -1 for none
    paint::ToolId tool;  // the tool it selects, or noTool for none
};

// Every hit region at its inclusive corners, and one pixel outside each edge.
const Hit hits[] = {
    // colour picker 0-255 x 0-127
    {0, 0, true, -1, noTool},
    {255, 0, true, -1, noTool},
    {0, 127, true, -1, noTool},
    {255, 127, true, -1, noTool},
    {128, 64, true, -1, noTool},
    {255, 128, false, -1, noTool},
    {0, 128, false, -1, noTool},
    // value bar 256-271 x 0-127: value 2y cut to 8 bits
    {256, 0, false, 0, noTool},
    {271, 0, false, 0, noTool},
    {256, 127, false, 254, noTool},
    {271, 127, false, 254, noTool},
    {263, 64, false, 128, noTool},
    {260, 1, false, 2, noTool},
    {272, 0, false, -1, noTool},
    {272, 127, false, -1, noTool},
    {256, 128, false, -1, noTool},
    {271, 128, false, -1, noTool},
    // Pencil 300-324 x 50-74
    {300, 50, false, -1, paint::pencilTool},
    {324, 50, false, -1, paint::pencilTool},
    {300, 74, false, -1, paint::pencilTool},
    {324, 74, false, -1, paint::pencilTool},
    {299, 60, false, -1, noTool},
    {325, 60, false, -1, noTool},
    {300, 49, false, -1, noTool},
    // Brush 300-324 x 75-99
    {300, 75, false, -1, paint::brushTool},
    {324, 75, false, -1, paint::brushTool},
    {300, 99, false, -1, paint::brushTool},
    {324, 99, false, -1, paint::brushTool},
    {299, 80, false, -1, noTool},
    {325, 80, false, -1, noTool},
    {310, 100, false, -1, noTool},
    // Ink 400-424 x 50-74
    {400, 50, false, -1, paint::inkTool},
    {424, 50, false, -1, paint::inkTool},
    {400, 74, false, -1, paint::inkTool},
    {424, 74, false, -1, paint::inkTool},
    {399, 60, false, -1, noTool},
    {425, 60, false, -1, noTool},
    {410, 49, false, -1, noTool},
    // Clear 400-424 x 75-99
    {400, 75, false, -1, paint::clearTool},
    {424, 75, false, -1, paint::clearTool},
    {400, 99, false, -1, paint::clearTool},
    {424, 99, false, -1, paint::clearTool},
    {399, 80, false, -1, noTool},
    {425, 80, false, -1, noTool},
    {410, 100, false, -1, noTool},
    // between the buttons, the swatch and the canvas
    {350, 60, false, -1, noTool},
    {445, 15, false, -1, noTool},
    {250, 300, false, -1, noTool},
};

class PassTest : public PaintTest {
  protected:
    void SetUp() override {
        PaintTest::SetUp();
        paint::startCanvas();
        paint::currentTool = noTool;
    }
};

TEST_F(PassTest, LeftPressHitsEachPanelRegionAtItsInclusiveEdges) {
    for (const Hit& h : hits) {
        SCOPED_TRACE(testing::Message() << "press at (" << h.x << ", " << h.y << ")");
        paint::resetState();
        paint::currentTool = noTool;
        easel::putPixel(h.x, h.y, marker);
        const PassResult result = paint::runPass(pressAt(h.x, h.y));
        EXPECT_EQ(paint::selectedColor, h.picksColour ? marker : RgbColor(0, 0, 0));
        EXPECT_EQ(paint::paletteValue, h.value < 0 ? 255 : h.value);
        EXPECT_EQ(paint::currentTool, h.tool);
        EXPECT_EQ(result,
                  h.tool == paint::clearTool ? PassResult::clearCanvas : PassResult::keepGoing);
    }
}

// The right button picks only on the canvas (rows 128 on), as the picker
// would: the panel's regions ignore it.
TEST_F(PassTest, WithoutTheLeftButtonOnlyTheRightButtonOnTheCanvasPicks) {
    for (const Hit& h : hits) {
        for (const bool right : {false, true}) {
            SCOPED_TRACE(testing::Message() << "pointer at (" << h.x << ", " << h.y << ")"
                                            << (right ? " with the right button" : ""));
            paint::resetState();
            paint::currentTool = noTool;
            easel::putPixel(h.x, h.y, marker);
            EXPECT_EQ(paint::runPass(Pointer{h.x, h.y, false, right}), PassResult::keepGoing);
            const bool picks = right && h.y >= paint::panelHeight;
            EXPECT_EQ(paint::selectedColor, picks ? marker : RgbColor(0, 0, 0));
            EXPECT_EQ(paint::paletteValue, 255);
            EXPECT_EQ(paint::currentTool, noTool);
        }
    }
}

// The picked colour is whatever the screen shows under the pointer, read
// back rather than computed from the picker's position.
TEST_F(PassTest, PickerReadsTheColourBackFromTheScreen) {
    const RgbColor colours[] = {RgbColor(1, 2, 3), RgbColor(255, 255, 255), RgbColor(0, 0, 0),
                                RgbColor(254, 0, 128)};
    int x = 5;
    for (const RgbColor c : colours) {
        easel::putPixel(x, 100, c);
        paint::runPass(pressAt(x, 100));
        EXPECT_EQ(paint::selectedColor, c);
        x += 60;
    }
}

// A held button acts again on every pass: each pass picks anew.
TEST_F(PassTest, HeldButtonRepeatsItsEffectEveryPass) {
    for (int pass = 0; pass < 4; ++pass) {
        const RgbColor c(pass * 40, 255 - pass, 7);
        easel::putPixel(30, 40, c);
        paint::runPass(pressAt(30, 40));
        EXPECT_EQ(paint::selectedColor, c) << "pass " << pass;
    }
    for (int pass = 0; pass < 4; ++pass) {
        paint::paletteValue = 77;
        paint::runPass(pressAt(260, 10 + pass));
        EXPECT_EQ(paint::paletteValue, 20 + 2 * pass) << "pass " << pass;
    }
    for (int pass = 0; pass < 3; ++pass) {
        paint::currentTool = noTool;
        paint::runPass(pressAt(410, 60));
        EXPECT_EQ(paint::currentTool, paint::inkTool) << "pass " << pass;
    }
}

// Once Clear is picked every pass asks for the canvas to be emptied, whatever
// the pointer does, until another tool is picked.
TEST_F(PassTest, ClearEmptiesTheCanvasEveryPassUntilAnotherToolIsPicked) {
    EXPECT_EQ(paint::runPass(pressAt(410, 80)), PassResult::clearCanvas);
    const Pointer passes[] = {
        {410, 80, true, false},  {410, 80, false, false}, {250, 300, true, false},
        {250, 300, false, true}, {30, 30, true, false},   {260, 50, true, false},
        {350, 60, true, false},  {310, 60, false, false},
    };
    for (const Pointer& p : passes) {
        EXPECT_EQ(paint::runPass(p), PassResult::clearCanvas) << "(" << p.x << ", " << p.y << ")";
        EXPECT_EQ(paint::currentTool, paint::clearTool);
    }
    EXPECT_EQ(paint::runPass(pressAt(310, 80)), PassResult::keepGoing);
    EXPECT_EQ(paint::currentTool, paint::brushTool);
}

TEST_F(PassTest, StartCanvasEmptiesTheWholeCanvas) {
    easel::clearScreen(1, 2, 3);
    paint::startCanvas();
    for (int y = paint::panelHeight; y < paint::windowHeight; ++y) {
        for (int x = 0; x < paint::windowWidth; ++x) {
            ASSERT_EQ(easel::getPixel(x, y), paint::canvasColor) << "(" << x << ", " << y << ")";
        }
    }
}

// Dragging the Pencil from the canvas into the picker: the pick comes first,
// so the segment drawn in the same pass is already in the new colour.
TEST_F(PassTest, PickComesBeforeTheToolActsInTheSamePass) {
    paint::currentTool = paint::pencilTool;
    paint::runPass(pressAt(10, 200));
    easel::putPixel(10, 10, marker);
    paint::runPass(pressAt(10, 10));
    EXPECT_EQ(paint::selectedColor, marker);
    for (int y = paint::panelHeight; y <= 200; ++y) {
        EXPECT_EQ(easel::getPixel(10, y), marker) << "(10, " << y << ")";
    }
}

TEST(PointDistance, IsTheEuclideanDistanceWithoutOverflow) {
    EXPECT_DOUBLE_EQ(paint::pointDistance(0, 0, 3, 4), 5.0);
    EXPECT_DOUBLE_EQ(paint::pointDistance(3, 4, 0, 0), 5.0);
    EXPECT_DOUBLE_EQ(paint::pointDistance(7, 7, 7, 7), 0.0);
    EXPECT_DOUBLE_EQ(paint::pointDistance(100, 200, 101, 200), 1.0);
    EXPECT_DOUBLE_EQ(paint::pointDistance(-2147483647 - 1, 0, 2147483647, 0), 4294967295.0);
}

}  // namespace
