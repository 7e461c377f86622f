#include "easel/display/input.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/screen_fixture.h"
#include "support/sdl_seams.h"

namespace {

using easel_test::FakeClock;
using easel_test::FakeMouse;
using easel_test::ScreenTest;

SDL_Event eventOfType(Uint8 type) {
    SDL_Event e{};
    e.type = type;
    return e;
}

SDL_Event keyEvent(Uint8 type, SDLKey key) {
    SDL_Event e{};
    e.type = type;
    e.key.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = key;
    return e;
}

void push(SDL_Event e) {
    ASSERT_EQ(SDL_PushEvent(&e), 0) << SDL_GetError();
}

// Counts the events left in the queue, taking them off.
int drainQueue() {
    int n = 0;
    SDL_Event e{};
    while (SDL_PollEvent(&e) != 0) ++n;
    return n;
}

void holdKey(SDLKey key) {
    SDL_GetKeyState(nullptr)[key] = 1;
}

using PollQuitTest = ScreenTest;

TEST_F(PollQuitTest, EmptyQueueIsNoQuitEvenWithEscapeHeldAndLeavesKeyStateAlone) {
    holdKey(SDLK_ESCAPE);
    EXPECT_FALSE(easel::pollQuit());
    EXPECT_EQ(easel::keyState, nullptr);
}

// Whatever the event, Escape held makes it a quit request; without Escape
// only a window-close request is one.
TEST_F(PollQuitTest, QuitIsEscapeHeldOrAWindowCloseRequest) {
    const struct {
        const char* name;
        SDL_Event event;
    } events[] = {
        {"mouse motion", eventOfType(SDL_MOUSEMOTION)},
        {"escape key-down", keyEvent(SDL_KEYDOWN, SDLK_ESCAPE)},
        {"a key-down", keyEvent(SDL_KEYDOWN, SDLK_a)},
        {"a key-up", keyEvent(SDL_KEYUP, SDLK_q)},
        {"button press", eventOfType(SDL_MOUSEBUTTONDOWN)},
        {"window close", eventOfType(SDL_QUIT)},
    };
    for (const bool escapeHeld : {false, true}) {
        for (const auto& e : events) {
            SCOPED_TRACE(testing::Message() << e.name << (escapeHeld ? ", Escape held" : ""));
            easel_test::releaseAllKeys();
            if (escapeHeld) holdKey(SDLK_ESCAPE);
            easel::keyState = nullptr;
            push(e.event);
            const bool closing = e.event.type == SDL_QUIT;
            EXPECT_EQ(easel::pollQuit(), escapeHeld || closing);
            EXPECT_EQ(easel::keyState, SDL_GetKeyState(nullptr));
            EXPECT_EQ(drainQueue(), 0);
        }
    }
}

TEST_F(PollQuitTest, TakesOneEventPerCall) {
    for (int i = 0; i < 3; ++i) push(eventOfType(SDL_MOUSEMOTION));
    push(eventOfType(SDL_QUIT));
    push(eventOfType(SDL_MOUSEMOTION));
    EXPECT_FALSE(easel::pollQuit());
    EXPECT_FALSE(easel::pollQuit());
    EXPECT_FALSE(easel::pollQuit());
    EXPECT_TRUE(easel::pollQuit());
    EXPECT_EQ(drainQueue(), 1);
}

TEST_F(PollQuitTest, ReadKeysRefreshesKeyStateWithSdlsArray) {
    holdKey(SDLK_z);
    Uint8* keys = easel::readKeys();
    EXPECT_EQ(keys, SDL_GetKeyState(nullptr));
    EXPECT_EQ(easel::keyState, keys);
    EXPECT_NE(keys[SDLK_z], 0);
    EXPECT_EQ(keys[SDLK_y], 0);
}

using MouseTest = ScreenTest;

TEST_F(MouseTest, ReadMouseGivesTheWarpedPosition) {
    const struct { Uint16 x, y; } points[] = {{0, 0}, {499, 499}, {123, 45}, {255, 127}};
    for (const auto& p : points) {
        SDL_WarpMouse(p.x, p.y);
        SDL_PumpEvents();
        int x = -1, y = -1;
        bool left = true, right = true;
        easel::readMouse(&x, &y, &left, &right);
        EXPECT_EQ(x, p.x);
        EXPECT_EQ(y, p.y);
        EXPECT_FALSE(left);
        EXPECT_FALSE(right);
    }
}

// Left is mask bit 1, right is bit 4; the middle button (2) and the wheel
// bits are not reported.
TEST_F(MouseTest, ReadMouseReportsOnlyTheLeftAndRightButtons) {
    for (int mask = 0; mask < 256; ++mask) {
        FakeMouse mouse(17, 29, static_cast<Uint8>(mask));
        int x = -1, y = -1;
        bool left = false, right = false;
        easel::readMouse(&x, &y, &left, &right);
        EXPECT_EQ(x, 17);
        EXPECT_EQ(y, 29);
        EXPECT_EQ(left, (mask & SDL_BUTTON(SDL_BUTTON_LEFT)) != 0) << "mask " << mask;
        EXPECT_EQ(right, (mask & SDL_BUTTON(SDL_BUTTON_RIGHT)) != 0) << "mask " << mask;
    }
}

TEST_F(MouseTest, MouseStatePassesSdlsMaskThrough) {
    for (int mask = 0; mask < 256; mask += 37) {
        FakeMouse mouse(3, 4, static_cast<Uint8>(mask));
        int x = 0, y = 0;
        EXPECT_EQ(easel::mouseState(&x, &y), mask);
        EXPECT_EQ(x, 3);
        EXPECT_EQ(y, 4);
    }
    SDL_WarpMouse(40, 50);
    SDL_PumpEvents();
    int x = 0, y = 0;
    EXPECT_EQ(easel::mouseState(&x, &y), 0);
    EXPECT_EQ(x, 40);
    EXPECT_EQ(y, 50);
}

using WaitForKeyTest = ScreenTest;

// Returns only after a key-down, and only once everything queued behind it
// has been taken too.
TEST_F(WaitForKeyTest, ReturnsAfterAKeyDownWithTheQueueDrained) {
    push(keyEvent(SDL_KEYUP, SDLK_a));
    push(eventOfType(SDL_MOUSEMOTION));
    push(eventOfType(SDL_ACTIVEEVENT));
    push(keyEvent(SDL_KEYDOWN, SDLK_b));
    push(eventOfType(SDL_MOUSEMOTION));
    push(keyEvent(SDL_KEYUP, SDLK_b));
    easel::waitForKey();
    EXPECT_EQ(drainQueue(), 0);
}

TEST_F(WaitForKeyTest, WindowCloseRequestEndsTheProcess) {
    EXPECT_EXIT(
        {
            push(eventOfType(SDL_MOUSEMOTION));
            push(eventOfType(SDL_QUIT));
            easel::waitForKey();
        },
        testing::ExitedWithCode(1), "");
}

// A close request queued behind the key-down is still seen: the queue is
// drained before the call returns.
TEST_F(WaitForKeyTest, CloseRequestBehindTheKeyDownStillEndsTheProcess) {
    EXPECT_EXIT(
        {
            push(keyEvent(SDL_KEYDOWN, SDLK_b));
            push(eventOfType(SDL_QUIT));
            easel::waitForKey();
            std::_Exit(0);
        },
        testing::ExitedWithCode(1), "");
}

TEST_F(WaitForKeyTest, QuitNowEndsTheProcessWithStatusOne) {
    EXPECT_EXIT(easel::quitNow(), testing::ExitedWithCode(1), "");
}

using WaitFrameTest = ScreenTest;

TEST_F(WaitFrameTest, ReadTicksTakesSdlsCountAsUnsigned) {
    const Uint32 counts[] = {0u, 1u, 1000u, 0x7FFFFFFFu, 0x80000000u, 0x80000001u, 0xFFFFFFFFu};
    for (const Uint32 count : counts) {
        FakeClock clock(count);
        EXPECT_EQ(easel::readTicks(), static_cast<double>(count)) << count;
        EXPECT_GE(easel::readTicks(), 0.0);
    }
    const double before = easel::readTicks();
    SDL_Delay(2);
    EXPECT_GT(easel::readTicks(), before);
}

// When the frame has already run its length the call returns at once: it
// neither reads the clock again nor takes an event.
TEST_F(WaitFrameTest, ReturnsAtOnceWhenTheTimeHasPassed) {
    const struct {
        Uint32 now;
        float start, duration;
    } cases[] = {{1000, 900.0f, 100.0f},
                 {1000, 900.0f, 50.0f},
                 {1000, 1000.0f, 0.0f},
                 {1000, 2000.0f, -1500.0f}};
    for (const auto& c : cases) {
        FakeClock clock(c.now);
        push(eventOfType(SDL_QUIT));
        holdKey(SDLK_ESCAPE);
        easel::waitFrame(c.start, c.duration);
        EXPECT_EQ(clock.reads(), 1);
        EXPECT_EQ(drainQueue(), 1);
        easel_test::releaseAllKeys();
    }
}

// Each round reads the clock once, takes at most one event and sleeps; the
// wait ends with the first round whose reading is the duration past start.
TEST_F(WaitFrameTest, PollsOneEventPerRoundUntilTheDurationHasPassed) {
    for (int i = 0; i < 6; ++i) push(eventOfType(SDL_MOUSEMOTION));
    FakeClock clock(1000, 10);  // readings 1000, 1010, 1020, ...
    easel::keyState = nullptr;
    easel::waitFrame(1000.0f, 25.0f);
    // First check at 1000, then rounds reading 1010, 1020 and 1030.
    EXPECT_EQ(clock.reads(), 4);
    EXPECT_EQ(easel::keyState, SDL_GetKeyState(nullptr));
    EXPECT_EQ(drainQueue(), 3);
}

// The double form takes readTicks() as it is and stays exact where a float
// cannot hold the millisecond (above 2^24 ms, about 4.6 hours); the mixed
// forms, which a float literal length gives, go the same way.
TEST_F(WaitFrameTest, DoubleFormsStayExactOnALongRunningClock) {
    const Uint32 late = (1u << 30) + 1;  // floats this large step by 128 ms
    for (int form = 0; form < 3; ++form) {
        FakeClock clock(late, 10);
        const double start = easel::readTicks();
        if (form == 0) easel::waitFrame(start, 25.0);
        if (form == 1) easel::waitFrame(start, 25.0f);
        if (form == 2)
            easel::waitFrame(static_cast<float>(start - late), static_cast<double>(late) + 25.0);
        EXPECT_EQ(clock.reads(), 4) << form;  // readTicks, then 3 rounds
        drainQueue();
    }
}

TEST_F(WaitFrameTest, WindowCloseRequestEndsTheProcess) {
    EXPECT_EXIT(
        {
            push(eventOfType(SDL_MOUSEMOTION));
            push(eventOfType(SDL_QUIT));
            FakeClock clock(0, 1);
            easel::waitFrame(0.0f, 1000.0f);
            std::_Exit(0);
        },
        testing::ExitedWithCode(1), "");
}

TEST_F(WaitFrameTest, EscapeHeldEndsTheProcessEvenWithNoEvent) {
    EXPECT_EXIT(
        {
            holdKey(SDLK_ESCAPE);
            FakeClock clock(0, 1);
            easel::waitFrame(0.0f, 1000.0f);
            std::_Exit(0);
        },
        testing::ExitedWithCode(1), "");
}

}  // namespace
