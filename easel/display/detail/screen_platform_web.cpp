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
#include <cstring>

#include "easel/display/detail/screen_platform.h"
#include "easel/display/detail/sdl_keys.h"

namespace easel::detail {

namespace {

constexpr double yieldInterval = 16.0;  // ms between two turns of the page

// A lock copies the page back into the pixels unless the screen is marked
// read-only: the page never holds anything the program did not draw.
EM_JS(void, keepLocksFromCopyingBack, (), { Module['screenIsReadOnly'] = true; });

// Counts the frames shown and tells how many presents came before, for the
// page and its tests: Module.easelFrames and Module.easelPresents (updates of
// the screen that reached the page, not passes: a pass with nothing new to
// show presents nothing); Module.easelFirstFrameMs is when the first frame
// was shown, in ms since the page's navigation began.
EM_JS(void, countFrame, (double presents), {
    if (!Module['easelFrames']) Module['easelFirstFrameMs'] = performance.now();
    Module['easelFrames'] = (Module['easelFrames'] || 0) + 1;
    Module['easelPresents'] = presents;
});

// Emscripten's key-state array holds a key with a character at that
// character's code, as SDL 1.2 does, and any other key at 1024 + its scan
// code (SDL 2's scan codes). Those are moved to SDL 1.2's symbols.
struct MovedKey {
    int scanCode;
    int symbol;
};
constexpr int scanCodeBase = 1024;
constexpr MovedKey movedKeys[] = {
    {98, SDLK_KP0},  {89, SDLK_KP1},  {90, SDLK_KP2},  {91, SDLK_KP3},  {92, SDLK_KP4},
    {93, SDLK_KP5},  {94, SDLK_KP6},  {95, SDLK_KP7},  {96, SDLK_KP8},  {97, SDLK_KP9},
    {99, SDLK_KP_PERIOD}, {84, SDLK_KP_DIVIDE}, {85, SDLK_KP_MULTIPLY}, {86, SDLK_KP_MINUS},
    {87, SDLK_KP_PLUS}, {88, SDLK_KP_ENTER}, {103, SDLK_KP_EQUALS},
    {82, SDLK_UP}, {81, SDLK_DOWN}, {79, SDLK_RIGHT}, {80, SDLK_LEFT},
    {73, SDLK_INSERT}, {74, SDLK_HOME}, {77, SDLK_END}, {75, SDLK_PAGEUP}, {78, SDLK_PAGEDOWN},
    {58, SDLK_F1}, {59, SDLK_F2}, {60, SDLK_F3}, {61, SDLK_F4}, {62, SDLK_F5}, {63, SDLK_F6},
    {64, SDLK_F7}, {65, SDLK_F8}, {66, SDLK_F9}, {67, SDLK_F10}, {68, SDLK_F11}, {69, SDLK_F12},
    {83, SDLK_NUMLOCK}, {57, SDLK_CAPSLOCK}, {71, SDLK_SCROLLOCK},
    {229, SDLK_RSHIFT}, {225, SDLK_LSHIFT}, {228, SDLK_RCTRL}, {224, SDLK_LCTRL},
    {230, SDLK_RALT}, {226, SDLK_LALT}, {231, SDLK_RMETA}, {227, SDLK_LMETA},
};

// SDL 1.2's key-state array, remade from Emscripten's at every read.
Uint8 keysBySymbol[SDLK_LAST] = {};

// The first event of Emscripten's queue in SDL's form, left in the queue.
EM_JS(int, peekFirstEvent, (SDL_Event* event), {
    if (SDL.events.length === 0) return 0;
    return SDL.makeCEvent(SDL.events[0], event) === false ? 0 : 1;
});

// Counts the turns the program gives the page (Module.easelTurns): a test
// that sent input waits for a few turns to know the program has taken it.
EM_JS(void, countTurn, (), { Module['easelTurns'] = (Module['easelTurns'] || 0) + 1; });

SDL_Surface* shownScreen = nullptr;
bool framePending = false;
double presents = 0;
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
    countFrame(presents);
}

}  // namespace

Uint32 videoModeFlags(bool) { return SDL_SWSURFACE; }

bool mustLock(const SDL_Surface*) { return false; }

Uint8* keyStateArray() {
    const Uint8* byCode = SDL_GetKeyState(nullptr);
    std::memcpy(keysBySymbol, byCode, 256);
    for (const MovedKey& key : movedKeys) keysBySymbol[key.symbol] = byCode[scanCodeBase + key.scanCode];
    return keysBySymbol;
}

bool peekEvent(SDL_Event* event) { return peekFirstEvent(event) != 0; }

// Emscripten's SDL has no event filter: the filter sees events as they are
// taken off the queue.
EventFilter installedFilter = nullptr;

EventFilter currentEventFilter() { return installedFilter; }

void setEventFilter(EventFilter filter) { installedFilter = filter; }

void eventTaken(const SDL_Event* event) {
    if (installedFilter != nullptr) installedFilter(event);
}

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
    ++presents;
    const double now = emscripten_get_now();
    if (now - lastYield < yieldInterval) return;
    showFrame();
    countTurn();
    emscripten_sleep(0);
    lastYield = emscripten_get_now();
}

void presentRows(SDL_Surface* screen, int, int) { presentScreen(screen); }

void showPendingFrame() {
    countTurn();
    if (framePending) showFrame();
}

}  // namespace easel::detail
