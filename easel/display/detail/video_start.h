// Starting SDL's video without a surprise: SDL 1.2.15, left to choose, tries
// its text-mode drivers (aalib, caca) when no graphical one starts, and a
// program then draws into the terminal as escape codes (or ncurses ends it
// when TERM is unset). startVideo starts SDL's video like
// SDL_Init(SDL_INIT_VIDEO), except that when SDL_VIDEODRIVER is not set it
// never starts a text-mode driver, nor sdl12-compat's invisible "offscreen"
// one: it fails with "No available video device" instead, as SDL does with
// no display. A set SDL_VIDEODRIVER is obeyed.
#pragma once

namespace easel::detail {

// 0 on success; -1 with SDL's error set otherwise.
int startVideo();

}  // namespace easel::detail
