// One pass of the paint program's main loop as main() runs it: present what
// changed, rest when idle, check for quit, read the pointer and the keys,
// let the document and the pass act, and keep the window's title current.
//
// The loop rests when nothing happens: a pass that follows a pass with no
// button held or pressed, and that has nothing new to present, waits for the
// next event or idleWaitMilliseconds, whichever comes first. Every pass still
// repaints the panel, so changed icon files show within a few passes.
#pragma once

#include "paint/document.h"
#include "paint/pass.h"
#include "paint/title.h"
#include "paint/tool_keys.h"

namespace paint {

constexpr int idleWaitMilliseconds = 10;

// What main does after a pass.
enum class LoopStep {
    keepGoing,    // run the next pass
    clearCanvas,  // empty the canvas (Clear is the current tool), then go on
    quit,         // the user asked to quit
};

// What the loop keeps from one pass to the next.
struct LoopState {
    bool idle = false;    // the last pass had no button held or pressed
    bool waited = false;  // this pass rested before taking input
    ToolKeyLatches keys;
    WindowTitle title;
};

// The pointer of this pass: position, buttons held or pressed since the last
// pass (a quick click counts), and Shift.
Pointer readPointer();

// Runs one pass.
LoopStep loopPass(Document& document, LoopState* loop);

}  // namespace paint
