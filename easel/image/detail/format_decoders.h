// Internal: the desktop's decoders behind decodePicture, one a format. Each
// reads from the file's current position (the signature on), checks the size
// its own header gives before taking pixel memory, and keeps the file's
// alpha in each word's top byte (255 for formats without one).
#pragma once

#include <cstdio>

#include "easel/image/detail/decode.h"

namespace easel::detail {

// libpng, with its user limits, a cap on chunk memory, text and unknown
// chunks skipped, and a read that fails on a short file.
Decoded decodePng(std::FILE* file, const ImageLimits& limits);

// libjpeg-turbo, with the size checked after the header, a limit on scans
// and on the memory of the decoder's own buffers.
Decoded decodeJpeg(std::FILE* file, const ImageLimits& limits);

// giflib: the first frame, at its own size.
Decoded decodeGif(std::FILE* file, const ImageLimits& limits);

// SDL's BMP reader, through the check the icon loaders use: the layouts both
// SDL 1.2 libraries read alike (24- and 32-bit, and 1-, 4- and 8-bit with a
// palette, none compressed); RLE8 and RLE4 files are expanded by the
// loader's own reader (bmp_rle.h). Always opaque.
Decoded decodeBmp(std::FILE* file, const ImageLimits& limits);

}  // namespace easel::detail
