// Internal: the picture decoders behind loadImage, one per platform. On the
// desktop SDL_image decodes (decode_desktop.cpp); in the browser the
// browser's own decoders do (decode_web.cpp). The header has been read and
// checked against the limits before a decoder is called.
#pragma once

#include <SDL.h>

#include <string>

#include "easel/image/detail/image_header.h"

namespace easel::detail {

// Decodes the picture of the given format from the stream's position. The
// stream stays open. Null with the reason in *why when it cannot be decoded.
// The surface's pixels can be read at once (it is locked if it must be); it
// is given back with releaseDecoded.
SDL_Surface* decodePicture(ImageFormat format, SDL_RWops* stream, std::string* why);

// Frees a surface that decodePicture made.
void releaseDecoded(SDL_Surface* surface);

}  // namespace easel::detail
