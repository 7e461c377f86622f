#include "paint/scroll_keys.h"

namespace paint {

namespace {

// True when the key has just gone down, or has been held long enough to
// repeat; *since is the time it last acted (0 when up).
bool acts(const Uint8* keys, SDLKey key, std::uint32_t now, std::uint32_t* since, bool armed) {
    if (keys[key] == 0) {
        *since = 0;
        return false;
    }
    if (!armed) return false;
    if (*since == 0) {
        *since = now == 0 ? 1 : now;
        return true;
    }
    if (now - *since < keyRepeatDelayMilliseconds) return false;
    *since = now - keyRepeatDelayMilliseconds + keyRepeatMilliseconds;
    return true;
}

bool held(const Uint8* keys, SDLKey a, SDLKey b) {
    return keys[a] != 0 || keys[b] != 0;
}

}  // namespace

Scroll readScrollKeys(const Uint8* keys, std::uint32_t now, ScrollLatches* latches) {
    Scroll scroll;
    if (keys == nullptr) return scroll;
    if (!latches->armed) {
        latches->armed = keys[SDLK_LEFT] == 0 && keys[SDLK_RIGHT] == 0 && keys[SDLK_UP] == 0 &&
                         keys[SDLK_DOWN] == 0 && keys[SDLK_HOME] == 0;
        if (!latches->armed) return scroll;
    }
    const bool ctrl = held(keys, SDLK_LCTRL, SDLK_RCTRL);
    const int step = held(keys, SDLK_LSHIFT, SDLK_RSHIFT) ? scrollStepsPerView : 1;
    const bool armed = !ctrl;
    if (acts(keys, SDLK_LEFT, now, &latches->left, armed)) scroll.stepsX -= step;
    if (acts(keys, SDLK_RIGHT, now, &latches->right, armed)) scroll.stepsX += step;
    if (acts(keys, SDLK_UP, now, &latches->up, armed)) scroll.stepsY -= step;
    if (acts(keys, SDLK_DOWN, now, &latches->down, armed)) scroll.stepsY += step;
    scroll.home = acts(keys, SDLK_HOME, now, &latches->home, armed);
    return scroll;
}

Scroll peekWheel() {
    Scroll scroll;
    SDL_PumpEvents();
    SDL_Event event{};
    if (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) != 1) return scroll;
    if (event.type != SDL_MOUSEBUTTONDOWN) return scroll;
    const int way = event.button.button == SDL_BUTTON_WHEELUP     ? -1
                    : event.button.button == SDL_BUTTON_WHEELDOWN ? 1
                                                                  : 0;
    const Uint8* keys = SDL_GetKeyState(nullptr);
    const bool shift = keys != nullptr && held(keys, SDLK_LSHIFT, SDLK_RSHIFT);
    (shift ? scroll.stepsX : scroll.stepsY) = way;
    return scroll;
}

}  // namespace paint
