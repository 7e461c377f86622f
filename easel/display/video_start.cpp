#include "easel/display/detail/video_start.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

namespace easel::detail {

namespace {

// SDL 1.2.15's own order of the video drivers a Unix build may hold, without
// the text-mode ones (aalib, caca) and without dummy, which SDL only starts
// when asked for by name.
constexpr const char* graphicalDrivers[] = {
    "x11",   "dga", "nanox", "qtopia", "wscons",  "fbcon",   "directfb",
    "ps2gs", "ps3", "ggi",   "vgl",    "svgalib", "picogui",
};

// sdl12-compat (SDL 1.2's API over SDL2) reports patch levels from 50 up.
constexpr Uint8 firstCompatPatch = 50;

bool classicSdl12() {
    const SDL_version* linked = SDL_Linked_Version();
    return linked != nullptr && linked->major == 1 && linked->minor == 2 &&
           linked->patch < firstCompatPatch;
}

// SDL2, under sdl12-compat, has no text-mode driver, but with no display it
// falls back on "offscreen": a window nobody sees. It draws nothing to the
// terminal, so it is refused after it started.
int startCompatVideo() {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) return -1;
    char name[32] = {};
    if (SDL_VideoDriverName(name, sizeof name) != nullptr && std::strcmp(name, "offscreen") == 0) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_SetError("No available video device");
        return -1;
    }
    return 0;
}

}  // namespace

int startVideo() {
    if (std::getenv("SDL_VIDEODRIVER") != nullptr) return SDL_Init(SDL_INIT_VIDEO);  // asked for
    if (!classicSdl12()) return startCompatVideo();
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
