// One pass of the paint program's main loop as main() runs it: present what
// changed, rest when idle, check for quit (the window, Escape or a quit
// signal, see paint/quit_signals.h), read the pointer and the keys,
// let the document and the pass act, and keep the window's title current.
//
// The loop rests when nothing happens: a pass presents only the rows the
// program drew on since the last present (updateDrawnRows: with nothing
// drawn it reads no pixel), and one that has nothing new to present waits
// for the next event or idleWaitMilliseconds, whichever comes first, when
// the pass before it had no button held or pressed, and
// heldWaitMilliseconds when it had: a held button repeats its effect only on
// what changed, so the pass after an event is what matters. A loop that spins
// without sleeping is also the one the system makes wait when the processor
// is busy, so the short rest takes a held drag's next move sooner. Every pass
// still reads the icon files and draws the panel, so changed icon files show
// within a few passes.
#pragma once

#include "paint/document.h"
#include "paint/pass.h"
#include "paint/title.h"
#include "paint/tool_keys.h"

namespace paint {

constexpr int idleWaitMilliseconds = 10;
constexpr int heldWaitMilliseconds = 1;

// What main does after a pass.
enum class LoopStep {
    keepGoing,    // run the next pass
    clearCanvas,  // empty the canvas (Clear is the current tool), then go on
    quit,         // the user asked to quit
};

// What the loop keeps from one pass to the next.
struct LoopState {
    bool idle = false;    // the last pass had no button held or pressed
    int waited = 0;       // the longest rest this pass took before input, ms
    ToolKeyLatches keys;
    WindowTitle title;
};

// The pointer of this pass: position, buttons held or pressed since the last
// pass (a quick click counts), and Shift.
Pointer readPointer();

// Runs one pass.
LoopStep loopPass(Document& document, LoopState* loop);

}  // namespace paint
