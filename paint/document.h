// The picture being painted as a document: opened from a file, saved,
// undone and redone, and kept when the program ends unsaved.
//
// The main loop calls open() before the window opens, show() once the canvas
// is first drawn, beforePass() and afterPass() around every pass, and quit()
// when the user quits. Undo and redo follow paint/undo.h. Undoing while Clear
// is the current tool also picks the tool that was current before that step
// (the one used before Clear was picked), since Clear would otherwise empty
// the canvas again at the next pass; redo leaves the tool alone. The first
// save without a FILE names a new picture, which later saves then replace.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "paint/pass.h"
#include "paint/shortcuts.h"
#include "paint/undo.h"
#include "easel/image/image.h"

namespace paint {

class Document {
  public:
    Document();

    // Reads the command line and the picture it names. On failure prints
    // why on standard error and returns false; the process should then end
    // with status 2 (the file is not touched).
    bool open(int argc, char** argv);
    // Draws the opened picture at the canvas's top-left, clipped.
    void show();

    // Acts on a shortcut, and starts a change when the left button is down.
    void beforePass(const Pointer& pointer);
    // Ends the change once the left button is up.
    void afterPass(const Pointer& pointer);

    // Writes unsaved changes to a recovery file; the exit status, 1.
    int quit();

    // Saves the canvas to its file (or a new picture); false on failure.
    bool save();
    bool undo();
    bool redo();
    // Whether the canvas differs from what was last saved or opened.
    bool unsaved() const { return history_.state() != savedState_; }
    const std::string& file() const { return file_; }
    const UndoHistory& history() const { return history_; }
    // The outcome of the last save, undo or redo for the window's title
    // ("Saved NAME", "not saved: reason", "nothing more to undo", "nothing
    // to redo"), handed over once; empty when there is none.
    std::string takeMessage() { return std::move(message_); }

  private:
    UndoHistory history_;
    ShortcutLatches latches_;
    std::string startFolder_;
    std::string file_;
    std::optional<easel::Image> opened_;
    std::uint64_t savedState_ = 0;
    std::string message_;
};

}  // namespace paint
