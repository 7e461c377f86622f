#include "support/fuzz_screen.h"

#include <cstdlib>

#include "easel/display/screen.h"

namespace easel_fuzz {

void ensureScreen() {
    if (easel::Screen.surface != nullptr) return;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    easel::initScreen(500, 500, false, "fuzz");
}

}  // namespace easel_fuzz
