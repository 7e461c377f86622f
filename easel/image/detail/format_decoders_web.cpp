// The picture decoders in the browser build, behind the same header as the
// desktop's: the browser's own decoders for PNG, JPEG, GIF and BMP. The
// file's bytes go to createImageBitmap and come back as RGBA through a
// canvas; the call is asynchronous in JavaScript and awaited under ASYNCIFY.
// The browser reads the size from the header itself, so the limits are
// checked once it has decoded, before the picture is copied.
#include <emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "easel/image/detail/format_decoders.h"

namespace easel::detail {

namespace {

constexpr std::size_t largestFile = std::size_t{256} << 20;

// Decodes size bytes; returns malloc'd RGBA rows and the size in *width and
// *height, or null.
EM_ASYNC_JS(std::uint8_t*, browserDecode, (const std::uint8_t* bytes, int size, int* width,
                                           int* height), {
    try {
        const blob = new Blob([HEAPU8.slice(bytes, bytes + size)]);
        const bitmap = await createImageBitmap(blob, {premultiplyAlpha: 'none',
                                                      colorSpaceConversion: 'none'});
        HEAP32[width >> 2] = bitmap.width;
        HEAP32[height >> 2] = bitmap.height;
        const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
        const context = canvas.getContext('2d');
        context.drawImage(bitmap, 0, 0);
        const rgba = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
        const out = _malloc(rgba.length);
        if (!out) return 0;
        HEAPU8.set(rgba, out);
        return out;
    } catch (e) {
        return 0;
    }
});

bool readRest(std::FILE* file, std::vector<std::uint8_t>* bytes) {
    std::uint8_t chunk[16384];
    for (std::size_t got = 0; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        if (bytes->size() + got > largestFile) return false;
        bytes->insert(bytes->end(), chunk, chunk + got);
    }
    return true;
}

Decoded decodeInBrowser(std::FILE* file, const ImageLimits& limits, const char* format) {
    Decoded decoded;
    std::vector<std::uint8_t> bytes;
    if (!readRest(file, &bytes)) {
        decoded.problem = "is too large: more than 256 MiB";
        return decoded;
    }
    int width = 0, height = 0;
    std::uint8_t* rgba = browserDecode(bytes.data(), static_cast<int>(bytes.size()), &width, &height);
    if (rgba == nullptr) {
        decoded.problem = sizeProblem(width, height, limits);
        if (decoded.problem.empty() || width == 0) {
            decoded.problem = std::string("is a damaged ") + format + " image: the browser cannot decode it";
        }
        return decoded;
    }
    decoded.problem = sizeProblem(width, height, limits);
    if (decoded.problem.empty()) {
        Image image(width, height);
        std::uint32_t* words = image.pixels();
        const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* p = rgba + 4 * i;
            words[i] = packPixel(RgbColor(p[0], p[1], p[2]), p[3]);
        }
        decoded.image = std::move(image);
    }
    std::free(rgba);
    return decoded;
}

}  // namespace

Decoded decodePng(std::FILE* file, const ImageLimits& limits) { return decodeInBrowser(file, limits, "PNG"); }

Decoded decodeJpeg(std::FILE* file, const ImageLimits& limits) { return decodeInBrowser(file, limits, "JPEG"); }

Decoded decodeGif(std::FILE* file, const ImageLimits& limits) { return decodeInBrowser(file, limits, "GIF"); }

Decoded decodeBmp(std::FILE* file, const ImageLimits& limits) { return decodeInBrowser(file, limits, "BMP"); }

}  // namespace easel::detail
