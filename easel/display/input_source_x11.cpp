#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>

#include "easel/display/detail/input_source.h"

namespace easel::detail {

namespace {

// Without a descriptor to wait on, sleep in steps this short, so that input
// is still taken within a millisecond or so of its arrival.
constexpr int fallbackStep = 1;

// The X display connection's descriptor, or -1 when SDL does not run on X11.
int displayDescriptor() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) != 1) return -1;
#if defined(SDL_VIDEO_DRIVER_X11)
    if (info.subsystem == SDL_SYSWM_X11 && info.info.x11.display != nullptr) {
        return ConnectionNumber(info.info.x11.display);
    }
#endif
    return -1;
}

}  // namespace

bool sleepUntilInput(int milliseconds) {
    if (milliseconds <= 0) return true;
    const int fd = displayDescriptor();
    if (fd < 0) {
        SDL_Delay(static_cast<Uint32>(milliseconds < fallbackStep ? milliseconds : fallbackStep));
        return true;
    }
    // SDL has just pumped the connection dry, so anything readable on it now
    // is new input (or a reply that the next pump reads along the way).
    pollfd watched{fd, POLLIN, 0};
    return ::poll(&watched, 1, milliseconds) != 0;
}

}  // namespace easel::detail
