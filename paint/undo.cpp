#include "paint/undo.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "easel/display/detail/pixels.h"

namespace paint {

namespace {

constexpr int maxTiles = ((canvasWidth + UndoHistory::tileSize - 1) / UndoHistory::tileSize) *
                         ((canvasHeight + UndoHistory::tileSize - 1) / UndoHistory::tileSize);

const std::uint32_t* canvasRow(int y) {
    return easel::detail::readRowWords(panelHeight + y);
}

PictureRect unite(const PictureRect& a, const PictureRect& b) {
    if (a.width == 0) return b;
    const int left = std::min(a.x, b.x);
    const int top = std::min(a.y, b.y);
    const int right = std::max(a.x + a.width, b.x + b.width);
    const int bottom = std::max(a.y + a.height, b.y + b.height);
    return PictureRect{left, top, right - left, bottom - top};
}

}  // namespace

UndoHistory::UndoHistory(View* view)
    : view_(view),
      before_(static_cast<std::size_t>(canvasWidth) * canvasHeight),
      changed_(maxTiles) {}

PictureRect UndoHistory::tile(int number) const {
    PictureRect t;
    t.x = (number % tilesAcross_) * tileSize;
    t.y = (number / tilesAcross_) * tileSize;
    t.width = std::min(tileSize, view_->shownWidth() - t.x);
    t.height = std::min(tileSize, view_->shownHeight() - t.y);
    return t;
}

void UndoHistory::begin(ToolId toolBefore) {
    tilesAcross_ = (view_->shownWidth() + tileSize - 1) / tileSize;
    tilesDown_ = (view_->shownHeight() + tileSize - 1) / tileSize;
    for (int y = 0; y < view_->shownHeight(); ++y) {
        std::memcpy(before_.data() + static_cast<std::size_t>(y) * canvasWidth, canvasRow(y),
                    sizeof(std::uint32_t) * static_cast<std::size_t>(view_->shownWidth()));
    }
    toolBefore_ = toolBefore;
    changing_ = true;
}

bool UndoHistory::tileChanged(const PictureRect& t) const {
    for (int y = t.y; y < t.y + t.height; ++y) {
        const std::uint32_t* was = before_.data() + static_cast<std::size_t>(y) * canvasWidth + t.x;
        if (std::memcmp(was, canvasRow(y) + t.x, sizeof(std::uint32_t) * t.width) != 0) return true;
    }
    return false;
}

// Copies the pixels of the canvas tile that the change altered into the
// picture, opaque, and shows the tile as the picture now has it.
void UndoHistory::keepTile(const PictureRect& t) {
    easel::Image& picture = view_->picture();
    for (int y = t.y; y < t.y + t.height; ++y) {
        const std::uint32_t* was = before_.data() + static_cast<std::size_t>(y) * canvasWidth;
        const std::uint32_t* now = canvasRow(y);
        std::uint32_t* into = picture.row(view_->viewY() + y) + view_->viewX();
        for (int x = t.x; x < t.x + t.width; ++x) {
            if (now[x] != was[x]) into[x] = easel::packPixel(easel::detail::unmapColor(now[x]));
        }
    }
    view_->drawRect(PictureRect{view_->viewX() + t.x, view_->viewY() + t.y, t.width, t.height});
}

void UndoHistory::end() {
    if (!changing_) return;
    changing_ = false;
    // The changed tiles are listed first, so that the step's memory is
    // allocated once, at its final size.
    const int tileCount = tilesAcross_ * tilesDown_;
    std::size_t changedTiles = 0;
    std::size_t words = 0;
    for (int n = 0; n < tileCount; ++n) {
        const PictureRect t = tile(n);
        if (!tileChanged(t)) continue;
        changed_[changedTiles++] = static_cast<std::uint16_t>(n);
        words += static_cast<std::size_t>(t.width) * t.height;
    }
    if (changedTiles == 0) return;
    Step step;
    step.tiles.reserve(changedTiles);
    step.pixels.reserve(words);
    const easel::Image& picture = view_->picture();
    for (std::size_t i = 0; i < changedTiles; ++i) {
        const PictureRect t = tile(changed_[i]);
        const PictureRect at{view_->viewX() + t.x, view_->viewY() + t.y, t.width, t.height};
        for (int y = at.y; y < at.y + at.height; ++y) {
            const std::uint32_t* was = picture.row(y) + at.x;
            step.pixels.insert(step.pixels.end(), was, was + at.width);
        }
        step.tiles.push_back(at);
        step.bounds = unite(step.bounds, at);
        keepTile(t);
    }
    step.toolBefore = toolBefore_;
    step.id = ++lastId_;
    while (static_cast<int>(steps_.size()) > applied_) {
        stepBytes_ -= steps_.back().bytes();
        steps_.pop_back();
    }
    stepBytes_ += step.bytes();
    steps_.push_back(std::move(step));
    applied_ = static_cast<int>(steps_.size());
    while (static_cast<int>(steps_.size()) > maxSteps ||
           (stepBytes_ > maxStepBytes && steps_.size() > 1)) {
        dropOldest();
    }
}

void UndoHistory::dropOldest() {
    baseId_ = steps_.front().id;
    stepBytes_ -= steps_.front().bytes();
    steps_.erase(steps_.begin());
    --applied_;
}

void UndoHistory::swapWithPicture(Step& step) {
    easel::Image& picture = view_->picture();
    std::uint32_t* kept = step.pixels.data();
    for (const PictureRect& t : step.tiles) {
        for (int y = t.y; y < t.y + t.height; ++y) {
            std::uint32_t* row = picture.row(y) + t.x;
            std::swap_ranges(row, row + t.width, kept);
            kept += t.width;
        }
    }
    if (!view_->reveal(step.bounds)) view_->drawRect(step.bounds);
}

bool UndoHistory::undo(ToolId* toolBefore) {
    if (changing_ || applied_ == 0) return false;
    Step& step = steps_[static_cast<std::size_t>(--applied_)];
    swapWithPicture(step);
    if (toolBefore != nullptr) *toolBefore = step.toolBefore;
    return true;
}

bool UndoHistory::redo() {
    if (changing_ || applied_ == static_cast<int>(steps_.size())) return false;
    swapWithPicture(steps_[static_cast<std::size_t>(applied_++)]);
    return true;
}

std::uint64_t UndoHistory::state() const {
    return applied_ > 0 ? steps_[static_cast<std::size_t>(applied_ - 1)].id : baseId_;
}

}  // namespace paint
