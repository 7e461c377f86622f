#include "paint/stroke.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <utility>
#include <vector>

#include "paint/pass.h"
#include "paint/state.h"
#include "easel/display/screen.h"
#include "support/drawing_reference.h"
#include "paint/paint_fixture.h"
#include "support/screen_fixture.h"

namespace {

using easel::RgbColor;
using easel_test::Picture;
using paint_test::PaintTest;

constexpr RgbColor white{255, 255, 255};
constexpr RgbColor black{0, 0, 0};
constexpr int alpha = 16;  // one dab's weight

class BrushTest : public PaintTest {};
class PencilTest : public PaintTest {};

struct Point {
    std::int64_t x = 0;
    std::int64_t y = 0;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

// The brush walk stepped through one dab at a time, as documented: dab n at
// n half-pixel steps from the start along the segment, truncated toward zero;
// stop when the current dab is within a step of the target or has passed it.
struct Walk {
    std::vector<Point> dabs;
    Point last;
};

Walk referenceWalk(int sx, int sy, int tx, int ty, bool startDab) {
    const double step = 0.5;
    Walk w;
    if (startDab) w.dabs.push_back({sx, sy});
    const std::int64_t ddx = static_cast<std::int64_t>(tx) - sx;
    const std::int64_t ddy = static_cast<std::int64_t>(ty) - sy;
    const double length = std::sqrt(static_cast<double>(ddx * ddx + ddy * ddy));
    std::int64_t cx = sx;
    std::int64_t cy = sy;
    for (std::int64_t n = 1;; ++n) {
        const double ex = static_cast<double>(cx - tx);
        const double ey = static_cast<double>(cy - ty);
        if (std::sqrt(ex * ex + ey * ey) <= step) break;
        if ((sx - cx) * (tx - cx) > 0 || (sy - cy) * (ty - cy) > 0) break;
        cx = static_cast<std::int64_t>(sx + static_cast<double>(ddx) *
                                                (static_cast<double>(n) * step) / length);
        cy = static_cast<std::int64_t>(sy + static_cast<double>(ddy) *
                                                (static_cast<double>(n) * step) / length);
        w.dabs.push_back({cx, cy});
    }
    w.last = {cx, cy};
    return w;
}

// Paints the dabs of a walk that can reach the picture.
void paintWalk(Picture& p, const std::vector<Point>& dabs, RgbColor c) {
    for (const Point& d : dabs) {
        if (d.x < -10 || d.y < -10 || d.x > p.width + 10 || d.y > p.height + 10) continue;
        easel_test::paintDab(p, static_cast<int>(d.x), static_cast<int>(d.y), c, alpha);
    }
}

// Runs brushStroke from (sx, sy) and returns the last dab.
Point stroke(int sx, int sy, int tx, int ty, RgbColor c) {
    int x = sx;
    int y = sy;
    paint::brushStroke(&x, &y, tx, ty, c.r, c.g, c.b);
    return {x, y};
}

void pass(int x, int y, bool left) {
    paint::Pointer p;
    p.x = x;
    p.y = y;
    p.left = left;
    paint::runPass(p);
}

// Starts the canvas with the tool current, lets one pass with the button up
// draw the panel, and returns the screen as it then is.
Picture idleCanvas(paint::ToolId tool) {
    paint::currentTool = tool;
    paint::startCanvas();
    pass(10, 300, false);
    return easel_test::capture();
}

struct Example {
    int sx, sy, tx, ty;
    std::vector<Point> centres;
};

TEST_F(BrushTest, BrushLaysDabsAtTruncatedHalfSteps) {
    const std::vector<Example> examples = {
        {100,
         200,
         103,
         200,
         {{100, 200}, {100, 200}, {101, 200}, {101, 200}, {102, 200}, {102, 200}, {103, 200}}},
        {103,
         200,
         100,
         200,
         {{103, 200}, {102, 200}, {102, 200}, {101, 200}, {101, 200}, {100, 200}}},
        {100,
         200,
         100,
         197,
         {{100, 200}, {100, 199}, {100, 199}, {100, 198}, {100, 198}, {100, 197}}},
    };
    for (const Example& e : examples) {
        SCOPED_TRACE(testing::Message()
                     << "(" << e.sx << ", " << e.sy << ") to (" << e.tx << ", " << e.ty << ")");
        EXPECT_EQ(referenceWalk(e.sx, e.sy, e.tx, e.ty, true).dabs, e.centres);
        Picture expected = easel_test::clearTo(white);
        paintWalk(expected, e.centres, black);
        paint::strokeActive = 1;
        EXPECT_EQ(stroke(e.sx, e.sy, e.tx, e.ty, black), (Point{e.tx, e.ty}));
        EXPECT_TRUE(easel_test::screenMatches(expected));
    }
}

TEST_F(BrushTest, BrushFromAPointToItselfPaintsNothingWhenNotActive) {
    easel_test::clearTo(white);
    paint::strokeActive = 0;
    EXPECT_EQ(stroke(250, 300, 250, 300, black), (Point{250, 300}));
    EXPECT_TRUE(easel_test::screenMatches(Picture(white)));
    // Active, the same call lays the one start dab.
    paint::strokeActive = 1;
    Picture expected(white);
    easel_test::paintDab(expected, 250, 300, black, alpha);
    EXPECT_EQ(stroke(250, 300, 250, 300, black), (Point{250, 300}));
    EXPECT_TRUE(easel_test::screenMatches(expected));
}

TEST_F(BrushTest, BrushWalkMatchesTheStepByStepWalk) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> coord(-40, 540);
    for (int round = 0; round < 60; ++round) {
        const int sx = coord(rng), sy = coord(rng), tx = coord(rng), ty = coord(rng);
        const bool active = rng() % 2 == 0;
        const RgbColor c(static_cast<int>(rng()), static_cast<int>(rng()), static_cast<int>(rng()));
        const Walk w = referenceWalk(sx, sy, tx, ty, active);
        Picture expected = easel_test::clearTo(white);
        paintWalk(expected, w.dabs, c);
        paint::strokeActive = active ? 1 : 0;
        ASSERT_EQ(stroke(sx, sy, tx, ty, c), w.last)
            << "(" << sx << ", " << sy << ") to (" << tx << ", " << ty << ")";
        ASSERT_TRUE(easel_test::screenMatches(expected))
            << "(" << sx << ", " << sy << ") to (" << tx << ", " << ty << ")";
    }
}

TEST_F(BrushTest, BrushWalkFarOffTheScreenMatchesTheStepByStepWalk) {
    std::mt19937 rng(9);
    std::uniform_int_distribution<int> far(-60000, 60000);
    std::uniform_int_distribution<int> near(-100, 600);
    for (int round = 0; round < 12; ++round) {
        // Half the segments start or end near the screen, so that they cross it.
        const int sx = far(rng), sy = far(rng);
        const int tx = round % 2 == 0 ? near(rng) : far(rng);
        const int ty = round % 2 == 0 ? near(rng) : -sy;
        const Walk w = referenceWalk(sx, sy, tx, ty, true);
        Picture expected = easel_test::clearTo(white);
        paintWalk(expected, w.dabs, black);
        paint::strokeActive = 1;
        ASSERT_EQ(stroke(sx, sy, tx, ty, black), w.last)
            << "(" << sx << ", " << sy << ") to (" << tx << ", " << ty << ")";
        ASSERT_TRUE(easel_test::screenMatches(expected))
            << "(" << sx << ", " << sy << ") to (" << tx << ", " << ty << ")";
    }
}

TEST_F(BrushTest, BrushAcrossTheWholeIntRangeFinishesAtTheTarget) {
    // Across the full range of int the walk lays billions of dabs; only the
    // few hundred next to the screen can show. They are compared with the
    // documented positions of the dabs of a window of the walk around the
    // point of the segment nearest the screen's centre.
    struct Case {
        int sx, sy, tx, ty;
    };
    const Case cases[] = {{INT_MIN, 300, INT_MAX, 300},
                          {300, INT_MAX, 300, INT_MIN},
                          {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                          {INT_MAX, INT_MIN + 500, INT_MIN + 500, INT_MAX}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "(" << c.sx << ", " << c.sy << ") to (" << c.tx << ", " << c.ty << ")");
        Picture expected = easel_test::clearTo(white);
        const double ddx = static_cast<double>(static_cast<std::int64_t>(c.tx) - c.sx);
        const double ddy = static_cast<double>(static_cast<std::int64_t>(c.ty) - c.sy);
        const double length = std::sqrt(ddx * ddx + ddy * ddy);
        const double toCentre = ((250.0 - c.sx) * ddx + (250.0 - c.sy) * ddy) / length;
        const auto middle = static_cast<std::int64_t>(toCentre / 0.5);
        std::vector<Point> dabs;
        for (std::int64_t n = middle - 1600; n <= middle + 1600; ++n) {
            const double along = static_cast<double>(n) * 0.5;
            dabs.push_back({static_cast<std::int64_t>(c.sx + ddx * along / length),
                            static_cast<std::int64_t>(c.sy + ddy * along / length)});
        }
        paintWalk(expected, dabs, black);
        paint::strokeActive = 1;
        EXPECT_EQ(stroke(c.sx, c.sy, c.tx, c.ty, black), (Point{c.tx, c.ty}));
        EXPECT_TRUE(easel_test::screenMatches(expected));
        EXPECT_FALSE(easel_test::screenMatches(Picture(white)));  // the walk crossed the screen
    }
}

TEST_F(BrushTest, BrushBetweenAnyTwoIntsFinishesNextToTheTarget) {
    std::mt19937 rng(13);
    const int picks[] = {INT_MIN, INT_MIN + 1, -1000, 0, 250, 499, 500, 1000, INT_MAX - 1, INT_MAX};
    auto pick = [&]() {
        return rng() % 2 == 0 ? picks[rng() % std::size(picks)] : static_cast<int>(rng());
    };
    easel_test::clearTo(white);
    for (int round = 0; round < 300; ++round) {
        const int sx = pick(), sy = pick(), tx = pick(), ty = pick();
        paint::strokeActive = static_cast<std::uint8_t>(round % 2);
        const Point last = stroke(sx, sy, tx, ty, black);
        // The last dab is the target, or one pixel past it where truncation
        // toward zero rounds the overshoot up.
        EXPECT_LE(std::llabs(last.x - tx), 1) << sx << " " << sy << " " << tx << " " << ty;
        EXPECT_LE(std::llabs(last.y - ty), 1) << sx << " " << sy << " " << tx << " " << ty;
    }
}

TEST_F(BrushTest, BrushNeverWritesOutsideTheSurface) {
    const int w = 40;
    const int h = 30;
    easel_test::GuardedSurface guarded(w, h, 48);
    easel_test::ScopedScreen scope(guarded.surface(), w, h);
    const int ends[] = {INT_MIN, -100000, -7, 0, 20, 39, 45, 100000, INT_MAX};
    paint::strokeActive = 1;
    for (int a : ends)
        for (int b : ends) stroke(a, b, b == INT_MIN ? INT_MAX : -b, a / 2, black);
    std::vector<std::uint32_t> memory = guarded.memory();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            memory[guarded.indexOf(x, y)] = easel_test::GuardedSurface::sentinel;
    EXPECT_EQ(memory, guarded.untouched());
}

TEST_F(PencilTest, PencilPressWithoutMovementDrawsOnePixel) {
    Picture expected = idleCanvas(paint::pencilTool);
    pass(200, 300, true);
    pass(200, 300, true);
    expected.at(200, 300) = black;
    EXPECT_TRUE(easel_test::screenMatches(expected));
    EXPECT_EQ(paint::strokeActive, 1);
}

TEST_F(PencilTest, PencilJoinsEachPositionToThePrevious) {
    const std::pair<int, int> path[] = {{100, 200}, {104, 202}, {104, 230}, {90, 215},
                                        {90, 215},  {60, 200},  {62, 260},  {499, 499}};
    paint::selectedColor = RgbColor(10, 120, 230);
    Picture expected = idleCanvas(paint::pencilTool);
    std::pair<int, int> previous = path[0];
    for (const auto& [x, y] : path) {
        pass(x, y, true);
        // Drawn from the new position back to the previous one.
        easel_test::paintLine(expected, x, y, previous.first, previous.second,
                              paint::selectedColor);
        previous = {x, y};
    }
    EXPECT_TRUE(easel_test::screenMatches(expected));
}

TEST_F(PencilTest, PencilReleaseEndsTheStroke) {
    Picture expected = idleCanvas(paint::pencilTool);
    pass(100, 200, true);
    pass(120, 210, true);
    pass(300, 400, false);
    EXPECT_EQ(paint::strokeActive, 0);
    pass(200, 300, true);
    easel_test::paintLine(expected, 120, 210, 100, 200, black);
    expected.at(200, 300) = black;
    EXPECT_TRUE(easel_test::screenMatches(expected));
}

TEST_F(PencilTest, PencilDraggedIntoThePickerDrawsThatSegmentInThePickedColour) {
    Picture expected = idleCanvas(paint::pencilTool);
    pass(100, 200, true);
    // Whatever the picker shows under the pointer is what gets picked; make
    // it a colour that nothing else on the screen has.
    const RgbColor shown(201, 13, 77);
    easel::putPixel(100, 100, shown);
    pass(100, 100, true);
    EXPECT_EQ(paint::selectedColor, shown);
    // The panel was repainted before the Pencil drew, so the whole segment,
    // over the panel too, is in the picked colour, the first dot included.
    for (int y = 100; y <= 200; ++y) EXPECT_EQ(easel::getPixel(100, y), shown) << y;
    // Nothing else on the canvas changed.
    const Picture after = easel_test::capture();
    for (int y = paint::panelHeight; y < after.height; ++y) {
        for (int x = 0; x < after.width; ++x) {
            if (x == 100 && y <= 200) continue;
            ASSERT_EQ(after.at(x, y), expected.at(x, y)) << x << ", " << y;
        }
    }
}

TEST_F(BrushTest, BrushPressWithoutMovementPaintsNothing) {
    const Picture expected = idleCanvas(paint::brushTool);
    for (int i = 0; i < 4; ++i) pass(200, 300, true);
    EXPECT_TRUE(easel_test::screenMatches(expected));
    EXPECT_EQ(paint::strokeActive, 1);
    EXPECT_EQ(paint::lastX, 200);
    EXPECT_EQ(paint::lastY, 300);
}

TEST_F(BrushTest, BrushMovementsMixTheirJointTwice) {
    Picture expected = idleCanvas(paint::brushTool);
    pass(100, 300, true);
    pass(103, 300, true);
    pass(103, 300, true);  // holding still adds nothing
    pass(106, 300, true);
    pass(106, 300, true);
    // Each movement starts with a dab on the last dab of the one before.
    const int centres[] = {100, 100, 101, 101, 102, 102, 103, 103, 103, 104, 104, 105, 105, 106};
    for (int x : centres) easel_test::paintDab(expected, x, 300, black, alpha);
    EXPECT_TRUE(easel_test::screenMatches(expected));
    EXPECT_EQ(paint::lastX, 106);
}

TEST_F(BrushTest, BrushWalksBackNextPassWhenAWalkEndsPastThePointer) {
    // From (130, 340) to (80, 365) the last dab lands one pixel past the
    // pointer, at x = 79; held there, the next pass walks the one pixel back.
    Picture expected = idleCanvas(paint::brushTool);
    pass(130, 340, true);
    pass(80, 365, true);
    EXPECT_EQ(paint::lastX, 79);
    pass(80, 365, true);
    pass(80, 365, true);
    EXPECT_EQ(paint::lastX, 80);
    const Walk there = referenceWalk(130, 340, 80, 365, true);
    const Walk back = referenceWalk(79, 365, 80, 365, true);
    paintWalk(expected, there.dabs, black);
    paintWalk(expected, back.dabs, black);
    EXPECT_TRUE(easel_test::screenMatches(expected));
}

TEST_F(BrushTest, BrushReleaseEndsTheStroke) {
    Picture expected = idleCanvas(paint::brushTool);
    pass(100, 300, true);
    pass(101, 300, true);
    pass(300, 300, false);
    EXPECT_EQ(paint::strokeActive, 0);
    pass(300, 300, true);  // a new press elsewhere paints nothing yet
    pass(300, 301, true);
    for (int x : {100, 100, 101}) easel_test::paintDab(expected, x, 300, black, alpha);
    for (int y : {300, 300, 301}) easel_test::paintDab(expected, 300, y, black, alpha);
    EXPECT_TRUE(easel_test::screenMatches(expected));
}

TEST_F(BrushTest, StrokePassIgnoresOtherTools) {
    const Picture expected = easel_test::clearTo(white);
    for (paint::ToolId tool : {0, 3, 4, 99}) paint::strokePass(tool, 200, 300, true);
    EXPECT_TRUE(easel_test::screenMatches(expected));
    EXPECT_EQ(paint::strokeActive, 0);
}

}  // namespace
