#include <cstdint>
#include <cstring>
#include <vector>

#include "easel/display/detail/display_link.h"
#include "easel/display/detail/event_watch.h"
#include "easel/display/detail/pixels.h"
#include "easel/display/detail/screen_ready.h"
#include "easel/display/screen.h"

namespace easel {

namespace {

// The screen as last presented by updateScreenIfChanged, row by row.
struct Shown {
    const SDL_Surface* surface = nullptr;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> words;
};
Shown shown;

bool shownFits() {
    return shown.surface == Screen.surface && shown.width == Screen.width &&
           shown.height == Screen.height;
}

// Copies every row into the kept screen.
void keepAll() {
    shown.surface = Screen.surface;
    shown.width = Screen.width;
    shown.height = Screen.height;
    const auto width = static_cast<std::size_t>(Screen.width);
    shown.words.resize(width * static_cast<std::size_t>(Screen.height));
    for (int y = 0; y < Screen.height; ++y) {
        std::memcpy(&shown.words[static_cast<std::size_t>(y) * width], detail::rowWords(y),
                    width * sizeof(std::uint32_t));
    }
}

}  // namespace

bool updateScreenIfChanged() {
    if (!detail::screenReady("updateScreenIfChanged") || detail::displayLost()) return false;
    const bool exposed = detail::takeExposed();
    if (exposed || !shownFits()) {
        keepAll();
        SDL_UpdateRect(Screen.surface, 0, 0, 0, 0);
        return true;
    }
    const auto width = static_cast<std::size_t>(Screen.width);
    const std::size_t bytes = width * sizeof(std::uint32_t);
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < Screen.height; ++y) {
        std::uint32_t* kept = &shown.words[static_cast<std::size_t>(y) * width];
        const std::uint32_t* row = detail::rowWords(y);
        if (std::memcmp(kept, row, bytes) == 0) continue;
        std::memcpy(kept, row, bytes);
        if (top < 0) top = y;
        bottom = y;
    }
    if (top < 0) return false;
    SDL_UpdateRect(Screen.surface, 0, top, static_cast<Uint32>(Screen.width),
                   static_cast<Uint32>(bottom - top + 1));
    return true;
}

}  // namespace easel
