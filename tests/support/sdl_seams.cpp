#include "support/sdl_seams.h"

#include <dlfcn.h>

#include <utility>

namespace {

struct ClockOverride {
    bool active = false;
    Uint32 next = 0;
    Uint32 step = 0;
    int reads = 0;
};

struct MouseOverride {
    bool active = false;
    int x = 0;
    int y = 0;
    Uint8 buttons = 0;
};

struct VideoModeOverride {
    bool active = false;
    SDL_Surface* surface = nullptr;
    const char* error = "";
};

struct InitOverride {
    bool active = false;
    const char* error = "";
};

struct LockOverride {
    SDL_Surface* surface = nullptr;  // null: no override
    int locks = 0;
    int unlocks = 0;
};

ClockOverride clockOverride;
std::function<void()> screenUpdateHook;
SDL_Rect lastUpdate{};
MouseOverride mouseOverride;
VideoModeOverride videoModeOverride;
InitOverride initOverride;
LockOverride lockOverride;

// SDL's own definition of a function that this binary overrides.
template <typename Fn>
Fn realSdl(const char* name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" Uint32 SDL_GetTicks(void) {
    if (!clockOverride.active) {
        static const auto real = realSdl<Uint32 (*)(void)>("SDL_GetTicks");
        return real();
    }
    ++clockOverride.reads;
    const Uint32 now = clockOverride.next;
    clockOverride.next += clockOverride.step;
    return now;
}

extern "C" Uint8 SDL_GetMouseState(int* x, int* y) {
    if (!mouseOverride.active) {
        static const auto real = realSdl<Uint8 (*)(int*, int*)>("SDL_GetMouseState");
        return real(x, y);
    }
    if (x != nullptr) *x = mouseOverride.x;
    if (y != nullptr) *y = mouseOverride.y;
    return mouseOverride.buttons;
}

extern "C" SDL_Surface* SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags) {
    if (!videoModeOverride.active) {
        static const auto real =
            realSdl<SDL_Surface* (*)(int, int, int, Uint32)>("SDL_SetVideoMode");
        return real(width, height, bpp, flags);
    }
    if (videoModeOverride.surface == nullptr) SDL_SetError("%s", videoModeOverride.error);
    return videoModeOverride.surface;
}

extern "C" int SDL_Init(Uint32 flags) {
    if (!initOverride.active) {
        static const auto real = realSdl<int (*)(Uint32)>("SDL_Init");
        return real(flags);
    }
    SDL_SetError("%s", initOverride.error);
    return -1;
}

extern "C" int SDL_LockSurface(SDL_Surface* surface) {
    if (surface == nullptr || surface != lockOverride.surface) {
        static const auto real = realSdl<int (*)(SDL_Surface*)>("SDL_LockSurface");
        return real(surface);
    }
    ++lockOverride.locks;
    return 0;
}

extern "C" void SDL_UnlockSurface(SDL_Surface* surface) {
    if (surface == nullptr || surface != lockOverride.surface) {
        static const auto real = realSdl<void (*)(SDL_Surface*)>("SDL_UnlockSurface");
        real(surface);
        return;
    }
    ++lockOverride.unlocks;
}

extern "C" void SDL_UpdateRect(SDL_Surface* screen, Sint32 x, Sint32 y, Uint32 w, Uint32 h) {
    static const auto real =
        realSdl<void (*)(SDL_Surface*, Sint32, Sint32, Uint32, Uint32)>("SDL_UpdateRect");
    real(screen, x, y, w, h);
    lastUpdate = SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
                          static_cast<Uint16>(h)};
    if (screenUpdateHook) screenUpdateHook();
}

namespace easel_test {

FakeClock::FakeClock(Uint32 start, Uint32 step) {
    clockOverride = {true, start, step, 0};
}

FakeClock::~FakeClock() {
    clockOverride = {};
}

int FakeClock::reads() const {
    return clockOverride.reads;
}

FakeMouse::FakeMouse(int x, int y, Uint8 buttons) {
    mouseOverride = {true, x, y, buttons};
}

FakeMouse::~FakeMouse() {
    mouseOverride = {};
}

OnScreenUpdate::OnScreenUpdate(std::function<void()> hook) {
    screenUpdateHook = std::move(hook);
}

OnScreenUpdate::~OnScreenUpdate() {
    screenUpdateHook = nullptr;
}

SDL_Rect lastScreenUpdate() {
    return lastUpdate;
}

FakeVideoMode::FakeVideoMode(SDL_Surface* surface, const char* error) {
    videoModeOverride = {true, surface, error};
}

FakeVideoMode::~FakeVideoMode() {
    videoModeOverride = {};
}

FakeInitFailure::FakeInitFailure(const char* error) {
    initOverride = {true, error};
}

FakeInitFailure::~FakeInitFailure() {
    initOverride = {};
}

LockCounter::LockCounter(SDL_Surface* surface) {
    lockOverride = {surface, 0, 0};
}

LockCounter::~LockCounter() {
    lockOverride = {};
}

int LockCounter::locks() const {
    return lockOverride.locks;
}

int LockCounter::unlocks() const {
    return lockOverride.unlocks;
}

}  // namespace easel_test
