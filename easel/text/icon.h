/// @file
/// BMP icons read into caller-owned pixel arrays.
///
/// The destination is destWidth x destHeight elements, column-major: element
/// (x, y) is at index x * destHeight + y. Every loader first paints the whole
/// destination with a fixed placeholder pattern drawn from the font table, then
/// copies the overlap of the image's top-left corner; what the image does not
/// cover keeps the placeholder. Only 24- and 32-bit BMP images are copied;
/// missing, unreadable, palette, 16-bit or other-depth images, names that are
/// not regular files (a folder, a FIFO), compressions other than none and bit
/// fields, bit fields other than 8-bit red, green and blue in a 32-bit pixel
/// (as x-r-g-b, r-g-b-x, x-b-g-r or b-g-r-x from the top byte down; a
/// 56-byte or larger header may name the spare byte as alpha), info headers
/// other than 12, 40, 52, 56, 108 or 124 bytes (the 64-byte OS/2 2.x one
/// included), images of more than 4096 x 4096 pixels and files too short for
/// their headers or for the pixels those announce leave the placeholder and
/// return false. A 32-bit pixel without compression is 8-bit red, green and
/// blue from its third byte down, whatever bytes lie between the header and
/// the pixels; raw values are the file's own bytes, the fourth included. So an
/// icon loads the same on SDL 1.2.15 and on sdl12-compat. A file is opened
/// once, without waiting, and read only if it is a regular file. Negative
/// sizes count as 0; a null destination with a nonzero size is refused
/// (false, nothing read). No loader touches the screen.
#pragma once

#include <cstddef>
#include <cstdint>

#include "easel/colour/color.h"

namespace easel {

/// Loads the BMP file (name passed to SDL unchanged; a name that is not a
/// regular file is not opened) into dest as colours 0-255. True if a 24- or
/// 32-bit image was loaded and its overlap copied.
bool loadIcon(const char* fileName, RgbColor* dest, int destWidth, int destHeight);

/// As loadIcon, but stores each pixel's raw value in the image's own format;
/// the placeholder is 255 where the red placeholder channel is set, else 0.
bool loadIconRaw(const char* fileName, std::uint32_t* dest, int destWidth, int destHeight);

/// As loadIcon, reading the BMP from size bytes at data, such as an image
/// compiled into the program (null data, or a size above INT_MAX, leaves the
/// placeholder and returns false).
bool loadIconFromMemory(const void* data, std::size_t size, RgbColor* dest, int destWidth,
                        int destHeight);

}  // namespace easel
