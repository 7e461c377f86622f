#include <SDL.h>

#include "easel/display/detail/input_source.h"
#include "easel/display/detail/screen_platform.h"
#include "easel/display/input.h"

namespace easel {

namespace {

bool eventQueued() {
    SDL_Event peeked{};
    return detail::peekEvent(&peeked);
}

}  // namespace

bool waitForEvent(int milliseconds) {
    const Uint32 start = SDL_GetTicks();
    for (;;) {
        SDL_PumpEvents();
        if (eventQueued()) return true;
        // Unsigned difference: right across the clock's wrap as well.
        const Uint32 passed = SDL_GetTicks() - start;
        if (milliseconds <= 0 || passed >= static_cast<Uint32>(milliseconds)) return false;
        // A whole rest with the connection silent leaves nothing to pump; an
        // event queued meanwhile by other means (a signal) is still seen.
        if (!detail::sleepUntilInput(milliseconds - static_cast<int>(passed))) {
            return eventQueued();
        }
    }
}

}  // namespace easel
