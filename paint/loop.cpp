#include "paint/loop.h"

#include <SDL.h>

#include "paint/detail/page.h"
#include "paint/quit_signals.h"
#include "paint/scroll_keys.h"
#include "easel/display/input.h"
#include "easel/display/screen.h"

namespace paint {

Pointer readPointer() {
    Pointer pointer;
    easel::readMouse(&pointer.x, &pointer.y, &pointer.left, &pointer.right);
    bool pressedLeft = false;
    bool pressedRight = false;
    easel::readMousePresses(&pressedLeft, &pressedRight);
    pointer.left = pointer.left || pressedLeft;
    pointer.right = pointer.right || pressedRight;
    const Uint8* keys = easel::readKeys();
    pointer.shift = keys != nullptr && (keys[SDLK_LSHIFT] != 0 || keys[SDLK_RSHIFT] != 0);
    return pointer;
}

LoopStep loopPass(Document& document, LoopState* loop) {
    const bool presented = easel::updateDrawnRows();
    loop->waited = presented ? 0 : loop->idle ? idleWaitMilliseconds : heldWaitMilliseconds;
    if (loop->waited > 0) easel::waitForEvent(loop->waited);
    document.wheel(peekWheel());  // the event pollQuit takes next
    if (easel::pollQuit() || quitSignalled()) return LoopStep::quit;
    detail::servePage(document);
    const Pointer pointer = readPointer();
    loop->title.say(readToolKeys(easel::keyState, &loop->keys), SDL_GetTicks());
    document.beforePass(pointer);
    const PassResult result = runPass(pointer);
    document.afterPass(pointer);
    loop->title.say(document.takeMessage(), SDL_GetTicks());
    loop->title.update(document.file(), document.unsaved(), SDL_GetTicks());
    loop->idle = !pointer.left && !pointer.right;
    return result == PassResult::clearCanvas ? LoopStep::clearCanvas : LoopStep::keepGoing;
}

}  // namespace paint
