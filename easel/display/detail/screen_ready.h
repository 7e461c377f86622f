// The check every drawing and pixel operation makes before it touches the
// screen: before initScreen there is no surface, so the operation must do
// nothing, and the first one to find that out says so once on standard
// error. On the hot paths (putPixel, getPixel) it costs one predictable test
// of the surface pointer that they load anyway.
#pragma once

#include "easel/display/screen.h"

namespace easel::detail {

// Says once per process, on standard error, that `operation` was called
// before initScreen; returns false. Marked cold so that the callers' fast
// path is laid out without it.
[[gnu::cold]] bool reportNoScreen(const char* operation);

// True once initScreen has opened the window; otherwise reports (once) and
// is false.
inline bool screenReady(const char* operation) {
    return __builtin_expect(Screen.surface != nullptr, 1) || reportNoScreen(operation);
}

}  // namespace easel::detail
