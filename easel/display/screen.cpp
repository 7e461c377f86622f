#include "easel/display/screen.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "easel/display/detail/display_link.h"
#include "easel/display/detail/event_watch.h"
#include "easel/display/detail/key_record.h"
#include "easel/display/detail/pixels.h"
#include "easel/display/detail/screen_platform.h"
#include "easel/display/detail/screen_ready.h"
#include "easel/display/detail/video_start.h"

namespace easel {

ScreenInfo Screen;

namespace {

[[noreturn]] void failStart(const char* format, const char* reason) {
    std::printf(format, reason);
    std::fflush(stdout);
    SDL_Quit();
    std::exit(1);
}

// All addressing uses the size asked for, so a surface that is smaller, or
// not 32 bits per pixel, would be written past its end.
bool surfaceFits(const SDL_Surface* s, int width, int height) {
    return s->format->BytesPerPixel == 4 && s->w >= width && s->h >= height &&
           s->pitch >= 4 * width;
}

// Whether the surface stores a pixel as 0x00RRGGBB, the layout whose fill
// value is the plain (r * 256 + g) * 256 + b.
bool isXrgb(const SDL_PixelFormat* f) {
    return f->BytesPerPixel == 4 && f->palette == nullptr && f->Rmask == 0xFF0000u &&
           f->Gmask == 0xFF00u && f->Bmask == 0xFFu && f->Amask == 0;
}

// Whether a call before initScreen has been reported: once is enough.
bool noScreenReported = false;

}  // namespace

namespace detail {

bool reportNoScreen(const char* operation) {
    if (!noScreenReported) {
        noScreenReported = true;
        std::fprintf(stderr,
                     "easel: %s was called before initScreen; nothing is drawn until "
                     "initScreen opens the window\n",
                     operation);
    }
    return false;
}

}  // namespace detail

void initScreen(int width, int height, bool fullScreen, const char* caption) {
    Screen.width = width;
    Screen.height = height;
    if (detail::startVideo() < 0) failStart("Unable to init SDL: %s\n", SDL_GetError());
    std::atexit(detail::quitSdl);

    const Uint32 flags = detail::videoModeFlags(fullScreen);
    Screen.surface = (width > 0 && height > 0) ? SDL_SetVideoMode(width, height, 32, flags) : nullptr;
    if (Screen.surface == nullptr) {
        failStart("Unable to set video: %s\n",
                  (width > 0 && height > 0) ? SDL_GetError() : "width and height must be positive");
    }
    if (!surfaceFits(Screen.surface, width, height)) {
        Screen.surface = nullptr;
        failStart("Unable to set video: %s\n",
                  "the video surface is smaller than requested or not 32 bits per pixel");
    }
    detail::prepareScreen(Screen.surface);
    detail::trackWrittenRows(height);
    if (fullScreen && detail::mustLock(Screen.surface)) SDL_LockSurface(Screen.surface);
    SDL_WM_SetCaption(caption, nullptr);
    // Key-down events then carry the character typed (readKeyPresses).
    SDL_EnableUNICODE(1);
    // Now, while the queue is still empty: setting a filter drops the
    // events pending at that moment.
    detail::watchEvents();
    detail::watchDisplay();
}

void lockScreen() {
    if (!detail::screenReady("lockScreen")) return;
    if (detail::mustLock(Screen.surface)) SDL_LockSurface(Screen.surface);
}

void unlockScreen() {
    if (!detail::screenReady("unlockScreen")) return;
    if (detail::mustLock(Screen.surface)) SDL_UnlockSurface(Screen.surface);
}

void updateScreen() {
    if (!detail::screenReady("updateScreen") || detail::displayLost()) return;
    detail::presentScreen(Screen.surface);
    detail::recordFrameEnd();
}

void clearScreen(int r, int g, int b) {
    if (!detail::screenReady("clearScreen")) return;
    const Uint32 value = isXrgb(Screen.surface->format)
                             ? (static_cast<Uint32>(r) * 256u + static_cast<Uint32>(g)) * 256u +
                                   static_cast<Uint32>(b)
                             : detail::mapColor(r, g, b);
    detail::fillScreen(Screen.surface, nullptr, value);
    detail::markRowsWritten(0, Screen.height);
}

void putPixel(int x, int y, int r, int g, int b) {
    if (!detail::screenReady("putPixel")) return;
    *detail::pixelWord(detail::wrapX(x), detail::wrapY(y)) = detail::mapColor(r, g, b);
}

void putPixel(int x, int y, RgbColor c) {
    putPixel(x, y, c.r, c.g, c.b);
}

RgbColor getPixel(int x, int y) {
    if (!detail::screenReady("getPixel")) return RgbColor();
    return detail::unmapColor(*detail::readPixelWord(detail::wrapX(x), detail::wrapY(y)));
}

void blitBuffer(const std::uint32_t* src) {
    if (!detail::screenReady("blitBuffer")) return;
    const int width = Screen.width;
    const int height = Screen.height;
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = detail::rowWords(y);
        for (int x = 0; x < width; ++x) row[x] = src[static_cast<std::ptrdiff_t>(x) * height + y];
    }
}

bool onScreen(int x, int y) {
    return x >= 0 && x < Screen.width && y >= 0 && y < Screen.height;
}

}  // namespace easel
