// The paint program's undo history: what each change did to the canvas.
//
// A change (one Pencil or Brush stroke from press to release, one Ink press,
// one clearing) is bracketed by begin() and end(). begin() copies the canvas
// into a buffer made once, with the history; end() compares the canvas with
// that copy in tiles of 16 x 16 pixels and keeps only the tiles that changed,
// as they were before. So painting costs nothing per pass, and each change
// allocates once, at its end. Undo and redo swap a step's tiles with the
// canvas: the tiles kept are always the other side of the step.
//
// Memory: the copy of the canvas (500 x 372 words, 744 KB), made with the
// history, and the steps: at most maxSteps of them, each holding its changed
// tiles (1 KB a tile) and their numbers, and at most maxStepBytes in all; the
// oldest steps are dropped first. An ordinary stroke keeps a few tens of
// tiles (about 25 KB), so 100 of them take about 2.5 MB; changes that each
// cover the whole canvas fit about 22 at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "paint/state.h"

namespace paint {

class UndoHistory {
  public:
    static constexpr int tileSize = 16;
    static constexpr int maxSteps = 100;
    static constexpr std::size_t maxStepBytes = std::size_t{16} * 1024 * 1024;

    // Tracks the screen rectangle at (left, top), width x height; the screen
    // must hold it whenever begin, end, undo or redo run.
    UndoHistory(int left, int top, int width, int height);

    // Starts a change: copies the rectangle. toolBefore is the tool current
    // before the change, which undo gives back.
    void begin(ToolId toolBefore);
    // Whether a change has begun and not ended.
    bool changing() const { return changing_; }
    // Ends the change: keeps the changed tiles as a new step (none when
    // nothing changed), forgets the steps undone before it, and drops the
    // oldest steps beyond maxSteps or maxStepBytes (never the new one).
    void end();

    // Takes back the last step; false when there is none. *toolBefore (when
    // not null) receives the tool current before that step.
    bool undo(ToolId* toolBefore = nullptr);
    // Makes the last step undone again; false when there is none.
    bool redo();

    // Names the canvas as it is now: equal values mean equal canvases, as
    // far as the history knows (a change with no effect keeps the value).
    std::uint64_t state() const;
    int undoSteps() const { return applied_; }
    int redoSteps() const { return static_cast<int>(steps_.size()) - applied_; }
    // The bytes of pixels and tile numbers the steps hold (not counting the
    // canvas copy); at most maxStepBytes, or one step's when that is more.
    std::size_t stepBytes() const { return stepBytes_; }

  private:
    struct Step {
        std::vector<std::uint16_t> tiles;    // tile numbers, row by row
        std::vector<std::uint32_t> pixels;   // their pixels, tile after tile
        ToolId toolBefore = pencilTool;
        std::uint64_t id = 0;
        std::size_t bytes() const {
            return tiles.size() * sizeof(std::uint16_t) + pixels.size() * sizeof(std::uint32_t);
        }
    };
    struct Tile {
        int x = 0, y = 0, width = 0, height = 0;
    };

    Tile tile(int number) const;
    bool tileChanged(const Tile& t) const;
    void swapWithScreen(Step& step);
    void dropOldest();

    int left_, top_, width_, height_;
    int tilesAcross_, tilesDown_;
    std::vector<std::uint32_t> before_;  // the rectangle at begin(), row by row
    std::vector<std::uint16_t> changed_;  // scratch list of changed tiles, made once
    std::vector<Step> steps_;
    int applied_ = 0;
    std::size_t stepBytes_ = 0;
    bool changing_ = false;
    ToolId toolBefore_ = pencilTool;
    std::uint64_t lastId_ = 0;
    std::uint64_t baseId_ = 0;  // the state with every kept step undone
};

}  // namespace paint
