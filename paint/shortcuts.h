// The paint program's keyboard shortcuts, read from the key-state array:
// Ctrl+S saves, Ctrl+Shift+S saves a copy, Ctrl+Z undoes, Ctrl+Y or
// Ctrl+Shift+Z redoes.
//
// Each letter has its own latch: it acts when it goes down and is armed again
// only once it has been seen up, so holding Ctrl+Z undoes once. A letter held
// when the program starts acts only after it has been released. The main
// loop keeps taking one event per pass; the array is the state SDL pumped.
#pragma once

#include <SDL.h>

namespace paint {

enum class Shortcut { none, save, saveCopy, undo, redo };

// One latch per shortcut letter: true once the letter has been seen up.
struct ShortcutLatches {
    bool s = false;
    bool z = false;
    bool y = false;
};

// The shortcut whose letter has just gone down with Ctrl held, updating the
// latches; none when keys is null. When several go down in one pass, save
// comes before undo, undo before redo.
Shortcut readShortcut(const Uint8* keys, ShortcutLatches* latches);

}  // namespace paint
