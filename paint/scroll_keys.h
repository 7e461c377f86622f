// Scrolling the view: the arrow keys move it by an eighth of the view (with
// Shift by a whole view), Home goes to the top-left, and the mouse wheel
// scrolls vertically (with Shift horizontally) by an eighth of the view.
//
// Keys are read from the key-state array, each with a latch like the
// shortcuts' (paint/shortcuts.h): a key acts when it goes down, and again
// every keyRepeatMilliseconds once held for keyRepeatDelayMilliseconds, as
// a key held to scroll would. The wheel is read from the event the next
// pollQuit is going to take, since SDL reports it only as a button pressed
// and released at once.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace paint {

constexpr int scrollStepsPerView = 8;
constexpr std::uint32_t keyRepeatDelayMilliseconds = 400;
constexpr std::uint32_t keyRepeatMilliseconds = 50;

// A request to move the view, in eighths of the view.
struct Scroll {
    int stepsX = 0;  // to the right when positive
    int stepsY = 0;  // down when positive
    bool home = false;  // to the top-left first
    bool any() const { return stepsX != 0 || stepsY != 0 || home; }
};

// When each scrolling key last acted; 0 when it is up (or held since start).
struct ScrollLatches {
    std::uint32_t left = 0, right = 0, up = 0, down = 0, home = 0;
    bool armed = false;  // false until the keys have all been seen up once
};

// The scrolling asked for by the keys at time now (milliseconds), updating
// the latches; none when keys is null or Ctrl is held.
Scroll readScrollKeys(const Uint8* keys, std::uint32_t now, ScrollLatches* latches);

// The scrolling asked for by the event at the head of SDL's queue (pumped
// first), which is left there; none unless it is a wheel press.
Scroll peekWheel();

}  // namespace paint
