// The paint program's undo history: what each change did to the picture.
//
// A change (one Pencil or Brush stroke from press to release, one Ink press,
// one clearing) is bracketed by begin() and end(); the view does not move
// within a change. begin() copies the part of the canvas that shows the
// picture into a buffer made once, with the history; end() compares the
// canvas with that copy in tiles of 16 x 16 pixels, keeps the picture's
// pixels of the tiles that changed, as they were before (alpha included), and
// copies the changed pixels into the picture (View::keep rules: opaque). So
// painting costs nothing per pass, and each change allocates once, at its
// end. Undo and redo swap a step's tiles with the picture, in picture
// coordinates, wherever the view is, then move the view to show the step:
// the tiles kept are always the other side of the step.
//
// Memory, besides the picture: the copy of the canvas (500 x 372 words,
// 744 KB), made with the history, and the steps: at most maxSteps of them,
// each holding its changed tiles (1 KB a tile) and their places, and at most
// maxStepBytes in all; the oldest steps are dropped first. An ordinary stroke keeps a few tens of
// tiles (about 25 KB), so 100 of them take about 2.5 MB; changes that each
// cover the whole canvas fit about 22 at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "paint/state.h"
#include "paint/view.h"

namespace paint {

class UndoHistory {
  public:
    static constexpr int tileSize = 16;
    static constexpr int maxSteps = 100;
    static constexpr std::size_t maxStepBytes = std::size_t{16} * 1024 * 1024;

    // Tracks the view's picture; the screen must show the view whenever
    // begin, end, undo or redo run.
    explicit UndoHistory(View* view);

    // Starts a change: copies the rectangle. toolBefore is the tool current
    // before the change, which undo gives back.
    void begin(ToolId toolBefore);
    // Whether a change has begun and not ended.
    bool changing() const { return changing_; }
    // Ends the change: keeps the changed tiles as a new step (none when
    // nothing changed), forgets the steps undone before it, and drops the
    // oldest steps beyond maxSteps or maxStepBytes (never the new one).
    void end();

    // Takes back the last step and shows it; false when there is none.
    // *toolBefore (when not null) receives the tool current before that step.
    bool undo(ToolId* toolBefore = nullptr);
    // Makes the last step undone again and shows it; false when there is none.
    bool redo();

    // Names the canvas as it is now: equal values mean equal canvases, as
    // far as the history knows (a change with no effect keeps the value).
    std::uint64_t state() const;
    int undoSteps() const { return applied_; }
    int redoSteps() const { return static_cast<int>(steps_.size()) - applied_; }
    // The bytes of pixels and tile places the steps hold (not counting the
    // canvas copy); at most maxStepBytes, or one step's when that is more.
    std::size_t stepBytes() const { return stepBytes_; }

  private:
    struct Step {
        std::vector<PictureRect> tiles;      // in picture coordinates
        std::vector<std::uint32_t> pixels;   // their pixels, tile after tile
        PictureRect bounds;                  // of all the tiles
        ToolId toolBefore = pencilTool;
        std::uint64_t id = 0;
        std::size_t bytes() const {
            return tiles.size() * sizeof(PictureRect) + pixels.size() * sizeof(std::uint32_t);
        }
    };

    // Tile n of the shown part of the canvas, in canvas coordinates.
    PictureRect tile(int number) const;
    bool tileChanged(const PictureRect& t) const;
    void keepTile(const PictureRect& t);
    void swapWithPicture(Step& step);
    void dropOldest();

    View* view_;
    int tilesAcross_ = 0, tilesDown_ = 0;  // of the shown part, at begin()
    std::vector<std::uint32_t> before_;  // the shown part at begin(), canvasWidth words a row
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
