// What the library notes about events as SDL queues them, before anyone
// takes them off the queue: mouse-button presses (for readMousePresses) and
// requests to redraw the window (for updateScreenIfChanged). The notes are
// made by an SDL event filter that keeps every event in the queue and hands
// it on to a filter the program had set before.
#pragma once

#include <SDL.h>

namespace easel::detail {

// Installs the filter once per process (again if someone replaced it).
void watchEvents();

// Notes one event as the filter would; true, since every event is kept.
int noteEvent(const SDL_Event* event);

// Takes the presses noted since the last call, as an SDL button mask
// (SDL_BUTTON(n) for button n).
Uint8 takePresses();

// Takes whether the window was asked to redraw since the last call.
bool takeExposed();

}  // namespace easel::detail
