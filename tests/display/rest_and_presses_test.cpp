// The calls that let a loop rest and still miss no click: readMousePresses,
// waitForEvent and updateScreenIfChanged.
#include <SDL.h>
#include <gtest/gtest.h>

#include "easel/display/detail/event_watch.h"
#include "easel/display/input.h"
#include "easel/display/screen.h"
#include "support/screen_fixture.h"
#include "support/sdl_seams.h"

namespace {

using easel_test::ScreenTest;

SDL_Event buttonDown(Uint8 button) {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = button;
    e.button.state = SDL_PRESSED;
    return e;
}

// SDL calls the filter as it queues an event; SDL_PushEvent does not, so
// the tests call the installed filter as SDL would.
int queueThroughFilter(SDL_Event e) {
    const SDL_EventFilter filter = SDL_GetEventFilter();
    return filter == nullptr ? -1 : filter(&e);
}

struct Presses {
    bool left = true;
    bool right = true;
};

Presses readPresses() {
    Presses p;
    easel::readMousePresses(&p.left, &p.right);
    return p;
}

using MousePressTest = ScreenTest;

TEST_F(MousePressTest, APressIsReportedOnceEvenWhenTheButtonIsUpAgain) {
    readPresses();  // whatever came before
    EXPECT_EQ(queueThroughFilter(buttonDown(SDL_BUTTON_LEFT)), 1) << "the event is kept";
    Presses p = readPresses();
    EXPECT_TRUE(p.left);
    EXPECT_FALSE(p.right);
    p = readPresses();
    EXPECT_FALSE(p.left) << "reported a second time";

    // Right alone; the middle button and the wheel are not reported.
    for (const int button : {SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE, SDL_BUTTON_WHEELUP}) {
        queueThroughFilter(buttonDown(static_cast<Uint8>(button)));
    }
    p = readPresses();
    EXPECT_FALSE(p.left);
    EXPECT_TRUE(p.right);
    EXPECT_FALSE(readPresses().right);
    easel::readMousePresses(nullptr, nullptr);  // null pointers are skipped
}

int handedOnCalls = 0;
int refuseEverything(const SDL_Event*) {
    ++handedOnCalls;
    return 0;
}

TEST_F(MousePressTest, AFilterOfTheProgramStillDecidesWhatIsKept) {
    SDL_SetEventFilter(refuseEverything);  // replaces the watch
    readPresses();                         // puts it back in front
    handedOnCalls = 0;
    EXPECT_EQ(queueThroughFilter(buttonDown(SDL_BUTTON_LEFT)), 0);
    EXPECT_EQ(handedOnCalls, 1);
    EXPECT_TRUE(readPresses().left);
    // Back to the watch alone, as initScreen left it.
    SDL_SetEventFilter(nullptr);
    easel::detail::watchEvents();
}

using WaitForEventTest = ScreenTest;

TEST_F(WaitForEventTest, ReturnsAtOnceWhenAnEventIsQueuedAndLeavesItThere) {
    SDL_Event e{};
    e.type = SDL_USEREVENT;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
    EXPECT_TRUE(easel::waitForEvent(1000));
    SDL_Event taken{};
    EXPECT_EQ(SDL_PollEvent(&taken), 1);
    EXPECT_EQ(taken.type, SDL_USEREVENT);
}

TEST_F(WaitForEventTest, WithoutEventsWaitsTheWholeTime) {
    const Uint32 start = SDL_GetTicks();
    EXPECT_FALSE(easel::waitForEvent(20));
    EXPECT_GE(SDL_GetTicks() - start, 20u);
    EXPECT_FALSE(easel::waitForEvent(0));
}

class PresentTest : public ScreenTest {
  protected:
    int presents = 0;
    easel_test::OnScreenUpdate counter{[this] { ++presents; }};
};

TEST_F(PresentTest, PresentsOnlyWhatChangedAndAfterARedrawRequest) {
    easel::updateScreenIfChanged();  // the screen as the fixture left it
    presents = 0;
    EXPECT_FALSE(easel::updateScreenIfChanged());
    easel::putPixel(10, 400, 1, 2, 3);
    EXPECT_TRUE(easel::updateScreenIfChanged());
    EXPECT_FALSE(easel::updateScreenIfChanged());
    easel::putPixel(10, 400, 1, 2, 3);  // the same colour again: nothing new
    EXPECT_FALSE(easel::updateScreenIfChanged());
    EXPECT_EQ(presents, 1);

    SDL_Event expose{};
    expose.type = SDL_VIDEOEXPOSE;
    queueThroughFilter(expose);
    EXPECT_TRUE(easel::updateScreenIfChanged());
    EXPECT_EQ(presents, 2);
}

}  // namespace
