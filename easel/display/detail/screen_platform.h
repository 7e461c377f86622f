// Where the desktop and the browser differ for the screen: how the video
// surface is asked for and made ready, how it is filled, and how a frame
// reaches the window or the page. One file per platform implements it
// (screen_platform_desktop.cpp, screen_platform_web.cpp), chosen by the
// build; the rest of the library calls only this header.
#pragma once

#include <SDL.h>

namespace easel::detail {

// The flags for SDL_SetVideoMode: a 32-bit surface whose pixels the library
// writes in memory.
Uint32 videoModeFlags(bool fullScreen);

// Whether the surface must be locked before its pixels are touched
// (SDL_MUSTLOCK on the desktop; the browser's screen stays locked).
bool mustLock(const SDL_Surface* surface);

// SDL's key-state array, indexed by key symbol (SDL_GetKeyState(NULL)).
Uint8* keyStateArray();

// Copies the next event in SDL's queue into *event without taking it;
// false when the queue is empty. (SDL_PeepEvents with SDL_PEEKEVENT, which
// Emscripten's SDL lacks.)
bool peekEvent(SDL_Event* event);

// SDL's event filter: the one set now, and setting ours. Emscripten's SDL
// has no filter; there the filter sees each event as the library takes it
// off the queue (eventTaken).
using EventFilter = int (*)(const SDL_Event*);
EventFilter currentEventFilter();
void setEventFilter(EventFilter filter);

// Called with each event the library takes off the queue: hands it to the
// filter where SDL has none (the browser); nothing on the desktop.
void eventTaken(const SDL_Event* event);

// Makes a freshly opened video surface ready for direct pixel access.
void prepareScreen(SDL_Surface* screen);

// Sets the pixel words of the rectangle (the whole screen when rect is null;
// a given rectangle lies on the screen) to value.
void fillScreen(SDL_Surface* screen, const SDL_Rect* rect, Uint32 value);

// Presents the whole screen. In the browser this is also where a program's
// endless loop gives the page its turn (input, painting), at most every 16 ms.
void presentScreen(SDL_Surface* screen);

// Presents count rows from row top (the whole screen in the browser, whose
// canvas takes a whole frame).
void presentRows(SDL_Surface* screen, int top, int count);

// Before the program waits (a delay while polling input), a turn of the
// page (counted for tests, Module.easelTurns): shows anything
// presented but not yet shown, so a still picture is on the page while the
// program waits. Nothing to do on the desktop.
void showPendingFrame();

}  // namespace easel::detail
