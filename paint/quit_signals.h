// Hang-up, interrupt and termination signals (SIGHUP, SIGINT, SIGTERM) end
// the paint program the way Escape does, so that unsaved work is kept: the
// handler only raises a flag, which the main loop reads once a pass.
// Installed before the window opens, so that SDL keeps them and does not
// install its own.
#pragma once

namespace paint {

// Installs the handlers.
void catchQuitSignals();

// Whether one of the signals has arrived.
bool quitSignalled();

}  // namespace paint
