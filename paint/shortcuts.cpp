#include "paint/shortcuts.h"

#include "paint/key_edge.h"

namespace paint {

Shortcut readShortcut(const Uint8* keys, ShortcutLatches* latches) {
    if (keys == nullptr) return Shortcut::none;
    const bool ctrl = keys[SDLK_LCTRL] != 0 || keys[SDLK_RCTRL] != 0;
    const bool shift = keys[SDLK_LSHIFT] != 0 || keys[SDLK_RSHIFT] != 0;
    // Every latch is updated in every pass, whichever acts.
    const bool s = wentDown(keys, SDLK_s, &latches->s);
    const bool z = wentDown(keys, SDLK_z, &latches->z);
    const bool y = wentDown(keys, SDLK_y, &latches->y);
    if (!ctrl) return Shortcut::none;
    if (s) return shift ? Shortcut::saveCopy : Shortcut::save;
    if (z) return shift ? Shortcut::redo : Shortcut::undo;
    if (y) return Shortcut::redo;
    return Shortcut::none;
}

}  // namespace paint
