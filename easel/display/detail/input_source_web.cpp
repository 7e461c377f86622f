// Waiting for input in the browser: the page delivers input only while the
// program gives it its turn, so the wait is a sleep (emscripten_sleep under
// ASYNCIFY) of at most one frame of the page at a time, after showing what
// was presented.
#include <SDL.h>

#include "easel/display/detail/input_source.h"
#include "easel/display/detail/screen_platform.h"

namespace easel::detail {

namespace {

constexpr int longestSleep = 16;  // ms: a frame of the page

}  // namespace

bool sleepUntilInput(int milliseconds) {
    if (milliseconds <= 0) return true;
    showPendingFrame();
    SDL_Delay(static_cast<Uint32>(milliseconds < longestSleep ? milliseconds : longestSleep));
    return true;
}

}  // namespace easel::detail
