#include "paint/undo.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "easel/display/detail/pixels.h"

namespace paint {

UndoHistory::UndoHistory(int left, int top, int width, int height)
    : left_(left),
      top_(top),
      width_(width),
      height_(height),
      tilesAcross_((width + tileSize - 1) / tileSize),
      tilesDown_((height + tileSize - 1) / tileSize),
      before_(static_cast<std::size_t>(width) * height),
      changed_(static_cast<std::size_t>(tilesAcross_) * tilesDown_) {}

UndoHistory::Tile UndoHistory::tile(int number) const {
    Tile t;
    t.x = (number % tilesAcross_) * tileSize;
    t.y = (number / tilesAcross_) * tileSize;
    t.width = std::min(tileSize, width_ - t.x);
    t.height = std::min(tileSize, height_ - t.y);
    return t;
}

void UndoHistory::begin(ToolId toolBefore) {
    for (int y = 0; y < height_; ++y) {
        std::memcpy(before_.data() + static_cast<std::size_t>(y) * width_,
                    easel::detail::rowWords(top_ + y) + left_, sizeof(std::uint32_t) * width_);
    }
    toolBefore_ = toolBefore;
    changing_ = true;
}

bool UndoHistory::tileChanged(const Tile& t) const {
    for (int y = t.y; y < t.y + t.height; ++y) {
        const std::uint32_t* was = before_.data() + static_cast<std::size_t>(y) * width_ + t.x;
        const std::uint32_t* now = easel::detail::rowWords(top_ + y) + left_ + t.x;
        if (std::memcmp(was, now, sizeof(std::uint32_t) * t.width) != 0) return true;
    }
    return false;
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
        const Tile t = tile(n);
        if (!tileChanged(t)) continue;
        changed_[changedTiles++] = static_cast<std::uint16_t>(n);
        words += static_cast<std::size_t>(t.width) * t.height;
    }
    if (changedTiles == 0) return;
    Step step;
    step.tiles.assign(changed_.begin(), changed_.begin() + static_cast<std::ptrdiff_t>(changedTiles));
    step.pixels.reserve(words);
    for (const std::uint16_t n : step.tiles) {
        const Tile t = tile(n);
        for (int y = t.y; y < t.y + t.height; ++y) {
            const std::uint32_t* was = before_.data() + static_cast<std::size_t>(y) * width_ + t.x;
            step.pixels.insert(step.pixels.end(), was, was + t.width);
        }
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

void UndoHistory::swapWithScreen(Step& step) {
    std::uint32_t* kept = step.pixels.data();
    for (const std::uint16_t number : step.tiles) {
        const Tile t = tile(number);
        for (int y = t.y; y < t.y + t.height; ++y) {
            std::uint32_t* row = easel::detail::rowWords(top_ + y) + left_ + t.x;
            std::swap_ranges(row, row + t.width, kept);
            kept += t.width;
        }
    }
}

bool UndoHistory::undo(ToolId* toolBefore) {
    if (changing_ || applied_ == 0) return false;
    Step& step = steps_[static_cast<std::size_t>(--applied_)];
    swapWithScreen(step);
    if (toolBefore != nullptr) *toolBefore = step.toolBefore;
    return true;
}

bool UndoHistory::redo() {
    if (changing_ || applied_ == static_cast<int>(steps_.size())) return false;
    swapWithScreen(steps_[static_cast<std::size_t>(applied_++)]);
    return true;
}

std::uint64_t UndoHistory::state() const {
    return applied_ > 0 ? steps_[static_cast<std::size_t>(applied_ - 1)].id : baseId_;
}


}  // namespace paint
