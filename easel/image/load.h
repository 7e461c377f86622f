/// @file
/// Loading pictures of any size from files or memory through SDL_image.
///
/// PNG, JPEG, BMP, GIF (its first frame), PNM (PBM, PGM, PPM) and TGA are read;
/// the format is told by the file's signature, and a file without one is read
/// as TGA when its name ends in ".tga". Before anything is decoded the size in
/// the header is checked against the ImageLimits, so an absurd header costs
/// nothing. Transparent pixels are laid over white. Failure returns no image
/// and, when why is not null, a message naming the file and the reason: it is
/// missing, cannot be read, is not an image of these formats, is damaged, or
/// is too large. Nothing here needs initScreen or touches the screen.
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

/// Loads an image from size bytes at data; name is used in messages, and its
/// ending for formats without a signature (".tga").
std::optional<Image> loadImageFromMemory(const void* data, std::size_t size, const char* name,
                                         std::string* why = nullptr,
                                         const ImageLimits& limits = {});

}  // namespace easel
