#include "easel/image/load.h"

#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <vector>

#include "easel/image/detail/decode.h"
#include "easel/image/detail/image_header.h"
#include "easel/image/detail/regular_file.h"
#include "easel/image/detail/stream.h"

namespace easel {

namespace {

using detail::ImageFormat;

std::optional<Image> refuse(std::string* why, const std::string& message) {
    if (why != nullptr) *why = message;
    return std::nullopt;
}

std::string quoted(const char* name) { return std::string("'") + (name ? name : "") + "'"; }

bool endsWithTga(const char* name) {
    if (name == nullptr) return false;
    const std::string s(name);
    if (s.size() < 4) return false;
    std::string end = s.substr(s.size() - 4);
    for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return end == ".tga";
}

std::uint32_t pixelValue(const std::uint8_t* p, int bytes) {
    std::uint32_t v = 0;
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
    for (int i = 0; i < bytes; ++i) v = v << 8 | p[i];
#else
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
#endif
    return v;
}

// One channel as SDL_GetRGBA reads it. A BMP's own bit fields can give SDL
// masks with shifts and losses out of a word's range; such a channel is 0.
int channel(std::uint32_t v, std::uint32_t mask, int shift, int loss) {
    if (shift < 0 || shift > 31 || loss < 0 || loss > 7) return 0;
    return static_cast<int>((((v & mask) >> shift) << loss) & 255);
}

// The pixel as 0x00RRGGBB, laid over white by its alpha. A palette index
// beyond the palette reads black.
std::uint32_t toRgb(std::uint32_t v, const SDL_PixelFormat* f) {
    int r = 0, g = 0, b = 0, a = 255;
    if (f->palette != nullptr) {
        if (static_cast<int>(v) < f->palette->ncolors) {
            const SDL_Color& c = f->palette->colors[v];
            r = c.r;
            g = c.g;
            b = c.b;
        }
    } else {
        r = channel(v, f->Rmask, f->Rshift, f->Rloss);
        g = channel(v, f->Gmask, f->Gshift, f->Gloss);
        b = channel(v, f->Bmask, f->Bshift, f->Bloss);
        if (f->Amask != 0) a = channel(v, f->Amask, f->Ashift, f->Aloss);
    }
    if (a != 255) {
        const int white = 255 * (255 - a);
        r = (r * a + white + 127) / 255;
        g = (g * a + white + 127) / 255;
        b = (b * a + white + 127) / 255;
    }
    return static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 |
           static_cast<std::uint32_t>(b);
}

// Whether the decoded surface can be read as its fields describe.
bool readable(const SDL_Surface* s, std::int64_t width, std::int64_t height) {
    if (s->format == nullptr || s->pixels == nullptr) return false;
    const int bytes = s->format->BytesPerPixel;
    if (bytes < 1 || bytes > 4 || s->w != width || s->h != height) return false;
    return static_cast<std::int64_t>(s->pitch) >= static_cast<std::int64_t>(s->w) * bytes;
}

Image copySurface(SDL_Surface* s) {
    Image image(s->w, s->h);
    const int bytes = s->format->BytesPerPixel;
    const auto* base = static_cast<const std::uint8_t*>(s->pixels);
    for (int y = 0; y < s->h; ++y) {
        const std::uint8_t* row = base + static_cast<std::ptrdiff_t>(y) * s->pitch;
        std::uint32_t* out = image.pixels() + static_cast<std::size_t>(y) * s->w;
        for (int x = 0; x < s->w; ++x) {
            out[x] = 0xFF000000u | toRgb(pixelValue(row + x * bytes, bytes), s->format);
        }
    }
    return image;
}

std::string sizeText(std::int64_t w, std::int64_t h) {
    return std::to_string(w) + " x " + std::to_string(h);
}

// Why an image with this header is not decoded; empty when it may be.
std::string headerProblem(const detail::ImageHeader& header, const char* name,
                          const ImageLimits& limits) {
    const std::string format = detail::formatName(header.format);
    if (header.format == ImageFormat::unknown) {
        return quoted(name) + " is not an image easel reads (PNG, JPEG, BMP, GIF, PNM or TGA)";
    }
    if (!header.sizeKnown || header.width <= 0 || header.height <= 0) {
        return quoted(name) + " is a damaged " + format + " image: no size in its header";
    }
    if (!fitsLimits(header.width, header.height, limits)) {
        const ImageLimits ceiling{};
        return quoted(name) + " is too large: " + sizeText(header.width, header.height) +
               " pixels, more than the " +
               sizeText(std::min(limits.maxWidth, ceiling.maxWidth),
                        std::min(limits.maxHeight, ceiling.maxHeight)) +
               " and " + std::to_string(limits.maxPixels) + " pixels an image may have";
    }
    if (!header.complete) {
        return quoted(name) + " is a damaged " + format + " image: its data is cut short or damaged";
    }
    return "";
}

// Checks the header, then decodes; the stream is closed in every case.
std::optional<Image> loadStream(SDL_RWops* stream, const char* name, std::string* why,
                                const ImageLimits& limits) {
    const detail::ImageHeader header = detail::readImageHeader(stream, endsWithTga(name));
    const std::string problem = headerProblem(header, name, limits);
    if (!problem.empty()) {
        SDL_RWclose(stream);
        return refuse(why, problem);
    }
    const char* format = detail::formatName(header.format);
    std::string reason;
    SDL_Surface* surface = detail::decodePicture(header.format, stream, &reason);
    SDL_RWclose(stream);
    if (surface == nullptr) {
        return refuse(why, quoted(name) + " is a damaged " + format + " image: " + reason);
    }
    std::optional<Image> image;
    if (readable(surface, header.width, header.height)) image = copySurface(surface);
    detail::releaseDecoded(surface);
    if (!image) return refuse(why, quoted(name) + " is a damaged " + format + " image");
    return image;
}

}  // namespace

std::optional<Image> loadImage(const char* fileName, std::string* why, const ImageLimits& limits) {
    const int fd = detail::openRegularFile(fileName, why);
    if (fd < 0) return std::nullopt;
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
        ::close(fd);
        return refuse(why, quoted(fileName) + " cannot be read");
    }
    SDL_RWops* stream = detail::fileStream(file);
    if (stream == nullptr) {
        std::fclose(file);
        return refuse(why, quoted(fileName) + " cannot be read: " + SDL_GetError());
    }
    return loadStream(stream, fileName, why, limits);
}

std::optional<Image> loadImageFromMemory(const void* data, std::size_t size, const char* name,
                                         std::string* why, const ImageLimits& limits) {
    if (data == nullptr || size > static_cast<std::size_t>(INT_MAX)) {
        return refuse(why, quoted(name) + " cannot be read: no data, or more than 2 GiB");
    }
    SDL_RWops* stream = detail::memoryStream(data, size);
    if (stream == nullptr) return refuse(why, quoted(name) + " cannot be read: " + SDL_GetError());
    return loadStream(stream, name, why, limits);
}

}  // namespace easel
