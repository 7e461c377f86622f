// The Paint Program: a 500 x 500 window with a colour picker, Pencil, Brush,
// Ink and Clear. Runs until Escape or the window is closed; exits with 1.
// paint FILE opens FILE at its own size, shown through the canvas (status 2
// when it cannot be read); the arrows, Home and the wheel scroll it; Ctrl+S
// saves, Ctrl+Shift+S saves a copy, Ctrl+Z and Ctrl+Y undo and redo, and
// unsaved changes are kept in a recovery file as the program runs and when
// it ends (Escape, the window closed, SIGHUP, SIGINT, SIGTERM). The title
// names the file.
#include "paint/document.h"
#include "paint/loop.h"
#include "paint/pass.h"
#include "paint/quit_signals.h"
#include "paint/state.h"
#include "easel/display/screen.h"

int main(int argc, char** argv) {
    paint::Document document;
    if (!document.open(argc, argv)) return 2;
    paint::catchQuitSignals();
    easel::initScreen(paint::windowWidth, paint::windowHeight, false, "Paint Program");
    paint::startCanvas();
    document.show();
    paint::LoopState loop;
    for (;;) {
        paint::LoopStep step = paint::LoopStep::keepGoing;
        while (step == paint::LoopStep::keepGoing) step = paint::loopPass(document, &loop);
        if (step == paint::LoopStep::quit) return document.quit();
        paint::startCanvas();
        document.canvasCleared();
    }
}
