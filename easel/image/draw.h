/// @file
/// Images on the screen: drawing one, and copying part of the screen into one.
///
/// Both need initScreen; before it they do nothing, and the first drawing
/// call says so on standard error. drawImage clips to the screen at every
/// edge, so an image may lie partly or wholly off it, at negative coordinates
/// too; nothing wraps. grabScreen copies the part of a rectangle that lies on
/// the screen.
#pragma once

#include "easel/image/image.h"

namespace easel {

/// Draws the image with its top-left pixel at (x, y), clipped to the screen.
/// False, and nothing drawn, when no pixel of it lands on the screen.
bool drawImage(const Image& image, int x, int y);

/// The pixels of the screen rectangle at (x, y), width x height, cut to the
/// screen; an empty image when none of it is on the screen.
Image grabScreen(int x, int y, int width, int height);

}  // namespace easel
