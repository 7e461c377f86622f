// The icons' BMP decoder in the browser. It reads what SDL 1.2.15 reads for
// the layouts the header check accepts (24- and 32-bit pixels, no
// compression or 8-bit bit fields, rows bottom-up or top-down) and gives the
// same surface: each pixel's bytes as stored in the file, rows top first,
// with the file's masks (blue, green, red from the lowest byte up when the
// file gives none).
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "easel/text/detail/icon_decode.h"

namespace easel::detail {

namespace {

Uint8 lowestBit(Uint32 mask) {
    Uint8 shift = 0;
    while (mask != 0 && (mask & 1u) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

SDL_PixelFormat* formatFor(const IconHeader& h) {
    auto* f = new SDL_PixelFormat();
    f->BitsPerPixel = static_cast<Uint8>(h.depth);
    f->BytesPerPixel = static_cast<Uint8>(h.depth / 8);
    const bool fields = h.compression == 3;
    f->Rmask = fields ? h.masks[0] : 0x00FF0000u;
    f->Gmask = fields ? h.masks[1] : 0x0000FF00u;
    f->Bmask = fields ? h.masks[2] : 0x000000FFu;
    f->Amask = fields ? h.masks[3] : 0u;
    f->Rshift = lowestBit(f->Rmask);
    f->Gshift = lowestBit(f->Gmask);
    f->Bshift = lowestBit(f->Bmask);
    f->Ashift = lowestBit(f->Amask);
    return f;
}

SDL_Surface* decode(SDL_RWops* stream, const IconHeader& h) {
    const std::int64_t width = h.width;
    const std::int64_t height = h.height < 0 ? -h.height : h.height;
    const int bytes = static_cast<int>(h.depth / 8);
    const std::int64_t rowBytes = (width * bytes + 3) / 4 * 4;
    if (width <= 0 || height <= 0 || rowBytes > 0xFFFF) return nullptr;
    const long start = SDL_RWtell(stream);
    if (start < 0 || SDL_RWseek(stream, start + h.dataOffset, RW_SEEK_SET) < 0) return nullptr;
    auto* pixels = static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(rowBytes * height), 1));
    if (pixels == nullptr) return nullptr;
    for (std::int64_t stored = 0; stored < height; ++stored) {
        const std::int64_t row = h.height < 0 ? stored : height - 1 - stored;
        if (SDL_RWread(stream, pixels + row * rowBytes, 1, static_cast<size_t>(rowBytes)) !=
            static_cast<size_t>(rowBytes)) {
            std::free(pixels);
            return nullptr;
        }
    }
    auto* surface = new SDL_Surface();
    surface->format = formatFor(h);
    surface->w = static_cast<int>(width);
    surface->h = static_cast<int>(height);
    surface->pitch = static_cast<Uint16>(rowBytes);
    surface->pixels = pixels;
    return surface;
}

}  // namespace

SDL_Surface* decodeIconBmp(SDL_RWops* stream, const IconHeader& header) {
    SDL_Surface* surface = decode(stream, header);
    SDL_RWclose(stream);
    return surface;
}

void releaseIconSurface(SDL_Surface* surface) {
    if (surface == nullptr) return;
    std::free(surface->pixels);
    delete surface->format;
    delete surface;
}

void iconPixelRgb(Uint32 value, const SDL_Surface* surface, Uint8* r, Uint8* g, Uint8* b) {
    const SDL_PixelFormat* f = surface->format;
    *r = static_cast<Uint8>((value & f->Rmask) >> f->Rshift);
    *g = static_cast<Uint8>((value & f->Gmask) >> f->Gshift);
    *b = static_cast<Uint8>((value & f->Bmask) >> f->Bshift);
}

}  // namespace easel::detail
