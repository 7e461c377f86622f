// The picture decoders in the browser: the browser's own (PNG, JPEG, GIF and
// BMP; a browser reads no PNM or TGA, and such a file is refused). The bytes
// go to createImageBitmap and come back as RGBA through a canvas; the call
// is asynchronous in JavaScript and awaited under ASYNCIFY.
#include <emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "easel/image/detail/decode.h"

namespace easel::detail {

namespace {

// Decodes size bytes; returns malloc'd RGBA rows and the size in *width and
// *height, or null.
EM_ASYNC_JS(std::uint8_t*, browserDecode, (const std::uint8_t* bytes, int size, int* width,
                                           int* height), {
    try {
        const blob = new Blob([HEAPU8.slice(bytes, bytes + size)]);
        const bitmap = await createImageBitmap(blob, {premultiplyAlpha: 'none',
                                                      colorSpaceConversion: 'none'});
        const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
        const context = canvas.getContext('2d');
        context.drawImage(bitmap, 0, 0);
        const rgba = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
        const out = _malloc(rgba.length);
        if (!out) return 0;
        HEAPU8.set(rgba, out);
        HEAP32[width >> 2] = bitmap.width;
        HEAP32[height >> 2] = bitmap.height;
        return out;
    } catch (e) {
        return 0;
    }
});

// A surface of the library's own over RGBA pixel memory (red in the lowest
// byte), read through its format's masks, shifts and losses.
SDL_Surface* rgbaSurface(std::uint8_t* pixels, int width, int height) {
    auto* format = new SDL_PixelFormat();
    format->BitsPerPixel = 32;
    format->BytesPerPixel = 4;
    format->Rmask = 0x000000FFu;
    format->Gmask = 0x0000FF00u;
    format->Bmask = 0x00FF0000u;
    format->Amask = 0xFF000000u;
    format->Gshift = 8;
    format->Bshift = 16;
    format->Ashift = 24;
    auto* surface = new SDL_Surface();
    surface->format = format;
    surface->w = width;
    surface->h = height;
    surface->pitch = static_cast<Uint16>(width * 4);
    surface->pixels = pixels;
    return surface;
}

bool readAll(SDL_RWops* stream, std::vector<std::uint8_t>* bytes) {
    std::uint8_t chunk[16384];
    for (;;) {
        const size_t got = SDL_RWread(stream, chunk, 1, sizeof chunk);
        if (got == 0) return true;
        bytes->insert(bytes->end(), chunk, chunk + got);
    }
}

}  // namespace

SDL_Surface* decodePicture(ImageFormat format, SDL_RWops* stream, std::string* why) {
    if (format == ImageFormat::pnm || format == ImageFormat::tga) {
        if (why != nullptr) *why = "the browser does not read PNM or TGA pictures";
        return nullptr;
    }
    std::vector<std::uint8_t> bytes;
    readAll(stream, &bytes);
    int width = 0, height = 0;
    std::uint8_t* pixels =
        browserDecode(bytes.data(), static_cast<int>(bytes.size()), &width, &height);
    if (pixels == nullptr) {
        if (why != nullptr) *why = "the browser cannot decode it";
        return nullptr;
    }
    // The pitch is 16 bits in SDL 1.2's record.
    if (width > 0xFFFF / 4) {
        std::free(pixels);
        if (why != nullptr) *why = "too wide for the browser build";
        return nullptr;
    }
    return rgbaSurface(pixels, width, height);
}

void releaseDecoded(SDL_Surface* surface) {
    if (surface == nullptr) return;
    std::free(surface->pixels);
    delete surface->format;
    delete surface;
}

}  // namespace easel::detail
