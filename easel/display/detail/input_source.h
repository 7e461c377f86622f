// The one place where waiting for input depends on the platform: sleeping
// until the window system has something for the program. Under X11 that is
// the display connection becoming readable; where the descriptor cannot be
// had (SDL's dummy driver, other systems) a short sleep stands in for it.
#pragma once

namespace easel::detail {

// Sleeps until the window system may have input for SDL to pump, or for at
// most milliseconds (0 or less returns at once). May return early. False
// when it slept the whole time and nothing arrived, so that there is nothing
// new to pump.
bool sleepUntilInput(int milliseconds);

}  // namespace easel::detail
