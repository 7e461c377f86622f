/// @file
/// The one window and its 32-bit pixel surface.
///
/// initScreen opens the window; every other operation of the library draws
/// straight into its surface, with (0, 0) at the top left, x to the right and y
/// downwards. Pixels are addressed with the width and height asked for at
/// initScreen: a coordinate at or beyond an edge wraps round to the opposite
/// edge (a true modulo, so negative coordinates wrap too and no operation ever
/// touches memory outside the surface). Colours are ints 0-255 per channel;
/// pixel writes keep the low 8 bits of each channel. Before initScreen every
/// drawing and pixel operation of the library does nothing (false where it
/// returns bool, black from getPixel), and the first one called says on
/// standard error that initScreen was not called.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "easel/colour/color.h"

namespace easel {

/// The display record: the SDL video surface and the size asked for.
struct ScreenInfo {
    /// The window's surface, owned by SDL; null before initScreen.
    SDL_Surface* surface = nullptr;
    /// The width asked for at initScreen, which all pixel addressing uses.
    int width = 0;
    /// The height asked for at initScreen, which all pixel addressing uses.
    int height = 0;
};

/// The one display, empty until initScreen fills it.
extern ScreenInfo Screen;

/// Starts SDL's video, registers SDL_Quit with atexit and opens a 32-bit
/// window (full screen or windowed) with the caption. On failure prints
/// "Unable to init SDL: %s\n" or "Unable to set video: %s\n" to standard output
/// and ends the process with status 1; a surface smaller than asked for, or
/// not 32 bits per pixel, counts as a failed video start. With SDL_VIDEODRIVER
/// unset it never starts a text-mode driver (aalib, caca): with no display it
/// fails with "Unable to init SDL: No available video device" instead of
/// drawing into the terminal. A set SDL_VIDEODRIVER is obeyed as it stands.
void initScreen(int width, int height, bool fullScreen, const char* caption);

/// Locks the surface if SDL says it must be locked (SDL_MUSTLOCK).
void lockScreen();

/// Unlocks the surface if SDL says it must be locked (SDL_MUSTLOCK).
void unlockScreen();

/// Presents the whole surface; nothing once the display has gone away.
void updateScreen();

/// Presents the rows that changed since this call last presented, and
/// nothing when none did, so that a loop with nothing new to show leaves the
/// window system idle. The first call, and the first after the window was
/// asked to redraw itself, present the whole surface. Keeps a copy of the
/// screen, made at the first call. True when something was presented.
bool updateScreenIfChanged();

/// Like updateScreenIfChanged, but looks only at the rows that the library's
/// own operations wrote since either call last presented, so that with
/// nothing drawn it reads no pixel at all. Writes that go around the library
/// (SDL blits onto Screen.surface, stores into its pixels) are not seen
/// here: a program that makes them presents with updateScreenIfChanged or
/// updateScreen. True when something was presented.
bool updateDrawnRows();

/// Fills the whole surface with the colour (channels 0-255). On the usual
/// 0x00RRGGBB surface the fill value is (r * 256 + g) * 256 + b; on any other
/// format the colour is mapped through the format so that it still shows.
void clearScreen(int r, int g, int b);

/// Writes one pixel; each channel keeps its low 8 bits. Coordinates wrap.
void putPixel(int x, int y, int r, int g, int b);

/// Writes one pixel in the colour c; each channel keeps its low 8 bits.
void putPixel(int x, int y, RgbColor c);

/// Reads one pixel, each channel 0-255. Coordinates wrap.
RgbColor getPixel(int x, int y);

/// Copies width * height raw pixel words, column by column (the word for
/// (x, y) is src[x * height + y]), onto the surface unchanged.
void blitBuffer(const std::uint32_t* src);

/// True when 0 <= x < width and 0 <= y < height.
bool onScreen(int x, int y);

}  // namespace easel
