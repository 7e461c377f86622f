// The hooks through which the library's event loops feed the key presses of
// key_events.h: every event they take off SDL's queue, and the end of each
// frame.
#pragma once

#include <SDL.h>

namespace easel::detail {

// Records the event when it is a key-down; every other event is ignored.
void recordEvent(const SDL_Event& event);

// Marks the end of a frame (updateScreen).
void recordFrameEnd();

}  // namespace easel::detail
