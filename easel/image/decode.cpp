#include "easel/image/detail/decode.h"

#include <algorithm>
#include <cstring>

#include "easel/image/detail/format_decoders.h"

namespace easel::detail {

namespace {

constexpr const char* formatsRead = "PNG, JPEG, BMP and GIF";

enum class Signature { unknown, png, jpeg, gif, bmp, pnm };

Signature signatureOf(const unsigned char* b, std::size_t n) {
    if (n >= 8 && std::memcmp(b, "\x89PNG\r\n\x1a\n", 8) == 0) return Signature::png;
    if (n >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF) return Signature::jpeg;
    if (n >= 6 && (std::memcmp(b, "GIF87a", 6) == 0 || std::memcmp(b, "GIF89a", 6) == 0)) {
        return Signature::gif;
    }
    if (n >= 2 && b[0] == 'B' && b[1] == 'M') return Signature::bmp;
    if (n >= 3 && b[0] == 'P' && b[1] >= '1' && b[1] <= '7' && std::strchr(" \t\r\n", b[2])) {
        return Signature::pnm;
    }
    return Signature::unknown;
}

Decoded refused(const std::string& problem) {
    Decoded d;
    d.problem = problem;
    return d;
}

std::string sizeText(std::int64_t w, std::int64_t h) {
    return std::to_string(w) + " x " + std::to_string(h);
}

}  // namespace

std::string sizeProblem(std::int64_t width, std::int64_t height, const ImageLimits& limits) {
    if (fitsLimits(width, height, limits)) return "";
    if (width <= 0 || height <= 0) return "has no pixels: its size is " + sizeText(width, height);
    const ImageLimits ceiling{};
    return "is too large: " + sizeText(width, height) + " pixels, more than the " +
           sizeText(std::min(limits.maxWidth, ceiling.maxWidth),
                    std::min(limits.maxHeight, ceiling.maxHeight)) +
           " and " + std::to_string(limits.maxPixels) + " pixels an image may have";
}

Decoded decodePicture(std::FILE* file, bool tgaByName, const ImageLimits& limits) {
    unsigned char head[8] = {};
    const long start = std::ftell(file);
    const std::size_t got = std::fread(head, 1, sizeof head, file);
    if (start < 0 || std::fseek(file, start, SEEK_SET) != 0) {
        return refused("cannot be read: it cannot be read twice from the start");
    }
    switch (signatureOf(head, got)) {
        case Signature::png:
            return decodePng(file, limits);
        case Signature::jpeg:
            return decodeJpeg(file, limits);
        case Signature::gif:
            return decodeGif(file, limits);
        case Signature::bmp:
            return decodeBmp(file, limits);
        case Signature::pnm:
            return refused(std::string("is a PNM image; easel reads ") + formatsRead);
        case Signature::unknown:
            break;
    }
    if (tgaByName) return refused(std::string("is a TGA image; easel reads ") + formatsRead);
    if (got == 0) return refused("is empty, not an image");
    return refused(std::string("is not an image easel reads (") + formatsRead + ")");
}

}  // namespace easel::detail
