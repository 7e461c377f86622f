// Internal: the BMP decoding behind the icon loaders, one file per platform.
// On the desktop SDL decodes (icon_decode_desktop.cpp); in the browser,
// where Emscripten's SDL decodes only files packed with the page and only
// asynchronously, the library's own decoder does (icon_decode_web.cpp), for
// exactly the layouts that readDecodableHeader lets through.
#pragma once

#include <SDL.h>

#include "easel/text/detail/icon_header.h"

namespace easel::detail {

// Decodes the BMP at the stream's position, whose header was read and
// accepted as header; the stream is closed in every case. Null when it
// cannot be decoded.
SDL_Surface* decodeIconBmp(SDL_RWops* stream, const IconHeader& header);

// Frees a surface that decodeIconBmp made.
void releaseIconSurface(SDL_Surface* surface);

// The colour of a pixel value of such a surface, as SDL_GetRGB reads it.
void iconPixelRgb(Uint32 value, const SDL_Surface* surface, Uint8* r, Uint8* g, Uint8* b);

}  // namespace easel::detail
