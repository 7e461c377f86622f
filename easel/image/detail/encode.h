// Internal: the two file encoders and the atomic file writer behind saveImage.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "easel/image/image.h"

namespace easel::detail {

// Writes the image as an 8-bit PNG, RGBA when any pixel is not opaque and RGB
// otherwise; false with the reason on failure.
bool encodePng(const Image& image, std::FILE* out, std::string* why);

// Writes the image as a 24-bit bottom-up BMP (the alpha is dropped); false
// with the reason.
bool encodeBmp(const Image& image, std::FILE* out, std::string* why);

// Writes a file through write() into a temporary file of a short name in the
// target's folder, flushes and syncs it, then renames it over target. A
// symbolic link is followed to the file it names, and stays. Refused, with
// nothing created: a target that is a folder, FIFO, device or socket, or a
// file the user may not write. The new file keeps the old one's permission
// bits (not set-user-ID, set-group-ID or sticky) and, where the user may set
// them, its owner and group. On failure the target is untouched, the
// temporary removed, and *why says what failed.
bool writeAtomically(const std::string& target,
                     const std::function<bool(std::FILE*, std::string*)>& write, std::string* why);

// As writeAtomically, but only under a name no file has: target, or the
// first free of target with -2, -3, ... before its ending, taken atomically
// (never over a file another program made meanwhile). Returns the name
// used, or "" with the reason.
std::string writeNewFile(const std::string& target,
                         const std::function<bool(std::FILE*, std::string*)>& write,
                         std::string* why);

}  // namespace easel::detail
