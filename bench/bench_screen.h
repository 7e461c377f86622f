// The benchmarks' screen: one 500 x 500 window on SDL's dummy driver (unless
// the caller chose a driver), made by the first benchmark that needs it and
// kept for the rest of the run.
#pragma once

#include <cstdlib>

#include "easel/display/screen.h"

namespace bench {

inline void ensureScreen() {
    if (easel::Screen.surface == nullptr) {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        easel::initScreen(500, 500, false, "bench");
    }
}

}  // namespace bench
