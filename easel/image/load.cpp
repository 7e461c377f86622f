#include "easel/image/load.h"

#include <SDL.h>
#include <SDL_image.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <vector>

#include "easel/image/detail/image_header.h"
#include "easel/image/detail/regular_file.h"

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

// The GIF decoder of SDL_image 1.2 reads on for ever when its stream ends in
// the middle of a frame's data: at the end it is told "no block" and asks
// again. It is given the file's bytes followed by zeros instead, which it
// reads as empty blocks, the end of the frame; a bounded run of them, so
// that nothing can read for ever.
constexpr int gifPadding = 64 * 1024;
constexpr std::size_t largestGifFile = std::size_t{256} * 1024 * 1024;

struct PaddedBytes {
    std::vector<std::uint8_t> bytes;
    int at = 0;
};

int paddedSeek(SDL_RWops* context, int offset, int whence) {
    auto* p = static_cast<PaddedBytes*>(context->hidden.unknown.data1);
    const std::int64_t end = static_cast<std::int64_t>(p->bytes.size()) + gifPadding;
    std::int64_t to = offset;
    if (whence == RW_SEEK_CUR) to += p->at;
    if (whence == RW_SEEK_END) to += end;
    if (to < 0 || to > end) return -1;
    p->at = static_cast<int>(to);
    return p->at;
}

int paddedRead(SDL_RWops* context, void* out, int size, int count) {
    auto* p = static_cast<PaddedBytes*>(context->hidden.unknown.data1);
    if (size <= 0 || count <= 0) return 0;
    const std::int64_t end = static_cast<std::int64_t>(p->bytes.size()) + gifPadding;
    const std::int64_t whole = std::min<std::int64_t>(count, (end - p->at) / size);
    auto* to = static_cast<std::uint8_t*>(out);
    for (std::int64_t i = 0; i < whole * size; ++i, ++p->at) {
        to[i] = p->at < static_cast<int>(p->bytes.size()) ? p->bytes[p->at] : 0;
    }
    return static_cast<int>(whole);
}

int noWrite(SDL_RWops*, const void*, int, int) { return 0; }
int noClose(SDL_RWops*) { return 0; }

// Reads the rest of the stream; false when it is larger than a GIF may be.
bool readAll(SDL_RWops* stream, std::vector<std::uint8_t>* bytes) {
    std::uint8_t chunk[16384];
    for (;;) {
        const int got = SDL_RWread(stream, chunk, 1, sizeof chunk);
        if (got <= 0) return true;
        if (bytes->size() + got > largestGifFile) return false;
        bytes->insert(bytes->end(), chunk, chunk + got);
    }
}

SDL_Surface* decodeGif(SDL_RWops* stream) {
    PaddedBytes padded;
    if (!readAll(stream, &padded.bytes)) {
        SDL_SetError("more than 256 MiB");
        return nullptr;
    }
    SDL_RWops* reader = SDL_AllocRW();
    if (reader == nullptr) return nullptr;
    reader->seek = paddedSeek;
    reader->read = paddedRead;
    reader->write = noWrite;
    reader->close = noClose;
    reader->hidden.unknown.data1 = &padded;
    SDL_Surface* surface = IMG_LoadGIF_RW(reader);
    SDL_FreeRW(reader);
    return surface;
}

// The decoder of the one format whose header was checked: the stream is
// never handed to a decoder of another format.
SDL_Surface* decode(ImageFormat format, SDL_RWops* stream) {
    switch (format) {
        case ImageFormat::png:
            return IMG_LoadPNG_RW(stream);
        case ImageFormat::bmp:
            return IMG_LoadBMP_RW(stream);
        case ImageFormat::gif:
            return decodeGif(stream);
        case ImageFormat::jpeg:
            return IMG_LoadJPG_RW(stream);
        case ImageFormat::pnm:
            return IMG_LoadPNM_RW(stream);
        case ImageFormat::tga:
            return IMG_LoadTGA_RW(stream);
        case ImageFormat::unknown:
            break;
    }
    return nullptr;
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
    const bool lock = SDL_MUSTLOCK(s);
    if (lock) SDL_LockSurface(s);
    const int bytes = s->format->BytesPerPixel;
    const auto* base = static_cast<const std::uint8_t*>(s->pixels);
    for (int y = 0; y < s->h; ++y) {
        const std::uint8_t* row = base + static_cast<std::ptrdiff_t>(y) * s->pitch;
        std::uint32_t* out = image.pixels() + static_cast<std::size_t>(y) * s->w;
        for (int x = 0; x < s->w; ++x) {
            out[x] = 0xFF000000u | toRgb(pixelValue(row + x * bytes, bytes), s->format);
        }
    }
    if (lock) SDL_UnlockSurface(s);
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
    SDL_Surface* surface = decode(header.format, stream);
    SDL_RWclose(stream);
    if (surface == nullptr) {
        return refuse(why, quoted(name) + " is a damaged " + format + " image: " + IMG_GetError());
    }
    std::optional<Image> image;
    if (readable(surface, header.width, header.height)) image = copySurface(surface);
    SDL_FreeSurface(surface);
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
    SDL_RWops* stream = SDL_RWFromFP(file, 1);
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
    SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (stream == nullptr) return refuse(why, quoted(name) + " cannot be read: " + SDL_GetError());
    return loadStream(stream, name, why, limits);
}

}  // namespace easel
