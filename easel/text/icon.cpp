#include "easel/text/icon.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>

#include "easel/image/detail/regular_file.h"
#include "easel/image/detail/stream.h"
#include "easel/text/detail/icon_decode.h"
#include "easel/text/detail/icon_header.h"
#include "easel/text/detail/icon_streams.h"
#include "easel/text/detail/kept_icon_file.h"
#include "easel/text/font.h"

namespace easel {

namespace {

// Where a loader writes: exactly one of the two arrays is used.
struct IconTarget {
    RgbColor* colours = nullptr;
    std::uint32_t* raw = nullptr;
    int width = 0;
    int height = 0;

    bool hasArray() const { return colours != nullptr || raw != nullptr; }
    std::ptrdiff_t index(int x, int y) const { return static_cast<std::ptrdiff_t>(x) * height + y; }
};

IconTarget makeTarget(RgbColor* colours, std::uint32_t* raw, int destWidth, int destHeight) {
    IconTarget t;
    t.colours = colours;
    t.raw = raw;
    t.width = std::max(destWidth, 0);
    t.height = std::max(destHeight, 0);
    return t;
}

// 1 where glyph g (any value, taken mod 256) has ink at row r, column c.
int fontBit(std::int64_t g, std::int64_t r, std::int64_t c) {
    return Font8x8[fontIndex(static_cast<int>(g & 255), static_cast<int>(r & 7),
                             static_cast<int>(c & 7))];
}

void paintPlaceholder(const IconTarget& t) {
    for (int x = 0; x < t.width; ++x) {
        for (int y = 0; y < t.height; ++y) {
            const std::int64_t sum = static_cast<std::int64_t>(x) + y;
            const int red = 255 * fontBit(sum / 8, y, x);
            if (t.raw != nullptr) {
                t.raw[t.index(x, y)] = static_cast<std::uint32_t>(red);
                continue;
            }
            const int green = 255 * fontBit(sum / 8, sum, x);
            const int blue = 255 * fontBit(x / 8, y, sum);
            t.colours[t.index(x, y)] = RgbColor(red, green, blue);
        }
    }
}

// Whether the surface SDL returned can be read as described by its fields:
// 3 or 4 bytes per pixel, pixel memory present, and rows long enough (the
// pitch is 16 bits in SDL 1.2, so a very wide image can report a short one).
bool readableSurface(const SDL_Surface* s) {
    if (s->format == nullptr || s->pixels == nullptr) return false;
    const int bytes = s->format->BytesPerPixel;
    if (bytes != 3 && bytes != 4) return false;
    if (s->w < 0 || s->h < 0) return false;
    return static_cast<std::int64_t>(s->pitch) >= static_cast<std::int64_t>(s->w) * bytes;
}

// The value of the pixel at p, from its own bytes only, least significant first.
std::uint32_t pixelValue(const std::uint8_t* p, int bytes) {
    std::uint32_t v = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                      static_cast<std::uint32_t>(p[2]) << 16;
    if (bytes == 4) v |= static_cast<std::uint32_t>(p[3]) << 24;
    return v;
}

// How the loaders read a decoded surface's pixel values, from what the file
// header says.
struct PixelReading {
    // The channels are the value's bytes 2, 1 and 0 (red, green, blue),
    // whatever masks SDL gave the surface: for 32-bit pixels without
    // compression that is what the file means, while SDL 1.2.15 takes colour
    // masks from whatever bytes lie between the header and the pixels.
    bool fixedChannels = false;
    // The bits of each value that are the file's own.
    std::uint32_t fileBits = 0xFFFFFFFF;
};

// SDL over SDL2 takes the fourth byte of 32-bit pixels without compression
// as alpha and, when it is 0 throughout the file, sets it to 0xFF
// throughout; SDL 1.2.15 keeps the file's bytes. As SDL2 changes all of
// them or none, the first pixel stored tells which happened: its fourth byte
// is 0 in the file but not in the surface only when SDL2 set them all.
PixelReading readingFor(const SDL_Surface* s, const detail::IconHeader& h) {
    PixelReading reading;
    if (!detail::plainThirtyTwoBit(h)) return reading;
    reading.fixedChannels = true;
    if (h.firstPixelFourthByte != 0 || s->format->BytesPerPixel != 4) return reading;
    if (s->w <= 0 || s->h <= 0) return reading;
    const int firstStoredRow = h.height > 0 ? s->h - 1 : 0;  // a negative height stores top down
    const auto* first = static_cast<const std::uint8_t*>(s->pixels) +
                        static_cast<std::ptrdiff_t>(firstStoredRow) * s->pitch;
    if (first[3] != 0) reading.fileBits = 0x00FFFFFF;
    return reading;
}

RgbColor colourOf(std::uint32_t value, const SDL_Surface* s, const PixelReading& reading) {
    if (reading.fixedChannels) {
        return RgbColor(static_cast<int>(value >> 16 & 255), static_cast<int>(value >> 8 & 255),
                        static_cast<int>(value & 255));
    }
    Uint8 r = 0, g = 0, b = 0;
    detail::iconPixelRgb(value, s, &r, &g, &b);
    return RgbColor(r, g, b);
}

void copyOverlap(SDL_Surface* s, const PixelReading& reading, const IconTarget& t) {
    const int cols = std::min(s->w, t.width);
    const int rows = std::min(s->h, t.height);
    const int bytes = s->format->BytesPerPixel;
    const auto* base = static_cast<const std::uint8_t*>(s->pixels);
    for (int x = 0; x < cols; ++x) {
        for (int y = 0; y < rows; ++y) {
            const std::uint8_t* p = base + static_cast<std::ptrdiff_t>(y) * s->pitch +
                                    static_cast<std::ptrdiff_t>(x) * bytes;
            const std::uint32_t value = pixelValue(p, bytes) & reading.fileBits;
            if (t.raw != nullptr) {
                t.raw[t.index(x, y)] = value;
            } else {
                t.colours[t.index(x, y)] = colourOf(value, s, reading);
            }
        }
    }
}

// The palette colour of index, or black beyond the palette.
std::uint32_t paletteWord(const SDL_Palette* palette, std::uint8_t index) {
    if (index >= palette->ncolors) return 0xFF000000u;
    const SDL_Color& c = palette->colors[index];
    return 0xFF000000u | static_cast<std::uint32_t>(c.r) << 16 |
           static_cast<std::uint32_t>(c.g) << 8 | c.b;
}

// Row-major opaque words, for the image loader; a surface of 1 byte a pixel
// is read through its palette.
void copyWords(SDL_Surface* s, const PixelReading& reading, std::uint32_t* words) {
    const int bytes = s->format->BytesPerPixel;
    if (bytes == 1) {
        for (int y = 0; y < s->h; ++y) {
            const auto* row = static_cast<const std::uint8_t*>(s->pixels) +
                              static_cast<std::ptrdiff_t>(y) * s->pitch;
            std::uint32_t* out = words + static_cast<std::ptrdiff_t>(y) * s->w;
            for (int x = 0; x < s->w; ++x) out[x] = paletteWord(s->format->palette, row[x]);
        }
        return;
    }
    const auto* base = static_cast<const std::uint8_t*>(s->pixels);
    for (int y = 0; y < s->h; ++y) {
        const std::uint8_t* row = base + static_cast<std::ptrdiff_t>(y) * s->pitch;
        std::uint32_t* out = words + static_cast<std::ptrdiff_t>(y) * s->w;
        for (int x = 0; x < s->w; ++x) {
            const RgbColor c =
                colourOf(pixelValue(row + x * bytes, bytes) & reading.fileBits, s, reading);
            out[x] = 0xFF000000u | static_cast<std::uint32_t>(c.r & 255) << 16 |
                     static_cast<std::uint32_t>(c.g & 255) << 8 |
                     static_cast<std::uint32_t>(c.b & 255);
        }
    }
}

bool closeAndFail(SDL_RWops* stream) {
    if (stream != nullptr) SDL_RWclose(stream);
    return false;
}

bool loadStream(SDL_RWops* stream, const IconTarget& t) {
    if (!t.hasArray() && t.width > 0 && t.height > 0) return closeAndFail(stream);
    paintPlaceholder(t);
    if (stream == nullptr) return false;
    detail::IconHeader header;
    if (!detail::readDecodableHeader(stream, &header)) return closeAndFail(stream);
    SDL_Surface* surface = detail::decodeIconBmp(stream, header);
    if (surface == nullptr) return false;
    const bool ok = readableSurface(surface);
    if (ok) copyOverlap(surface, readingFor(surface, header), t);
    detail::releaseIconSurface(surface);
    return ok;
}

// A stream over a regular file opened once through the library's one
// regular-file check (shared with the image loader), so that what SDL reads
// is the very file that was checked.
SDL_RWops* openFile(const char* fileName) {
    const int fd = detail::openRegularFile(fileName, nullptr);
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
        ::close(fd);
        return nullptr;
    }
    SDL_RWops* stream = detail::fileStream(file);
    if (stream == nullptr) std::fclose(file);
    return stream;
}

SDL_RWops* openMemory(const void* data, std::size_t size) {
    return detail::memoryStream(data, size);
}

}  // namespace

