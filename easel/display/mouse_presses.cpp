#include <SDL.h>

#include "easel/display/detail/event_watch.h"
#include "easel/display/input.h"

namespace easel {

void readMousePresses(bool* left, bool* right) {
    detail::watchEvents();
    const Uint8 pressed = detail::takePresses();
    if (left != nullptr) *left = (pressed & SDL_BUTTON(SDL_BUTTON_LEFT)) != 0;
    if (right != nullptr) *right = (pressed & SDL_BUTTON(SDL_BUTTON_RIGHT)) != 0;
}

}  // namespace easel
