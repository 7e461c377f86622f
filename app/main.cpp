// The Paint Program: a 500 x 500 window with a colour picker, Pencil, Brush,
// Ink and Clear. Runs until Escape or the window is closed; exits with 1.
#include "app/pass.h"
#include "app/state.h"
#include "easel/display/input.h"
#include "easel/display/screen.h"

int main(int, char**) {
    easel::initScreen(paint::windowWidth, paint::windowHeight, false, "Paint Program");
    for (;;) {
        paint::startCanvas();
        paint::PassResult result = paint::PassResult::keepGoing;
        while (result == paint::PassResult::keepGoing) {
            easel::updateScreen();
            if (easel::pollQuit()) return 1;
            paint::Pointer pointer;
            easel::readMouse(&pointer.x, &pointer.y, &pointer.left, &pointer.right);
            result = paint::runPass(pointer);
        }
    }
}
