// The X11 form of the display link (display/detail/display_link.h): the
// desktop's SDL 1.2, and sdl12-compat over SDL2, both draw through Xlib. An
// SDL without its X11 driver watches nothing (as input_source_x11.cpp).
#include <SDL.h>
#include <SDL_syswm.h>
#include <dlfcn.h>
#include <poll.h>

#include "easel/display/detail/display_link.h"

namespace easel::detail {

namespace {

// Set once the server is gone; the connection's socket, or -1 when none.
bool lost = false;
int connection = -1;

#if defined(SDL_VIDEO_DRIVER_X11)
using IoErrorHandler = int (*)(Display*);
using IoErrorExitHandler = void (*)(Display*, void*);

// Xlib calls the first on a failed read or write of the connection, then the
// second, whose default exits the process (and SDL 1.2's own handler first
// drops its display, which it then reads through). Returning from both leaves
// the display marked dead: every later Xlib call on it returns at once.
int onIoError(Display*) {
    lost = true;
    return 0;
}

void onIoErrorExit(Display*, void*) { lost = true; }

// Xlib's handlers are set through the library SDL already loaded; an Xlib
// without the exit handler (before 1.7) keeps its own, and the connection's
// end is still seen between calls.
void takeIoErrors(Display* display, Display* graphics) {
    void* x11 = ::dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (x11 == nullptr) return;
    using SetHandler = IoErrorHandler (*)(IoErrorHandler);
    using SetExitHandler = void (*)(Display*, IoErrorExitHandler, void*);
    const auto setHandler = reinterpret_cast<SetHandler>(::dlsym(x11, "XSetIOErrorHandler"));
    const auto setExitHandler =
        reinterpret_cast<SetExitHandler>(::dlsym(x11, "XSetIOErrorExitHandler"));
    if (setHandler != nullptr && setExitHandler != nullptr) {
        setHandler(onIoError);
        setExitHandler(display, onIoErrorExit, nullptr);
        if (graphics != nullptr && graphics != display) {
            setExitHandler(graphics, onIoErrorExit, nullptr);
        }
    }
    ::dlclose(x11);
}
#endif

}  // namespace

void watchDisplay() {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) != 1 || info.subsystem != SDL_SYSWM_X11) return;
    Display* display = info.info.x11.display;
    if (display == nullptr) return;
    connection = ConnectionNumber(display);
    // SDL 1.2 draws through a second connection of its own.
    takeIoErrors(display, info.info.x11.gfxdisplay);
#endif
}

bool displayLost() {
    if (lost || connection < 0) return lost;
    // The server's end of the socket closed: seen without reading, so the
    // events still queued before it stay for Xlib.
    pollfd watch{connection, POLLRDHUP, 0};
    if (::poll(&watch, 1, 0) == 1 && (watch.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0) {
        lost = true;
    }
    return lost;
}

void quitSdl() {
    if (!displayLost()) SDL_Quit();
}

}  // namespace easel::detail
