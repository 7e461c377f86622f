// The picture being painted and the part of it that the canvas shows.
//
// The picture is an image of its own size, words 0xAARRGGBB. The canvas (the
// 500 x 372 screen area below the panel) shows it from the view's top-left
// corner: picture pixel (viewX + x, viewY + y) at screen (x, panelHeight + y).
// Pixels are shown laid over white by their alpha. A picture smaller than the
// canvas sits at its top-left; the rest of the canvas, which is not part of
// the picture, is shown in outsideColor, and a picture pixel of exactly that
// colour is shown one step bluer, so that the outside never matches a
// picture pixel (the Ink tool's fill cannot cross into or out of the picture).
// What the tools leave outside the picture is wiped at the end of the pass.
//
// The tools paint on the screen; keepChanges() copies what they changed into
// the picture, opaque, and leaves every other pixel as the file had it.
#pragma once

#include <cstdint>

#include "easel/colour/color.h"
#include "easel/image/image.h"

namespace paint {

// The grey of the canvas outside a picture smaller than it.
constexpr easel::RgbColor outsideColor{128, 128, 128};

constexpr int canvasWidth = 500;
constexpr int canvasHeight = 372;

// A rectangle of picture pixels: [x, x + width) x [y, y + height).
struct PictureRect {
    int x = 0, y = 0, width = 0, height = 0;
};

class View {
  public:
    // A white opaque picture the size of the canvas.
    View();

    // Takes the picture (an empty one becomes the white canvas) and shows its
    // top-left corner.
    void setPicture(easel::Image picture);
    const easel::Image& picture() const { return picture_; }
    easel::Image& picture() { return picture_; }

    int viewX() const { return viewX_; }
    int viewY() const { return viewY_; }
    // The size of the part of the canvas that shows the picture.
    int shownWidth() const { return shownWidth_; }
    int shownHeight() const { return shownHeight_; }
    // Whether part of the canvas is outside the picture.
    bool hasOutside() const { return shownWidth_ < canvasWidth || shownHeight_ < canvasHeight; }

    // Moves the view so that its top-left is as near (x, y) as the picture
    // allows, and draws the canvas when it moved; true when it moved.
    bool scrollTo(int x, int y);
    bool scrollBy(int dx, int dy) { return scrollTo(viewX_ + dx, viewY_ + dy); }
    // Moves the view, when the rectangle is not wholly in view, to centre it
    // (as far as the picture allows), and draws the canvas; true when moved.
    bool reveal(const PictureRect& rect);

    // Draws the whole canvas from the picture.
    void draw() const;
    // Draws the picture rectangle, where it is in view.
    void drawRect(const PictureRect& rect) const;
    // Paints the canvas outside the picture in outsideColor.
    void wipeOutside() const;

    // The screen word that shows a picture word (laid over white, mapped).
    std::uint32_t shownWord(std::uint32_t pictureWord) const;

  private:
    easel::Image picture_;
    int viewX_ = 0;
    int viewY_ = 0;
    int shownWidth_ = canvasWidth;
    int shownHeight_ = canvasHeight;
};

}  // namespace paint
