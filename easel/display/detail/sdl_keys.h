// Internal: SDL 1.2's key symbols wherever easel is built. The key-state
// array (keyState) is indexed by key symbol, SDLK_UP = 273, SDLK_LCTRL =
// 306, SDLK_LAST = 323, as SDL 1.2 numbers them. Emscripten's SDL 1.2 comes
// with SDL 2's headers, whose symbols for keys without a character are
// 2^30 + a scan code: indexing with them reads a gigabyte beyond the array.
// In the browser build this header gives those names SDL 1.2's numbers (its
// key-state array is translated to match, screen_platform_web.cpp); on the
// desktop it changes nothing. Include it after <SDL.h> wherever key symbols
// are used; the public headers that use them do.
#pragma once

#include <SDL.h>

#ifdef __EMSCRIPTEN__
// SDL 1.2's key-state call, which Emscripten's SDL provides but does not
// declare.
extern "C" Uint8* SDL_GetKeyState(int* count);

#undef SDLK_KP0
#undef SDLK_KP1
#undef SDLK_KP2
#undef SDLK_KP3
#undef SDLK_KP4
#undef SDLK_KP5
#undef SDLK_KP6
#undef SDLK_KP7
#undef SDLK_KP8
#undef SDLK_KP9
#undef SDLK_NUMLOCK
#undef SDLK_SCROLLOCK
#undef SDLK_RMETA
#undef SDLK_LMETA
#undef SDLK_LSUPER
#undef SDLK_RSUPER
#undef SDLK_COMPOSE
#undef SDLK_PRINT
#undef SDLK_BREAK
#undef SDLK_EURO
#define SDLK_KP0 256
#define SDLK_KP1 257
#define SDLK_KP2 258
#define SDLK_KP3 259
#define SDLK_KP4 260
#define SDLK_KP5 261
#define SDLK_KP6 262
#define SDLK_KP7 263
#define SDLK_KP8 264
#define SDLK_KP9 265
#define SDLK_KP_PERIOD 266
#define SDLK_KP_DIVIDE 267
#define SDLK_KP_MULTIPLY 268
#define SDLK_KP_MINUS 269
#define SDLK_KP_PLUS 270
#define SDLK_KP_ENTER 271
#define SDLK_KP_EQUALS 272
#define SDLK_UP 273
#define SDLK_DOWN 274
#define SDLK_RIGHT 275
#define SDLK_LEFT 276
#define SDLK_INSERT 277
#define SDLK_HOME 278
#define SDLK_END 279
#define SDLK_PAGEUP 280
#define SDLK_PAGEDOWN 281
#define SDLK_F1 282
#define SDLK_F2 283
#define SDLK_F3 284
#define SDLK_F4 285
#define SDLK_F5 286
#define SDLK_F6 287
#define SDLK_F7 288
#define SDLK_F8 289
#define SDLK_F9 290
#define SDLK_F10 291
#define SDLK_F11 292
#define SDLK_F12 293
#define SDLK_NUMLOCK 300
#define SDLK_CAPSLOCK 301
#define SDLK_SCROLLOCK 302
#define SDLK_RSHIFT 303
#define SDLK_LSHIFT 304
#define SDLK_RCTRL 305
#define SDLK_LCTRL 306
#define SDLK_RALT 307
#define SDLK_LALT 308
#define SDLK_RMETA 309
#define SDLK_LMETA 310
#define SDLK_LSUPER 311
#define SDLK_RSUPER 312
#define SDLK_LAST 323
#endif
