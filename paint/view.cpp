#include "paint/view.h"

#include <algorithm>
#include <utility>

#include "paint/state.h"
#include "easel/display/detail/pixels.h"

namespace paint {

namespace {

constexpr std::uint32_t outsideRgb = 0x808080u;
static_assert(outsideColor.r == 128 && outsideColor.g == 128 && outsideColor.b == 128,
              "outsideRgb is outsideColor packed");

// The colour 0x00RRGGBB of a word laid over white by its alpha.
std::uint32_t overWhite(std::uint32_t word) {
    const std::uint32_t a = word >> 24;
    if (a == 255) return word & 0xFFFFFFu;
    const std::uint32_t white = 255 * (255 - a);
    const std::uint32_t r = (((word >> 16) & 255) * a + white + 127) / 255;
    const std::uint32_t g = (((word >> 8) & 255) * a + white + 127) / 255;
    const std::uint32_t b = ((word & 255) * a + white + 127) / 255;
    return r << 16 | g << 8 | b;
}

int clampStart(int wanted, int pictureSide, int shownSide) {
    return std::clamp(wanted, 0, std::max(0, pictureSide - shownSide));
}

}  // namespace

View::View() { setPicture(easel::Image()); }

void View::setPicture(easel::Image picture) {
    picture_ = picture.empty() ? easel::Image(canvasWidth, canvasHeight, canvasColor)
                               : std::move(picture);
    shownWidth_ = std::min(canvasWidth, picture_.width());
    shownHeight_ = std::min(canvasHeight, picture_.height());
    viewX_ = 0;
    viewY_ = 0;
}

bool View::scrollTo(int x, int y) {
    const int newX = clampStart(x, picture_.width(), shownWidth_);
    const int newY = clampStart(y, picture_.height(), shownHeight_);
    if (newX == viewX_ && newY == viewY_) return false;
    viewX_ = newX;
    viewY_ = newY;
    draw();
    return true;
}

bool View::reveal(const PictureRect& rect) {
    const bool inView = rect.x >= viewX_ && rect.y >= viewY_ &&
                        rect.x + rect.width <= viewX_ + shownWidth_ &&
                        rect.y + rect.height <= viewY_ + shownHeight_;
    if (inView) return false;
    return scrollTo(rect.x + rect.width / 2 - shownWidth_ / 2,
                    rect.y + rect.height / 2 - shownHeight_ / 2);
}

std::uint32_t View::shownWord(std::uint32_t pictureWord) const {
    std::uint32_t rgb = overWhite(pictureWord);
    if (rgb == outsideRgb && hasOutside()) rgb += 1;
    return easel::detail::mapColor(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8),
                                   static_cast<int>(rgb));
}

void View::draw() const {
    drawRect(PictureRect{viewX_, viewY_, shownWidth_, shownHeight_});
    wipeOutside();
}

void View::drawRect(const PictureRect& rect) const {
    const int left = std::max(rect.x, viewX_);
    const int top = std::max(rect.y, viewY_);
    const int right = std::min(rect.x + rect.width, viewX_ + shownWidth_);
    const int bottom = std::min(rect.y + rect.height, viewY_ + shownHeight_);
    // On the usual 0x00RRGGBB screen an opaque word shows as its colour
    // bits, with no conversion per pixel.
    const bool plain = easel::detail::mapColor(0x12, 0x34, 0x56) == 0x123456u;
    const bool maybeOutside = hasOutside();
    for (int y = top; y < bottom; ++y) {
        const std::uint32_t* from = picture_.row(y);
        std::uint32_t* to = easel::detail::rowWords(panelHeight + y - viewY_) - viewX_;
        for (int x = left; x < right; ++x) {
            const std::uint32_t word = from[x];
            const bool direct = plain && word >= 0xFF000000u &&
                                !(maybeOutside && (word & 0xFFFFFFu) == outsideRgb);
            to[x] = direct ? word & 0xFFFFFFu : shownWord(word);
        }
    }
}

void View::wipeOutside() const {
    if (!hasOutside()) return;
    const std::uint32_t grey = easel::detail::mapColor(outsideColor);
    for (int y = 0; y < canvasHeight; ++y) {
        std::uint32_t* row = easel::detail::rowWords(panelHeight + y);
        const int from = y < shownHeight_ ? shownWidth_ : 0;
        std::fill(row + from, row + canvasWidth, grey);
    }
}

}  // namespace paint
