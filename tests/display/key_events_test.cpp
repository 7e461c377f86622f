// Key presses as events, fed by pushed key events on SDL's dummy driver:
// presses shorter than a frame (down and up before the loop looks) are each
// seen once, in order, with their characters.
#include "easel/display/key_events.h"

#include <gtest/gtest.h>

#include "easel/display/input.h"
#include "easel/display/screen.h"
#include "support/screen_fixture.h"

namespace {

SDL_Event keyEvent(Uint8 type, SDLKey key, Uint16 character = 0, SDLMod mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = type;
    e.key.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = key;
    e.key.keysym.mod = mod;
    e.key.keysym.unicode = character;
    return e;
}

// A press and its release, both queued before anything looks: shorter than
// any frame.
void tap(SDLKey key, Uint16 character = 0, SDLMod mod = KMOD_NONE) {
    SDL_Event down = keyEvent(SDL_KEYDOWN, key, character, mod);
    SDL_Event up = keyEvent(SDL_KEYUP, key, 0, mod);
    ASSERT_EQ(SDL_PushEvent(&down), 0);
    ASSERT_EQ(SDL_PushEvent(&up), 0);
}

class KeyEventsTest : public easel_test::ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        // Forget what earlier tests in this process left.
        easel::updateScreen();
        easel::keyWentDown(SDLK_a);
        easel::updateScreen();
        easel::readKeyPresses();
    }

    // One frame of a loop that takes every queued event with pollQuit.
    static void takeEvents() {
        SDL_Event next{};
        while (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0) easel::pollQuit();
    }
};

TEST_F(KeyEventsTest, APressShorterThanAFrameIsSeenInExactlyOneFrame) {
    tap(SDLK_s, 's');
    takeEvents();
    EXPECT_EQ(easel::keyState[SDLK_s], 0) << "the key-state array never saw it held";
    EXPECT_TRUE(easel::keyWentDown(SDLK_s));
    EXPECT_TRUE(easel::keyWentDown(SDLK_s)) << "the same answer all frame";
    EXPECT_FALSE(easel::keyWentDown(SDLK_d));
    easel::updateScreen();
    EXPECT_FALSE(easel::keyWentDown(SDLK_s)) << "reported in one frame only";

    // Ten quick presses over ten frames: each seen once.
    easel::updateScreen();
    int seen = 0;
    for (int frame = 0; frame < 10; ++frame) {
        tap(SDLK_s, 's');
        takeEvents();
        seen += easel::keyWentDown(SDLK_s) ? 1 : 0;
        easel::updateScreen();
    }
    EXPECT_EQ(seen, 10);
}

TEST_F(KeyEventsTest, PressesTakenAfterTheFirstQuestionGoToTheNextFrame) {
    EXPECT_FALSE(easel::keyWentDown(SDLK_x));
    tap(SDLK_x, 'x');
    takeEvents();  // a wait at the end of the frame took it
    EXPECT_FALSE(easel::keyWentDown(SDLK_x));
    easel::updateScreen();
    EXPECT_TRUE(easel::keyWentDown(SDLK_x));
}

TEST_F(KeyEventsTest, ReadKeyPressesGivesEveryPressInOrderWithItsCharacter) {
    tap(SDLK_h, 'H', KMOD_LSHIFT);
    tap(SDLK_i, 'i');
    tap(SDLK_LEFT);
    tap(SDLK_i, 'i');
    takeEvents();
    const std::vector<easel::KeyPress> presses = easel::readKeyPresses();
    ASSERT_EQ(presses.size(), 4u);
    EXPECT_EQ(presses[0].key, SDLK_h);
    EXPECT_EQ(presses[0].character, static_cast<std::uint32_t>('H'));
    EXPECT_TRUE((presses[0].modifiers & KMOD_SHIFT) != 0);
    EXPECT_EQ(presses[1].character, static_cast<std::uint32_t>('i'));
    EXPECT_EQ(presses[2].key, SDLK_LEFT);
    EXPECT_EQ(presses[2].character, 0u);
    EXPECT_EQ(presses[3].key, SDLK_i);
    EXPECT_TRUE(easel::readKeyPresses().empty()) << "each press is read once";
}

TEST_F(KeyEventsTest, WaitFrameFeedsPressesAndTheLatestAreKept) {
    tap(SDLK_q, 'q');
    easel::waitFrame(easel::readTicks(), 30.0);  // takes an event a round
    EXPECT_TRUE(easel::keyWentDown(SDLK_q));

    for (int i = 0; i < 300; ++i) {
        SDL_Event down = keyEvent(SDL_KEYDOWN, SDLK_a, static_cast<Uint16>('a' + i % 26));
        easel::updateScreen();
        ASSERT_EQ(SDL_PushEvent(&down), 0);
        takeEvents();
    }
    const std::vector<easel::KeyPress> presses = easel::readKeyPresses();
    ASSERT_EQ(presses.size(), 256u);
    EXPECT_EQ(presses.back().character, static_cast<std::uint32_t>('a' + 299 % 26));
    EXPECT_EQ(presses.front().character, static_cast<std::uint32_t>('a' + 44 % 26));
}

}  // namespace
