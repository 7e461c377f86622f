// Internal: the connection to the display server, watched so that losing it
// (the X server ends or is killed) makes the program take its normal quit
// path instead of dying inside a library call or waiting on it for ever.
#pragma once

namespace easel::detail {

// Starts watching the display SDL opened (after SDL_SetVideoMode): its
// connection's end is looked for, and a failure inside Xlib marks the
// display dead and lets the failing call return instead of exiting. Nothing
// is watched for drivers without a display server (SDL's dummy driver).
void watchDisplay();

// Whether the display server has gone away. Once true it stays true: the
// screen is no longer updated, pollQuit reports a quit, and SDL is not shut
// down at exit (that would wait on the dead connection).
bool displayLost();

// SDL_Quit, unless the display has gone away.
void quitSdl();

}  // namespace easel::detail
