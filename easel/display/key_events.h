/// @file
/// Key presses as events: every key that went down, however briefly, in the
/// order pressed, with the character it typed.
///
/// The key-state array (keyState, readKeys) says which keys are held now, so
/// a press and release between two looks is never seen there. These calls
/// are fed instead by the events that pollQuit, waitFrame and waitForKey take
/// off SDL's queue: each of those takes events exactly as before, and every
/// key-down among them is recorded. A frame ends at updateScreen. Events a
/// program takes itself with SDL_PollEvent are not seen here.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace easel {

/// One key press, as the keyboard reported it.
struct KeyPress {
    SDLKey key = SDLK_UNKNOWN;     ///< The key symbol, as in the key-state array.
    SDLMod modifiers = KMOD_NONE;  ///< Shift, Ctrl, Alt and the rest held with it.
    std::uint32_t character = 0;   ///< The Unicode character typed; 0 for none (arrows, F1).
};

/// True when the key went down since the previous frame. A frame ends at
/// updateScreen; its first keyWentDown gathers the presses taken since the
/// previous gathering, and every question in the frame answers from those.
/// So each press is reported in exactly one frame however short it was, the
/// same in every question of that frame, whichever order the loop calls
/// pollQuit, waitFrame and updateScreen in. A held key does not repeat.
bool keyWentDown(SDLKey key);

/// The key presses taken since the previous call, oldest first, with their
/// characters, for typing. Keeps the latest 256 when not read for long.
std::vector<KeyPress> readKeyPresses();

}  // namespace easel
