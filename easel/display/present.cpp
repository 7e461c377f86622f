#include <cstdint>
#include <cstring>
#include <vector>

#include "easel/display/detail/display_link.h"
#include "easel/display/detail/event_watch.h"
#include "easel/display/detail/pixels.h"
#include "easel/display/detail/screen_platform.h"
#include "easel/display/detail/screen_ready.h"
#include "easel/display/detail/written_rows.h"
#include "easel/display/screen.h"

namespace easel {

namespace {

// The screen as last presented by updateScreenIfChanged or updateDrawnRows,
// row by row, and the write stamp taken when it was.
struct Shown {
    const SDL_Surface* surface = nullptr;
    int width = 0;
    int height = 0;
    std::uint64_t stamp = 0;
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
    shown.stamp = detail::takeWriteStamp();
    const auto width = static_cast<std::size_t>(Screen.width);
    shown.words.resize(width * static_cast<std::size_t>(Screen.height));
    for (int y = 0; y < Screen.height; ++y) {
        std::memcpy(&shown.words[static_cast<std::size_t>(y) * width], detail::readRowWords(y),
                    width * sizeof(std::uint32_t));
    }
}

// Presents the whole screen when there is no kept copy to compare with, or
// the window asked to be redrawn; true when it did. The display's loss is
// looked for only when there is something to present, so that a pass with
// nothing new makes no system call here.
bool presentedAll() {
    const bool exposed = detail::takeExposed();
    if (!exposed && shownFits()) return false;
    keepAll();
    if (detail::displayLost()) return false;
    detail::presentScreen(Screen.surface);
    return true;
}

// Compares the rows that `look` picks with the kept copy, keeps those that
// changed and presents the band from the first to the last of them.
template <typename Look>
bool presentChangedRows(Look look) {
    const auto width = static_cast<std::size_t>(Screen.width);
    const std::size_t bytes = width * sizeof(std::uint32_t);
    const std::uint64_t since = shown.stamp;
    shown.stamp = detail::takeWriteStamp();
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < Screen.height; ++y) {
        if (!look(y, since)) continue;
        std::uint32_t* kept = &shown.words[static_cast<std::size_t>(y) * width];
        const std::uint32_t* row = detail::readRowWords(y);
        if (std::memcmp(kept, row, bytes) == 0) continue;
        std::memcpy(kept, row, bytes);
        if (top < 0) top = y;
        bottom = y;
    }
    if (top < 0 || detail::displayLost()) return false;
    detail::presentRows(Screen.surface, top, bottom - top + 1);
    return true;
}

}  // namespace

bool updateScreenIfChanged() {
    if (!detail::screenReady("updateScreenIfChanged")) return false;
    if (presentedAll()) return true;
    return presentChangedRows([](int, std::uint64_t) { return true; });
}

bool updateDrawnRows() {
    if (!detail::screenReady("updateDrawnRows")) return false;
    if (presentedAll()) return true;
    return presentChangedRows(
        [](int y, std::uint64_t since) { return detail::rowWrittenSince(y, since); });
}

}  // namespace easel
