#include "easel/display/detail/event_watch.h"

namespace easel::detail {

namespace {

// What the filter has seen since each was last taken.
Uint8 pressedButtons = 0;
bool exposed = false;
// The filter that was set before ours, which still decides what is kept.
SDL_EventFilter handedOn = nullptr;

int filter(const SDL_Event* event) {
    noteEvent(event);
    return handedOn != nullptr ? handedOn(event) : 1;
}

}  // namespace

void watchEvents() {
    const SDL_EventFilter current = SDL_GetEventFilter();
    if (current == filter) return;
    handedOn = current;
    SDL_SetEventFilter(filter);
}

int noteEvent(const SDL_Event* event) {
    if (event == nullptr) return 1;
    if (event->type == SDL_MOUSEBUTTONDOWN && event->button.button >= 1 &&
        event->button.button <= 8) {
        pressedButtons = static_cast<Uint8>(pressedButtons | SDL_BUTTON(event->button.button));
    }
    if (event->type == SDL_VIDEOEXPOSE) exposed = true;
    return 1;
}

Uint8 takePresses() {
    const Uint8 taken = pressedButtons;
    pressedButtons = 0;
    return taken;
}

bool takeExposed() {
    const bool taken = exposed;
    exposed = false;
    return taken;
}

}  // namespace easel::detail
