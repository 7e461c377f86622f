// The screen in the browser, on Emscripten's SDL 1.2. The surface's pixels
// live in the program's memory and reach the page's canvas only when the
// surface is unlocked, so the screen stays locked for the whole run and a
// frame is shown by an unlock and a new lock. A lock must not copy the page
// back over the pixels (Module.screenIsReadOnly), SDL_FillRect paints the
// page rather than the memory, and the format's shifts and losses are left
// unset by SDL; each is done here instead.
//
// A program's loop runs without end, as on the desktop; under ASYNCIFY the
// present yields to the browser (emscripten_sleep) at most every 16 ms, a
// frame of the page, so that input arrives and the canvas is painted while
// the loop keeps its native pace between yields.
#include <emscripten.h>

#include <cstddef>
#include <cstdint>

#include "easel/display/detail/screen_platform.h"

// Emscripten's SDL provides SDL 1.2's key-state call but its headers, which
// are SDL 2's, do not declare it.
extern "C" Uint8* SDL_GetKeyState(int* count);

namespace easel::detail {

namespace {

constexpr double yieldInterval = 16.0;  // ms between two turns of the page

// A lock copies the page back into the pixels unless the screen is marked
// read-only: the page never holds anything the program did not draw.
EM_JS(void, keepLocksFromCopyingBack, (), { Module['screenIsReadOnly'] = true; });

// Counts the frames shown, for the page and its tests (Module.easelFrames).
EM_JS(void, countFrame, (), { Module['easelFrames'] = (Module['easelFrames'] || 0) + 1; });

SDL_Surface* shownScreen = nullptr;
bool framePending = false;
double lastYield = -yieldInterval;

Uint8 lowestBit(Uint32 mask) {
    Uint8 shift = 0;
    while (mask != 0 && (mask & 1u) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

Uint8 missingBits(Uint32 mask) {
    Uint8 bits = 0;
    for (; mask != 0; mask &= mask - 1) ++bits;
    return bits >= 8 ? 0 : static_cast<Uint8>(8 - bits);
}

void fillShiftsAndLosses(SDL_PixelFormat* f) {
    f->Rshift = lowestBit(f->Rmask);
    f->Gshift = lowestBit(f->Gmask);
    f->Bshift = lowestBit(f->Bmask);
    f->Ashift = lowestBit(f->Amask);
    f->Rloss = missingBits(f->Rmask);
    f->Gloss = missingBits(f->Gmask);
    f->Bloss = missingBits(f->Bmask);
    f->Aloss = missingBits(f->Amask);
}

// Copies the pixels to the canvas.
void showFrame() {
    if (shownScreen == nullptr) return;
    SDL_UnlockSurface(shownScreen);
    SDL_LockSurface(shownScreen);
    framePending = false;
    countFrame();
}

}  // namespace

Uint32 videoModeFlags(bool) { return SDL_SWSURFACE; }

bool mustLock(const SDL_Surface*) { return false; }

Uint8* keyStateArray() { return SDL_GetKeyState(nullptr); }

void prepareScreen(SDL_Surface* screen) {
    keepLocksFromCopyingBack();
    fillShiftsAndLosses(screen->format);
    SDL_LockSurface(screen);
    shownScreen = screen;
}

void fillScreen(SDL_Surface* screen, const SDL_Rect* rect, Uint32 value) {
    const SDL_Rect whole{0, 0, static_cast<Uint16>(screen->w), static_cast<Uint16>(screen->h)};
    const SDL_Rect& r = rect != nullptr ? *rect : whole;
    for (int y = r.y; y < r.y + r.h; ++y) {
        std::uint32_t* row = static_cast<std::uint32_t*>(screen->pixels) +
                             static_cast<std::ptrdiff_t>(y) * (screen->pitch / 4);
        for (int x = r.x; x < r.x + r.w; ++x) row[x] = value;
    }
}

void presentScreen(SDL_Surface*) {
    framePending = true;
    const double now = emscripten_get_now();
    if (now - lastYield < yieldInterval) return;
    showFrame();
    emscripten_sleep(0);
    lastYield = emscripten_get_now();
}

void showPendingFrame() {
    if (framePending) showFrame();
}

}  // namespace easel::detail
