// The screen on the desktop: SDL 1.2's own surface, fill and present.
#include "easel/display/detail/screen_platform.h"

namespace easel::detail {

Uint32 videoModeFlags(bool fullScreen) {
    return fullScreen ? SDL_FULLSCREEN : (SDL_HWSURFACE | SDL_HWPALETTE);
}

bool mustLock(const SDL_Surface* surface) { return SDL_MUSTLOCK(surface) != 0; }

Uint8* keyStateArray() { return SDL_GetKeyState(nullptr); }

bool peekEvent(SDL_Event* event) {
    return SDL_PeepEvents(event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) == 1;
}

EventFilter currentEventFilter() { return SDL_GetEventFilter(); }

void setEventFilter(EventFilter filter) { SDL_SetEventFilter(filter); }

void eventTaken(const SDL_Event*) {}

void prepareScreen(SDL_Surface*) {}

void fillScreen(SDL_Surface* screen, const SDL_Rect* rect, Uint32 value) {
    SDL_FillRect(screen, const_cast<SDL_Rect*>(rect), value);
}

void presentScreen(SDL_Surface* screen) { SDL_UpdateRect(screen, 0, 0, 0, 0); }

void presentRows(SDL_Surface* screen, int top, int count) {
    SDL_UpdateRect(screen, 0, static_cast<Sint32>(top), static_cast<Uint32>(screen->w),
                   static_cast<Uint32>(count));
}

void showPendingFrame() {}

}  // namespace easel::detail
