#include "easel/text/icon.h"

#include <algorithm>
#include <climits>

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

void copyOverlap(SDL_Surface* s, const IconTarget& t) {
    const int cols = std::min(s->w, t.width);
    const int rows = std::min(s->h, t.height);
    const int bytes = s->format->BytesPerPixel;
    const auto* base = static_cast<const std::uint8_t*>(s->pixels);
    for (int x = 0; x < cols; ++x) {
        for (int y = 0; y < rows; ++y) {
            const std::uint8_t* p = base + static_cast<std::ptrdiff_t>(y) * s->pitch +
                                    static_cast<std::ptrdiff_t>(x) * bytes;
            const std::uint32_t value = pixelValue(p, bytes);
            if (t.raw != nullptr) {
                t.raw[t.index(x, y)] = value;
                continue;
            }
            Uint8 r = 0, g = 0, b = 0;
            SDL_GetRGB(value, s->format, &r, &g, &b);
            t.colours[t.index(x, y)] = RgbColor(r, g, b);
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
    SDL_Surface* surface = SDL_LoadBMP_RW(stream, 1);
    if (surface == nullptr) return false;
    const bool ok = readableSurface(surface);
    if (ok) copyOverlap(surface, t);
    SDL_FreeSurface(surface);
    return ok;
}

SDL_RWops* openFile(const char* fileName) {
    return fileName != nullptr ? SDL_RWFromFile(fileName, "rb") : nullptr;
}

SDL_RWops* openMemory(const void* data, std::size_t size) {
    if (data == nullptr || size > static_cast<std::size_t>(INT_MAX)) return nullptr;
    return SDL_RWFromConstMem(data, static_cast<int>(size));
}

}  // namespace

bool loadIcon(const char* fileName, RgbColor* dest, int destWidth, int destHeight) {
    return loadIconFrom(openFile(fileName), dest, destWidth, destHeight);
}

bool loadIconRaw(const char* fileName, std::uint32_t* dest, int destWidth, int destHeight) {
    return loadIconRawFrom(openFile(fileName), dest, destWidth, destHeight);
}

bool loadIconFrom(SDL_RWops* stream, RgbColor* dest, int destWidth, int destHeight) {
    return loadStream(stream, makeTarget(dest, nullptr, destWidth, destHeight));
}

bool loadIconRawFrom(SDL_RWops* stream, std::uint32_t* dest, int destWidth, int destHeight) {
    return loadStream(stream, makeTarget(nullptr, dest, destWidth, destHeight));
}

bool loadIconFromMemory(const void* data, std::size_t size, RgbColor* dest, int destWidth,
                        int destHeight) {
    return loadIconFrom(openMemory(data, size), dest, destWidth, destHeight);
}

bool loadIconRawFromMemory(const void* data, std::size_t size, std::uint32_t* dest, int destWidth,
                           int destHeight) {
    return loadIconRawFrom(openMemory(data, size), dest, destWidth, destHeight);
}

}  // namespace easel
