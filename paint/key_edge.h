// A key press seen once from the held-key array: the shortcuts and the tool
// keys each keep a latch per key, so that holding a key acts once.
#pragma once

#include <SDL.h>

namespace paint {

// True when the key has just gone down: held now, and seen up since it last
// counted.
inline bool wentDown(const Uint8* keys, SDLKey key, bool* latch) {
    if (keys[key] == 0) {
        *latch = true;
        return false;
    }
    if (!*latch) return false;
    *latch = false;
    return true;
}

}  // namespace paint
