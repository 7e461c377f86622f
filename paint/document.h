// The picture being painted as a document: opened from a file at its own
// size, shown through a view that scrolls (paint/view.h), saved whole,
// undone and redone, and kept when the program ends unsaved.
//
// The main loop calls open() before the window opens, show() once the canvas
// is first drawn, beforePass() and afterPass() around every pass,
// canvasCleared() after Clear empties the canvas, and quit() when the user
// quits. Undo and redo follow paint/undo.h. Undoing while Clear is the
// current tool also picks the tool that was current before that step (the
// one used before Clear was picked), since Clear would otherwise empty the
// canvas again at the next pass; redo leaves the tool alone.
//
// Saving: the first save without a FILE names a new picture, which later
// saves then replace. A PNG or BMP FILE is saved over. A FILE in a format
// that is not written (JPEG, GIF) is left as it is: the save goes
// to NAME.png beside it (NAME-2.png, ... when taken), which from then on is
// the document's file. A copy (Ctrl+Shift+S) goes to a new NAME-2.png, ...
// (a new painting-....png without a FILE) and changes nothing else.
//
// Unsaved work is kept by paint/autosave.h while the program runs, and by
// quit() at the end. --recover opens the newest recovery file as a new,
// unnamed picture with unsaved changes; at start one line on standard error
// names the newest recovery file when there is one.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "paint/autosave.h"
#include "paint/pass.h"
#include "paint/scroll_keys.h"
#include "paint/shortcuts.h"
#include "paint/undo.h"
#include "paint/view.h"
#include "easel/image/image.h"

namespace paint {

class Document {
  public:
    Document();

    // Reads the command line and the picture it names. On failure prints
    // why on standard error and returns false; the process should then end
    // with status 2 (the file is not touched).
    bool open(int argc, char** argv);
    // Draws the view of the picture on the canvas.
    void show();
    // Opens another picture while the program runs (the page's file chooser
    // in the browser): it becomes the document, saved as it stands, with no
    // history, and is shown. On failure prints why on standard error and
    // keeps the document as it is.
    bool openPicture(const std::string& file);
    // Opens unsaved work that was kept (the page's storage in the browser)
    // from file: it becomes the document with unsaved changes, no history,
    // and the file name name (none when empty), and is shown. On failure as
    // openPicture.
    bool openKeptWork(const std::string& file, const std::string& name);

    // Acts on a shortcut or a scroll, and starts a change when the left
    // button is down.
    void beforePass(const Pointer& pointer);
    // Notes a wheel scroll for the next beforePass (see peekWheel).
    void wheel(const Scroll& scroll) { wheel_ = scroll; }
    // Ends the change once the left button is up; wipes what the tools left
    // outside the picture.
    void afterPass(const Pointer& pointer);
    // Shows the canvas outside the picture again after Clear emptied it.
    void canvasCleared();

    // Writes unsaved changes to a recovery file (this run's, replaced), or
    // removes this run's when nothing is unsaved; the exit status, 1.
    int quit();

    // Saves the picture to its file (or a new picture); false on failure.
    bool save();
    // Saves a copy under a new name; the document's file stays as it is.
    bool saveCopy();
    bool undo();
    bool redo();
    // Whether the canvas differs from what was last saved or opened.
    bool unsaved() const { return history_.state() != savedState_; }
    const std::string& file() const { return file_; }
    const UndoHistory& history() const { return history_; }
    const View& view() const { return view_; }
    // The outcome of the last save, undo or redo for the window's title
    // ("Saved NAME", "not saved: reason", "nothing more to undo", "nothing
    // to redo"), handed over once; empty when there is none.
    std::string takeMessage() { return std::move(message_); }

  private:
    void scroll(Scroll request);
    // Ends a change under way, guarded against the autosave's copy.
    void endChange();
    bool writeRecovery(std::string* path);
    // Makes the picture in file the document, named name, saved or unsaved.
    bool takePicture(const std::string& file, const std::string& name, bool unsaved);

    View view_;
    UndoHistory history_{&view_};
    ShortcutLatches latches_;
    ScrollLatches scrollLatches_;
    Scroll wheel_;
    std::string startFolder_;
    std::string file_;
    std::uint64_t savedState_ = 0;
    std::string message_;
    Autosave autosave_;
};

}  // namespace paint
