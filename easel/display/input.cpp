#include "easel/display/input.h"

#include <cmath>
#include <cstdlib>

#include "easel/display/detail/display_link.h"
#include "easel/display/detail/key_record.h"
#include "easel/display/detail/screen_ready.h"
#include "easel/display/detail/screen_platform.h"

namespace easel {

Uint8* keyState = nullptr;

namespace {

constexpr Uint8 leftButton = 1;
constexpr Uint8 rightButton = 4;
constexpr Uint32 pollInterval = 5;

bool escapeHeld() {
    return keyState != nullptr && keyState[SDLK_ESCAPE] != 0;
}

// One polling round's sleep: 5 ms, or less when the wait ends sooner. The
// clock counts whole milliseconds, so the time left is rounded up to the
// first tick at which the wait is over, and never beyond it.
template <typename Time>
Uint32 roundDelay(Time left) {
    if (!(left < static_cast<Time>(pollInterval))) return pollInterval;
    return static_cast<Uint32>(std::ceil(left));
}

// The frame wait in the precision of Time: float as specified, or double,
// which keeps a start from readTicks exact however long the program runs.
template <typename Time>
void waitUntil(Time start, Time duration) {
    Time now = static_cast<Time>(SDL_GetTicks());
    while (duration > now - start) {
        SDL_Event event{};
        if (SDL_PollEvent(&event) != 0) {
            detail::eventTaken(&event);
            detail::recordEvent(event);
            if (event.type == SDL_QUIT) quitNow();
        }
        keyState = detail::keyStateArray();
        if (escapeHeld()) quitNow();
        detail::showPendingFrame();
        SDL_Delay(roundDelay(duration - (now - start)));
        // Decided with the clock as it reads after the delay: the time read
        // before it would keep the loop going for one round too many.
        now = static_cast<Time>(SDL_GetTicks());
    }
}

}  // namespace

bool pollQuit() {
    // A display that went away is a quit, so the program ends as on Escape.
    if (detail::displayLost()) return true;
    SDL_Event event{};
    if (SDL_PollEvent(&event) == 0) return false;
    detail::eventTaken(&event);
    detail::recordEvent(event);
    keyState = detail::keyStateArray();
    return escapeHeld() || event.type == SDL_QUIT;
}

void readMouse(int* x, int* y, bool* left, bool* right) {
    const Uint8 buttons = SDL_GetMouseState(x, y);
    *left = (buttons & leftButton) != 0;
    *right = (buttons & rightButton) != 0;
}

std::uint8_t mouseState(int* x, int* y) {
    return SDL_GetMouseState(x, y);
}

Uint8* readKeys() {
    keyState = detail::keyStateArray();
    return keyState;
}

void waitForKey() {
    bool keyPressed = false;
    for (;;) {
        if (detail::displayLost()) quitNow();
        SDL_Event event{};
        while (SDL_PollEvent(&event) != 0) {
            detail::eventTaken(&event);
            detail::recordEvent(event);
            if (event.type == SDL_QUIT) quitNow();
            if (event.type == SDL_KEYDOWN) keyPressed = true;
        }
        detail::showPendingFrame();
        SDL_Delay(pollInterval);
        if (keyPressed) return;
    }
}

void quitNow() {
    detail::quitSdl();
    std::exit(1);
}

double readTicks() {
    // Before SDL_Init, SDL 1.2's clock has no start and counts from an
    // arbitrary point.
    if (!detail::screenReady("readTicks")) return 0.0;
    return static_cast<double>(SDL_GetTicks());
}

void waitFrame(float start, float duration) {
    waitUntil(start, duration);
}

void waitFrame(double start, double duration) {
    waitUntil(start, duration);
}

void waitFrame(double start, float duration) {
    waitUntil(start, static_cast<double>(duration));
}

void waitFrame(float start, double duration) {
    waitUntil(static_cast<double>(start), duration);
}

}  // namespace easel
