// SDL 1.2's own BMP decoder for the icons.
#include "easel/text/detail/icon_decode.h"

namespace easel::detail {

SDL_Surface* decodeIconBmp(SDL_RWops* stream, const IconHeader&) {
    return SDL_LoadBMP_RW(stream, 1);
}

void releaseIconSurface(SDL_Surface* surface) { SDL_FreeSurface(surface); }

void iconPixelRgb(Uint32 value, const SDL_Surface* surface, Uint8* r, Uint8* g, Uint8* b) {
    SDL_GetRGB(value, surface->format, r, g, b);
}

}  // namespace easel::detail
