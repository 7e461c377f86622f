// The PNG encoder in the browser: the browser's own (a canvas's PNG export),
// which is lossless for opaque 8-bit RGB. It is asynchronous in JavaScript
// and awaited under ASYNCIFY, so the call returns with the file written.
#include <emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "easel/image/detail/encode.h"

namespace easel::detail {

namespace {

// Encodes width x height RGBA bytes; returns malloc'd PNG bytes and their
// count in *size, or null.
EM_ASYNC_JS(std::uint8_t*, browserEncodePng, (const std::uint8_t* rgba, int width, int height,
                                              int* size), {
    try {
        const pixels = new ImageData(new Uint8ClampedArray(HEAPU8.slice(rgba, rgba + width * height * 4).buffer), width, height);
        const canvas = new OffscreenCanvas(width, height);
        canvas.getContext('2d').putImageData(pixels, 0, 0);
        const blob = await canvas.convertToBlob({type: 'image/png'});
        const bytes = new Uint8Array(await blob.arrayBuffer());
        const out = _malloc(bytes.length);
        if (!out) return 0;
        HEAPU8.set(bytes, out);
        HEAP32[size >> 2] = bytes.length;
        return out;
    } catch (e) {
        return 0;
    }
});

}  // namespace

bool encodePng(const Image& image, std::FILE* out, std::string* why) {
    const std::size_t count = static_cast<std::size_t>(image.width()) * image.height();
    std::vector<std::uint8_t> rgba(count * 4);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t v = image.pixels()[i];
        rgba[4 * i] = static_cast<std::uint8_t>(v >> 16);
        rgba[4 * i + 1] = static_cast<std::uint8_t>(v >> 8);
        rgba[4 * i + 2] = static_cast<std::uint8_t>(v);
        rgba[4 * i + 3] = 255;
    }
    int size = 0;
    std::uint8_t* png = browserEncodePng(rgba.data(), image.width(), image.height(), &size);
    if (png == nullptr) {
        if (why != nullptr) *why = "the browser's PNG encoder failed";
        return false;
    }
    const bool written = std::fwrite(png, 1, static_cast<std::size_t>(size), out) ==
                         static_cast<std::size_t>(size);
    std::free(png);
    if (!written && why != nullptr) *why = "cannot write the PNG";
    return written;
}

}  // namespace easel::detail
