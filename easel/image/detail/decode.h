// Internal: the one seam between the image loader and the decoders. A
// platform brings its own decoders behind it (the desktop build uses libpng,
// libjpeg-turbo, giflib and SDL's BMP reader); the loader above it only opens
// files, names them in messages and turns running out of memory into a
// refusal.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "easel/image/image.h"

namespace easel::detail {

// What a decoder gives: the picture, or why there is none. The reason is a
// phrase that follows the file's quoted name: "is a damaged PNG image: ...".
struct Decoded {
    std::optional<Image> image;
    std::string problem;
};

// The memory one load may take beyond its decoded picture: one more
// picture's worth plus 16 MiB, for a decoder's own buffers (a progressive
// JPEG keeps all its coefficients).
constexpr std::int64_t decodeOverheadBytes(std::int64_t width, std::int64_t height) {
    return 4 * width * height + (std::int64_t{16} << 20);
}

// Decodes the picture read from file, from its current position to as far
// as the format needs; the format is told by the signature, and tgaByName
// says that a file without one was named as a TGA. The size each decoder's
// header gives is checked against the limits before any pixel memory is
// taken. Throws std::bad_alloc when memory runs out outside a decoder.
Decoded decodePicture(std::FILE* file, bool tgaByName, const ImageLimits& limits);

// Why a width x height picture is refused: empty when it fits the limits,
// otherwise "is too large: ..." naming the size and the limits.
std::string sizeProblem(std::int64_t width, std::int64_t height, const ImageLimits& limits);

}  // namespace easel::detail
