/// @file
/// Loading pictures of any size from files or memory, each format by the
/// library made for it: PNG (libpng), JPEG (libjpeg-turbo), GIF (giflib, its
/// first frame) and BMP (uncompressed 1- to 32-bit through the icons' reader,
/// RLE8 and RLE4 by the loader's own).
///
/// The format is told by the file's signature; PNM and TGA (a ".tga" name)
/// are refused with a message naming the formats read. Each decoder checks
/// the size in its header against the ImageLimits before taking pixel
/// memory, and reads only what the picture needs. The file's alpha is kept in
/// each word's top byte (255 where the format has none). One load takes at
/// most the picture (4 bytes a pixel) and as much again plus 16 MiB, and no
/// file of 16 MiB or less takes more than about a second; a progressive JPEG
/// of more than 32 scans is refused, and PNGs whose pixels cost more to
/// decode (more bytes a pixel, 16-bit samples, interlacing) have lower pixel
/// limits of their own, from 64 Mpx for 8-bit grey and palette down to 11.2
/// million pixels for interlaced 16-bit RGBA (docs/image_loading.md). Failure, running out of memory
/// included, returns no image and, when why is not null, a message naming
/// the file and the reason. Nothing here needs initScreen.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "easel/image/image.h"

namespace easel {

/// Loads the image file; a name that is not a regular file (a folder, a FIFO)
/// is refused without being opened for reading.
std::optional<Image> loadImage(const char* fileName, std::string* why = nullptr,
                               const ImageLimits& limits = {});

/// Loads an image from size bytes at data, read in place; name is used in
/// messages, and its ending tells a TGA.
std::optional<Image> loadImageFromMemory(const void* data, std::size_t size, const char* name,
                                         std::string* why = nullptr,
                                         const ImageLimits& limits = {});

}  // namespace easel
