// The tool keys, read from the key-state array: P picks the Pencil, B the
// Brush, F the Ink (fill); [ and ] make the current tool smaller and larger
// (the Brush's diameter, the Pencil's width; Ink and Clear have no size).
//
// Each key acts once when it goes down, like the shortcut letters, and not
// while Ctrl is held, which belongs to the shortcuts.
#pragma once

#include <SDL.h>

#include <string>

namespace paint {

// One latch per key: true once the key has been seen up.
struct ToolKeyLatches {
    bool p = false;
    bool b = false;
    bool f = false;
    bool smaller = false;
    bool larger = false;
};

// Acts on the keys that have just gone down, updating the latches. Returns
// the new size as a message ("Brush size 12", "Pencil width 3") when [ or ]
// acted on a tool that has one, else an empty string. Null keys do nothing.
std::string readToolKeys(const Uint8* keys, ToolKeyLatches* latches);

}  // namespace paint
