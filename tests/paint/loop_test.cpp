// The main loop's pass: rest when idle, no click lost, the tool keys and the
// Shift line, and the window's title.
#include "paint/loop.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "paint/state.h"
#include "paint/title.h"
#include "easel/display/screen.h"
#include "paint/paint_fixture.h"
#include "support/screen_fixture.h"
#include "support/sdl_seams.h"

namespace {

using easel::RgbColor;
using paint_test::PaintTest;

const RgbColor black(0, 0, 0);
const RgbColor white(255, 255, 255);

class LoopTest : public PaintTest {
  protected:
    void SetUp() override {
        PaintTest::SetUp();
        paint::startCanvas();
    }
    void TearDown() override { easel_test::releaseAllKeys(); }

    // One pass with the mouse at (x, y) and the given buttons held.
    paint::LoopStep pass(int x, int y, Uint8 buttons = 0) {
        easel_test::FakeMouse mouse(x, y, buttons);
        return paint::loopPass(document, &loop);
    }

    paint::Document document;
    paint::LoopState loop;
};

void pressThroughFilter(Uint8 button) {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = button;
    e.button.state = SDL_PRESSED;
    SDL_GetEventFilter()(&e);
}

TEST_F(LoopTest, RestsWhenThereIsNothingNewToShowLongestWithNoButton) {
    pass(250, 300);  // presents the start
    EXPECT_EQ(loop.waited, 0);
    const Uint32 start = SDL_GetTicks();
    pass(250, 300);
    EXPECT_EQ(loop.waited, paint::idleWaitMilliseconds);
    EXPECT_GE(SDL_GetTicks() - start, Uint32{paint::idleWaitMilliseconds});

    pass(250, 300, SDL_BUTTON(SDL_BUTTON_LEFT));  // a dot
    EXPECT_EQ(loop.waited, paint::idleWaitMilliseconds);
    pass(250, 300, SDL_BUTTON(SDL_BUTTON_LEFT));  // presents the dot
    EXPECT_EQ(loop.waited, 0);
    pass(250, 300, SDL_BUTTON(SDL_BUTTON_LEFT));  // held still: a short rest
    EXPECT_EQ(loop.waited, paint::heldWaitMilliseconds);
    pass(250, 300);
    EXPECT_EQ(loop.waited, paint::heldWaitMilliseconds);
    pass(250, 300);
    EXPECT_EQ(loop.waited, paint::idleWaitMilliseconds);
    EXPECT_EQ(easel::getPixel(250, 300), black);
}

TEST_F(LoopTest, AQuickClickIsSeenForOnePass) {
    pressThroughFilter(SDL_BUTTON_LEFT);  // pressed and released between passes
    pass(100, 300);
    EXPECT_EQ(easel::getPixel(100, 300), black) << "the Pencil's dot";
    pass(120, 300);
    EXPECT_EQ(easel::getPixel(120, 300), white) << "the stroke ended";

    paint::selectedColor = RgbColor(9, 8, 7);
    easel::putPixel(200, 400, RgbColor(1, 2, 3));
    pressThroughFilter(SDL_BUTTON_RIGHT);
    pass(200, 400);
    EXPECT_EQ(paint::selectedColor, RgbColor(1, 2, 3)) << "a quick right click picks";
}

TEST_F(LoopTest, ToolKeysPickToolsAndSizeTheCurrentOneButNotWithCtrl) {
    Uint8* keys = SDL_GetKeyState(nullptr);
    pass(250, 300);  // every key seen up: the latches are armed
    const struct {
        SDLKey key;
        paint::ToolId tool;
    } picks[] = {{SDLK_b, paint::brushTool}, {SDLK_f, paint::inkTool}, {SDLK_p, paint::pencilTool}};
    for (const auto& p : picks) {
        keys[p.key] = 1;
        pass(250, 300);
        keys[p.key] = 0;
        EXPECT_EQ(paint::currentTool, p.tool);
    }
    keys[SDLK_RIGHTBRACKET] = 1;
    for (int i = 0; i < 5; ++i) pass(250, 300);
    EXPECT_EQ(paint::pencilWidth, 2) << "held for five passes: one step";
    keys[SDLK_RIGHTBRACKET] = 0;
    paint::currentTool = paint::brushTool;
    for (const SDLKey key : {SDLK_LEFTBRACKET, SDLK_LEFTBRACKET, SDLK_RIGHTBRACKET}) {
        pass(250, 300);
        keys[key] = 1;
        pass(250, 300);
        keys[key] = 0;
    }
    EXPECT_EQ(paint::brushSize, paint::defaultBrushSize - paint::brushSizeStep);
    EXPECT_EQ(loop.title.shown(), paint::titleForMessage("Brush size 8"));
    keys[SDLK_LCTRL] = 1;
    keys[SDLK_f] = 1;
    keys[SDLK_RIGHTBRACKET] = 1;
    pass(250, 300);
    EXPECT_EQ(paint::currentTool, paint::brushTool);
    EXPECT_EQ(paint::brushSize, paint::defaultBrushSize - paint::brushSizeStep);
}

TEST_F(LoopTest, SizesStayWithinTheirLimits) {
    Uint8* keys = SDL_GetKeyState(nullptr);
    for (const paint::ToolId tool : {paint::pencilTool, paint::brushTool}) {
        paint::currentTool = tool;
        for (const SDLKey key : {SDLK_LEFTBRACKET, SDLK_RIGHTBRACKET}) {
            for (int i = 0; i < 40; ++i) {
                pass(250, 300);
                keys[key] = 1;
                pass(250, 300);
                keys[key] = 0;
            }
            const bool up = key == SDLK_RIGHTBRACKET;
            if (tool == paint::pencilTool) {
                EXPECT_EQ(paint::pencilWidth, up ? paint::largestPencil : 1);
            } else {
                EXPECT_EQ(paint::brushSize, up ? paint::largestBrush : paint::smallestBrush);
            }
        }
    }
}

TEST_F(LoopTest, ShiftClickWithThePencilDrawsTheLineFromTheLastStrokesEnd) {
    pass(100, 300, SDL_BUTTON(SDL_BUTTON_LEFT));
    pass(110, 300, SDL_BUTTON(SDL_BUTTON_LEFT));
    pass(110, 300);
    SDL_GetKeyState(nullptr)[SDLK_LSHIFT] = 1;
    pass(110, 400, SDL_BUTTON(SDL_BUTTON_LEFT));
    pass(110, 400);
    for (int y = 300; y <= 400; ++y) ASSERT_EQ(easel::getPixel(110, y), black) << "y " << y;
    EXPECT_EQ(easel::getPixel(105, 350), white);
    // The next Shift+click goes on from the end of that line.
    pass(150, 400, SDL_BUTTON(SDL_BUTTON_LEFT));
    EXPECT_EQ(easel::getPixel(130, 400), black);
}

TEST_F(LoopTest, AWiderPencilDrawsASquarePenLine) {
    paint::pencilWidth = 3;
    pass(100, 300, SDL_BUTTON(SDL_BUTTON_LEFT));
    pass(120, 300, SDL_BUTTON(SDL_BUTTON_LEFT));
    for (int x = 99; x <= 121; ++x) {
        for (int y = 298; y <= 302; ++y) {
            const bool inside = y >= 299 && y <= 301;
            ASSERT_EQ(easel::getPixel(x, y), inside ? black : white) << x << ", " << y;
        }
    }
}

TEST_F(LoopTest, UndoAndRedoWithNothingLeftSaySoInTheTitle) {
    Uint8* keys = SDL_GetKeyState(nullptr);
    pass(250, 300);
    keys[SDLK_LCTRL] = 1;
    keys[SDLK_z] = 1;
    pass(250, 300);
    EXPECT_EQ(loop.title.shown(), paint::titleForMessage("nothing more to undo"));
    keys[SDLK_z] = 0;
    keys[SDLK_y] = 1;
    pass(250, 300);
    EXPECT_EQ(loop.title.shown(), paint::titleForMessage("nothing to redo"));
}

TEST(TitleTest, NamesTheFileWithItsUnsavedMark) {
    EXPECT_EQ(paint::titleFor("", false), "Paint Program");
    EXPECT_EQ(paint::titleFor("", true), "Paint Program");
    EXPECT_EQ(paint::titleFor("/home/a/cat.png", false), "cat.png - Paint Program");
    EXPECT_EQ(paint::titleFor("cat.png", true), "*cat.png - Paint Program");
}

TEST(TitleTest, AMessageShowsForThreeSecondsThenTheTitleReturns) {
    paint::WindowTitle title;
    title.update("a.png", false, 1000);
    EXPECT_EQ(title.shown(), "a.png - Paint Program");
    title.say("Saved a.png", 2000);
    title.update("a.png", false, 2000);
    EXPECT_EQ(title.shown(), "Saved a.png - Paint Program");
    title.update("a.png", true, 2000 + paint::messageMilliseconds - 1);
    EXPECT_EQ(title.shown(), "Saved a.png - Paint Program");
    title.update("a.png", true, 2000 + paint::messageMilliseconds);
    EXPECT_EQ(title.shown(), "*a.png - Paint Program");
    char* caption = nullptr;
    SDL_WM_GetCaption(&caption, nullptr);
    EXPECT_STREQ(caption, "*a.png - Paint Program");
}

}  // namespace
