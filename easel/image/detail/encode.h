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

// Writes a file through write() into a temporary file in the target's
// folder, flushes and syncs it, then renames it over target. On failure the
// target is untouched, the temporary removed, and *why says what failed.
bool writeAtomically(const std::string& target,
                     const std::function<bool(std::FILE*, std::string*)>& write, std::string* why);

}  // namespace easel::detail
