#include <clocale>
#include <string>

#include "easel/display/detail/screen_ready.h"
#include "easel/display/screen.h"

namespace easel {

namespace {

// A locale whose character set is UTF-8: glibc has it built in.
constexpr const char* utf8Locale = "C.UTF-8";

}  // namespace

void setCaption(const char* caption) {
    if (!detail::screenReady("setCaption") || caption == nullptr) return;
    // SDL 1.2 converts the caption to the locale's character set for one of
    // the window's two names and drops what the set lacks; in the C locale
    // that is every character beyond ASCII. A UTF-8 locale for the length
    // of the call keeps the text as written.
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    const std::string before = current != nullptr ? current : "C";
    const bool switched = std::setlocale(LC_CTYPE, utf8Locale) != nullptr;
    SDL_WM_SetCaption(caption, nullptr);
    if (switched) std::setlocale(LC_CTYPE, before.c_str());
}

}  // namespace easel