bool detail::readBmpWords(SDL_RWops* stream, const IconHeader& header, std::uint32_t* words,
                          int width, int height) {
    SDL_Surface* surface = SDL_LoadBMP_RW(stream, 0);
    if (surface == nullptr) return false;
    const bool paletted = surface->format != nullptr && surface->format->BytesPerPixel == 1 &&
                          surface->format->palette != nullptr && surface->pixels != nullptr &&
                          surface->pitch >= surface->w;
    const bool ok =
        (readableSurface(surface) || paletted) && surface->w == width && surface->h == height;
    if (ok) copyWords(surface, readingFor(surface, header), words);
    SDL_FreeSurface(surface);
    return ok;
}

long detail::readIconFile(const char* fileName, void* bytes, std::size_t capacity) {
    if (bytes == nullptr && capacity > 0) return -1;
    const int fd = detail::openRegularFile(fileName, nullptr);
    if (fd < 0) return -1;
    const long size = detail::readFromStart(fd, bytes, capacity);
    ::close(fd);
    return size;
}

bool loadIcon(const char* fileName, RgbColor* dest, int destWidth, int destHeight) {
    return detail::loadIconFrom(openFile(fileName), dest, destWidth, destHeight);
}

bool loadIconRaw(const char* fileName, std::uint32_t* dest, int destWidth, int destHeight) {
    return detail::loadIconRawFrom(openFile(fileName), dest, destWidth, destHeight);
}

bool detail::loadIconFrom(SDL_RWops* stream, RgbColor* dest, int destWidth, int destHeight) {
    return loadStream(stream, makeTarget(dest, nullptr, destWidth, destHeight));
}

bool detail::loadIconRawFrom(SDL_RWops* stream, std::uint32_t* dest, int destWidth,
                             int destHeight) {
    return loadStream(stream, makeTarget(nullptr, dest, destWidth, destHeight));
}

bool loadIconFromMemory(const void* data, std::size_t size, RgbColor* dest, int destWidth,
                        int destHeight) {
    return detail::loadIconFrom(openMemory(data, size), dest, destWidth, destHeight);
}

bool detail::loadIconRawFromMemory(const void* data, std::size_t size, std::uint32_t* dest,
                                   int destWidth, int destHeight) {
    return detail::loadIconRawFrom(openMemory(data, size), dest, destWidth, destHeight);
}

}  // namespace easel
