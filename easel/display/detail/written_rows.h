// Which rows of the screen the library has written, so that presenting (and
// the paint program's panel) can look at just the rows written since they
// last looked instead of comparing the whole screen on every pass.
//
// Each row carries a stamp: the write clock when a library operation last
// took the row for writing (rowWords, pixelWord, a fill). A reader takes a
// stamp of its own with takeWriteStamp(); a row written after that has a
// newer one. Writes that go around the library (SDL blits onto the screen,
// stores into Screen.surface->pixels) leave no stamp, so only readers that
// are told so rely on the stamps. Rows beyond those tracked (a screen taller
// than the one initScreen opened) always count as written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace easel::detail {

struct WrittenRows {
    std::uint64_t clock = 1;
    std::vector<std::uint64_t> stamps;  // one a row, the clock at its last write
};
extern WrittenRows writtenRows;

// Notes that row y, on the screen, is being written.
inline void markRowWritten(int y) {
    const auto row = static_cast<std::size_t>(y);
    if (row < writtenRows.stamps.size()) writtenRows.stamps[row] = writtenRows.clock;
}

// Notes that count rows from row top, all on the screen, are being written.
void markRowsWritten(int top, int count);

// Tracks height rows from now on, every one of them counting as written
// (a new surface's rows were never seen). Called by initScreen.
void trackWrittenRows(int height);

// A stamp for the reader: rows written after this call are newer than it.
std::uint64_t takeWriteStamp();

// True when row y was written after the stamp was taken, or is not tracked.
inline bool rowWrittenSince(int y, std::uint64_t stamp) {
    const auto row = static_cast<std::size_t>(y);
    return row >= writtenRows.stamps.size() || writtenRows.stamps[row] > stamp;
}

}  // namespace easel::detail
