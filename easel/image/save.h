/// @file
/// Saving images and the screen as PNG or BMP files, atomically.
///
/// The format follows the name's ending, ".png" or ".bmp" (any case). PNG is
/// written with libpng as 8-bit RGBA when any pixel is not opaque and RGB
/// otherwise, and loads back equal; BMP is 24-bit and drops the alpha.
///
/// A save never leaves a half-written file: the data goes to a temporary file
/// of a short name in the same folder, is flushed and synced to the disk, and
/// only then renamed over the name. What is at the name decides: a symbolic
/// link is saved through (the file it names is replaced, the link stays); a
/// folder, FIFO, device or socket, or a file the user may not write, is
/// refused and nothing is created; a replaced file keeps its permission bits
/// (not set-user-ID, set-group-ID or sticky). On any failure the file of that
/// name is untouched, the temporary file is removed, and the call returns
/// false with the reason in *why (when not null).
#pragma once

#include <string>

#include "easel/image/image.h"

namespace easel {

/// Saves the image to fileName; false with the reason on failure (an empty
/// image is refused).
bool saveImage(const Image& image, const char* fileName, std::string* why = nullptr);

/// Saves the image as a new file: under fileName when no file has that name,
/// else under the first free of fileName with -2, -3, ... before its ending.
/// The name is taken atomically, so programs saving at once never share one.
/// Returns the name used, or "" with the reason.
std::string saveNewImage(const Image& image, const char* fileName, std::string* why = nullptr);

/// Saves the whole screen to fileName (needs initScreen).
bool saveScreen(const char* fileName, std::string* why = nullptr);

/// Saves the part of the screen rectangle at (x, y), width x height, that lies
/// on the screen; false when none of it does.
bool saveScreenRect(const char* fileName, int x, int y, int width, int height,
                    std::string* why = nullptr);

/// As saveScreenRect, as a new file named as saveNewImage names it; returns
/// the name used, or "" with the reason.
std::string saveNewScreenRect(const char* fileName, int x, int y, int width, int height,
                              std::string* why = nullptr);

}  // namespace easel
