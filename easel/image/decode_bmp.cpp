#include <SDL.h>

#include <cstdint>

#include "easel/image/detail/bmp_rle.h"
#include "easel/image/detail/format_decoders.h"
#include "easel/text/detail/icon_header.h"

namespace easel::detail {

namespace {

struct StreamCloser {
    SDL_RWops* stream = nullptr;
    ~StreamCloser() {
        if (stream != nullptr) SDL_RWclose(stream);
    }
};

}  // namespace

Decoded decodeBmp(std::FILE* file, const ImageLimits& limits) {
    Decoded decoded;
    StreamCloser closer;
    closer.stream = SDL_RWFromFP(file, SDL_FALSE);
    if (closer.stream == nullptr) {
        decoded.problem = std::string("cannot be read: ") + SDL_GetError();
        return decoded;
    }
    IconHeader header;
    const bool decodable = readDecodableHeader(closer.stream, &header, limits.maxPixels, true);
    const std::int64_t height = header.height < 0 ? -header.height : header.height;
    if (header.width > 0 && height > 0) decoded.problem = sizeProblem(header.width, height, limits);
    if (!decoded.problem.empty()) return decoded;
    if (runLengthEncoded(header) && header.width > 0 && header.height != 0) {
        return decodeBmpRle(closer.stream, header);
    }
    if (!decodable || header.width <= 0 || height <= 0) {
        decoded.problem =
            "is a BMP image easel does not read: only uncompressed 1-, 4-, 8-, 24- and 32-bit "
            "files with all their rows, and 4- and 8-bit run-length encoded ones, are read";
        return decoded;
    }
    Image image(static_cast<int>(header.width), static_cast<int>(height));
    if (!readBmpWords(closer.stream, header, image.pixels(), image.width(), image.height())) {
        decoded.problem = std::string("is a damaged BMP image: ") + SDL_GetError();
        return decoded;
    }
    decoded.image = std::move(image);
    return decoded;
}

}  // namespace easel::detail
