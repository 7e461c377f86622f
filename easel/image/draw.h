/// @file
/// Images on the screen: drawing one, or one rectangle of one (a cell of a
/// sprite sheet), mixed by its alpha, and copying part of the screen into one.
///
/// All need initScreen; before it they do nothing, and the first drawing
/// call says so on standard error. Drawing clips at every edge of the screen
/// (and a source rectangle at every edge of the image), so an image may lie
/// partly or wholly off the screen, at negative coordinates too; nothing
/// wraps. Each image pixel is mixed into the screen by its alpha a (the top
/// byte): 255 covers the screen pixel, 0 leaves it, and between each channel
/// becomes (image * a + screen * (255 - a)) / 255 rounded to the nearest
/// integer, halves up. grabScreen copies the part of a rectangle that lies on
/// the screen, opaque.
#pragma once

#include "easel/image/image.h"

namespace easel {

/// Draws the image with its top-left pixel at (x, y), clipped to the screen,
/// mixed by each pixel's alpha. False, and nothing drawn, when no pixel of it
/// lands on the screen.
bool drawImage(const Image& image, int x, int y);

/// A rectangle of an image: top-left pixel (x, y), width x height pixels.
struct ImageRect {
    int x = 0;       ///< The left column in the image.
    int y = 0;       ///< The top row in the image.
    int width = 0;   ///< The width in pixels.
    int height = 0;  ///< The height in pixels.
};

/// Draws the part of the image inside `source` (cut to the image) with the
/// source's top-left pixel at (x, y), clipped to the screen and mixed by
/// alpha like drawImage: `drawImage(sheet, {32 * frame, 0, 32, 32}, px, py)`
/// draws one 32 x 32 cell of a sprite sheet. False, nothing drawn, when no
/// pixel lands on the screen.
bool drawImage(const Image& image, const ImageRect& source, int x, int y);

/// The pixels of the screen rectangle at (x, y), width x height, cut to the
/// screen; an empty image when none of it is on the screen.
Image grabScreen(int x, int y, int width, int height);

}  // namespace easel
