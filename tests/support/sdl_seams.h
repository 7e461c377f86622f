// Link-time seams over SDL calls whose results a test cannot otherwise
// choose: SDL_GetTicks (the clock), SDL_GetMouseState (the buttons, which no
// public SDL call can press on the dummy driver), SDL_Init and
// SDL_SetVideoMode (which on the dummy driver always succeed), and
// SDL_LockSurface and SDL_UnlockSurface (whose bookkeeping differs between
// SDL 1.2.15 and sdl12-compat), and SDL_UpdateRect (a modal field's one call
// a pass, where a test can step the keys). The test binary defines these
// functions itself; while no override is active they pass straight through to
// SDL's own.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>

namespace easel_test {

// While alive, SDL_GetTicks returns start, start + step, start + 2 * step, ...
// (unsigned 32-bit arithmetic, so the count can run past 2^31 and wrap).
class FakeClock {
  public:
    explicit FakeClock(Uint32 start, Uint32 step = 0);
    ~FakeClock();
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    // How many times SDL_GetTicks has been called since this clock started.
    int reads() const;
};

// While alive, SDL_GetMouseState reports this position and button mask.
class FakeMouse {
  public:
    FakeMouse(int x, int y, Uint8 buttons);
    ~FakeMouse();
    FakeMouse(const FakeMouse&) = delete;
    FakeMouse& operator=(const FakeMouse&) = delete;
};

// While alive, SDL_SetVideoMode returns this surface (which may be null, with
// SDL's error set to `error`) instead of opening a video mode.
class FakeVideoMode {
  public:
    explicit FakeVideoMode(SDL_Surface* surface, const char* error = "");
    ~FakeVideoMode();
    FakeVideoMode(const FakeVideoMode&) = delete;
    FakeVideoMode& operator=(const FakeVideoMode&) = delete;
};

// While alive, SDL_Init fails with SDL's error set to `error`.
class FakeInitFailure {
  public:
    explicit FakeInitFailure(const char* error);
    ~FakeInitFailure();
    FakeInitFailure(const FakeInitFailure&) = delete;
    FakeInitFailure& operator=(const FakeInitFailure&) = delete;
};

// While alive, SDL_LockSurface and SDL_UnlockSurface on `surface` are counted
// and not passed on to SDL (which would act on whatever flags a test gave the
// surface); calls on other surfaces reach SDL as usual.
class LockCounter {
  public:
    explicit LockCounter(SDL_Surface* surface);
    ~LockCounter();
    LockCounter(const LockCounter&) = delete;
    LockCounter& operator=(const LockCounter&) = delete;

    int locks() const;
    int unlocks() const;
};

// While alive, every SDL_UpdateRect call runs `hook` after SDL's own. The
// entry fields present the screen once a pass, so a test can change the
// keys held between the passes of a modal call.
class OnScreenUpdate {
  public:
    explicit OnScreenUpdate(std::function<void()> hook);
    ~OnScreenUpdate();
    OnScreenUpdate(const OnScreenUpdate&) = delete;
    OnScreenUpdate& operator=(const OnScreenUpdate&) = delete;
};

// The rectangle of the last SDL_UpdateRect call (all zeros: the whole screen).
SDL_Rect lastScreenUpdate();

}  // namespace easel_test
