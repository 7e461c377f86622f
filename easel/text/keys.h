/// @file
/// Keyboard character input read from SDL's key-state array.
///
/// Each call refreshes keyState (SDL_GetKeyState) and turns a key that has just
/// gone down into a character: a printable ASCII character for a US layout
/// with Shift and Caps Lock, or a digit, point or minus for numeric entry.
/// Both are edge-triggered through keyLatch: a held key counts once, there is
/// no key repeat, and a key already down at the first call counts only after
/// it has been released. SDL refreshes the array when events are pumped, so
/// the caller polls events between calls.
#pragma once

#include <SDL.h>

#include "easel/display/detail/sdl_keys.h"

namespace easel {

/// One latch per SDL key symbol, all false at start, never reset: true means
/// the key has been seen up since it last produced a character. A key has the
/// same latch in both operations below, whatever the shift state.
extern bool keyLatch[SDLK_LAST];

/// The latch the entry fields use for Enter; Return and keypad Enter share it.
constexpr int enterLatch = SDLK_RETURN;

/// The latch the entry fields use for Backspace.
constexpr int backspaceLatch = SDLK_BACKSPACE;

/// The character (32-126) of the key that has just gone down, 0 when none.
/// Shift or Caps Lock picks the shifted column; when several keys went down
/// since the last call the last in the fixed examination order wins.
unsigned char readCharKey();

/// 0-9 for a digit key (main row or keypad), 10 for a full stop, 11 for a
/// minus, -1 when none of them has just gone down. Shift is ignored.
int readDigitKey();

}  // namespace easel
