/// @file
/// Input and timing: SDL's event queue, the keyboard state, the mouse and the
/// millisecond clock.
///
/// All of these need initScreen to have started SDL. The paint program takes
/// one event per pass with pollQuit and reads the mouse with readMouse; the
/// rest are for programs built on the library. Escape and a window-close
/// request are the only quit signals; the blocking waits end the process with
/// status 1 when they see one.
#pragma once

#include <SDL.h>

#include "easel/display/detail/sdl_keys.h"

#include <cstdint>

namespace easel {

/// SDL's key-state array (one byte per key symbol, non-zero while held), as
/// last refreshed by pollQuit, readKeys, waitFrame or the keyboard text entry.
/// Null until first refreshed. The array belongs to SDL.
extern Uint8* keyState;

/// Takes at most one event. False at once when none is pending (keyState is
/// then not refreshed); otherwise refreshes keyState and is true when Escape
/// is held or the event was a window-close request. True at once, taking no
/// event, once the display has gone away (the X server ended).
bool pollQuit();

/// Writes the pointer position (within the window) and whether the left and
/// right buttons are held. The middle button is not reported.
void readMouse(int* x, int* y, bool* left, bool* right);

/// Writes whether the left and right buttons went down since the last call,
/// even if they are up again: each press is reported once, so a quick click
/// whose press and release arrive together is not lost. Presses count from
/// initScreen on, as SDL queues them (whenever input is pumped). They are
/// seen by an SDL event filter that keeps every event and hands it on to the
/// filter set before initScreen; a filter set later stops the watch until
/// the next call puts it back (SDL 1.2 then drops the events queued at that
/// moment). Null pointers are skipped.
void readMousePresses(bool* left, bool* right);

/// Waits until an event is queued or milliseconds have passed, whichever
/// comes first, sleeping meanwhile; returns at once when one is queued
/// already. Takes no event off the queue. True when one is queued.
bool waitForEvent(int milliseconds);

/// SDL_GetMouseState passed through: writes the position, returns the mask.
std::uint8_t mouseState(int* x, int* y);

/// Refreshes keyState and returns it.
Uint8* readKeys();

/// Blocks until a key-down event has been seen and the queue then drained,
/// polling every 5 ms. A window-close request ends the process with status 1.
void waitForKey();

/// Shuts SDL down and ends the process with status 1.
[[noreturn]] void quitNow();

/// Milliseconds since SDL started, converted exactly from SDL's unsigned count.
/// 0 before initScreen, whose absence it reports once like the drawing calls.
double readTicks();

/// Waits until duration ms have passed since start (a readTicks time),
/// polling input every 5 ms; returns at once if they already have. Each
/// round sleeps 5 ms or the time left, whichever is shorter, and the clock is
/// read after the sleep, so a frame ends on the first millisecond tick past
/// its length. A window-close request or Escape held ends the process with
/// status 1.
void waitFrame(float start, float duration);

/// waitFrame in double precision: takes readTicks() as it is, with no cast,
/// and stays exact however long the program has run (a float start loses
/// whole milliseconds after about 4.6 hours).
void waitFrame(double start, double duration);

/// waitFrame in double precision, for a readTicks() start and a float length.
void waitFrame(double start, float duration);

/// waitFrame in double precision, for a float start and a double length.
void waitFrame(float start, double duration);

}  // namespace easel
