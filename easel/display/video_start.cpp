#include "easel/display/detail/video_start.h"

#include <SDL.h>

#include <cstdlib>

namespace easel::detail {

namespace {

// SDL 1.2.15's own order of the video drivers a Unix build may hold, without
// the text-mode ones (aalib, caca) and without dummy, which SDL only starts
// when asked for by name.
constexpr const char* graphicalDrivers[] = {
    "x11",   "dga", "nanox", "qtopia", "wscons",  "fbcon",   "directfb",
    "ps2gs", "ps3", "ggi",   "vgl",    "svgalib", "picogui",
};

// sdl12-compat (SDL 1.2's API over SDL2) reports patch levels from 50 up;
// SDL2 has no text-mode video driver, so its own choice can stand.
constexpr Uint8 firstCompatPatch = 50;

bool choosesTextMode() {
    if (std::getenv("SDL_VIDEODRIVER") != nullptr) return false;  // the user chose
    const SDL_version* linked = SDL_Linked_Version();
    return linked != nullptr && linked->major == 1 && linked->minor == 2 &&
           linked->patch < firstCompatPatch;
}

}  // namespace

int startVideo() {
    if (!choosesTextMode()) return SDL_Init(SDL_INIT_VIDEO);
    // SDL 1.2 reads SDL_VIDEODRIVER at SDL_Init only: naming each graphical
    // driver in turn walks SDL's own list with the text-mode ones left out.
    for (const char* name : graphicalDrivers) {
        setenv("SDL_VIDEODRIVER", name, 1);
        const int started = SDL_Init(SDL_INIT_VIDEO);
        unsetenv("SDL_VIDEODRIVER");
        if (started == 0) return 0;
    }
    SDL_SetError("No available video device");
    return -1;
}

}  // namespace easel::detail
