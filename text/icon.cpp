#include "easel/text/icon.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>

#include "easel/text/detail/icon_streams.h"
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

// Little-endian fields of the BMP headers.
std::int64_t readLE(const std::uint8_t* p, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
    return static_cast<std::int64_t>(v);
}

// The largest image the loaders decode: 4096 x 4096 pixels, 64 MiB at 32
// bits. SDL allocates the whole image from the header before it reads a
// row, and a sparse file can announce gigabytes of rows that cost nothing on
// disk; an icon is a few dozen pixels across.
constexpr std::int64_t maxImagePixels = std::int64_t{4096} * 4096;

// The BMP compression values SDL 1.2 decodes: none, and channel masks.
// Others are refused here, so that the result does not depend on which SDL
// runs the program (SDL over SDL2 decodes an unknown one as uncompressed).
constexpr std::int64_t compressionNone = 0;
constexpr std::int64_t compressionBitfields = 3;

// The fields of a BMP header that decide whether SDL may decode it.
struct BmpHeader {
    std::int64_t dataOffset = 0;
    std::int64_t width = 0;
    std::int64_t rows = 0;
    std::int64_t depth = 0;
    std::int64_t compression = compressionNone;
};

// Reads the file and info headers from the stream's position, which it
// leaves where it was; false when they are not all there.
bool readHeader(SDL_RWops* stream, int start, BmpHeader* header) {
    constexpr int headerBytes = 34;  // file header, info size, sizes, planes, depth, compression
    std::uint8_t h[headerBytes] = {};
    const int got = SDL_RWread(stream, h, 1, headerBytes);
    if (SDL_RWseek(stream, start, RW_SEEK_SET) != start || got < 26) return false;
    header->dataOffset = readLE(h + 10, 4);
    std::int64_t height = 0;
    if (readLE(h + 14, 4) == 12) {  // the old OS/2 header: 16-bit unsigned sizes, no compression
        header->width = readLE(h + 18, 2);
        height = readLE(h + 20, 2);
        header->depth = readLE(h + 24, 2);
    } else {
        if (got < headerBytes) return false;
        header->width = static_cast<std::int32_t>(readLE(h + 18, 4));
        height = static_cast<std::int32_t>(readLE(h + 22, 4));
        header->depth = readLE(h + 28, 2);
        header->compression = readLE(h + 30, 4);
    }
    header->rows = height < 0 ? -height : height;
    return true;
}

// Whether SDL may decode the BMP at the stream's position: a compression SDL
// 1.2 knows, no more than maxImagePixels, and every pixel row that the header
// announces present in the stream. SDL allocates the whole image from the
// header before it reads a row, so a header claiming 40000 x 40000 pixels in
// a 70-byte file would cost gigabytes (or a failed allocation) before the
// short read is noticed. Apart from images above the cap, only images that
// SDL 1.2 could not load anyway, or that are refused below for their depth
// or shape, fail here; the stream is left where it was.
bool decodable(SDL_RWops* stream) {
    const int start = SDL_RWtell(stream);
    const int end = SDL_RWseek(stream, 0, RW_SEEK_END);
    if (start < 0 || end < start || SDL_RWseek(stream, start, RW_SEEK_SET) != start) return false;
    BmpHeader h;
    if (!readHeader(stream, start, &h)) return false;
    if (h.compression != compressionNone && h.compression != compressionBitfields) return false;
    if (h.width < 0) return false;
    if (h.width == 0 || h.rows == 0) return true;
    if (h.width * h.rows > maxImagePixels) return false;
    const std::int64_t bits = h.width * std::max<std::int64_t>(h.depth, 1);
    const std::int64_t rowBytes = (bits + 31) / 32 * 4;
    const std::int64_t lastRowBytes = (bits + 7) / 8;  // SDL does not insist on the last padding
    // SDL reads the rows from the data offset that the file header gives.
    const std::int64_t available = static_cast<std::int64_t>(end) - start - h.dataOffset;
    if (available < lastRowBytes) return false;
    return h.rows - 1 <= (available - lastRowBytes) / rowBytes;
}

bool closeAndFail(SDL_RWops* stream) {
    if (stream != nullptr) SDL_RWclose(stream);
    return false;
}

bool loadStream(SDL_RWops* stream, const IconTarget& t) {
    if (!t.hasArray() && t.width > 0 && t.height > 0) return closeAndFail(stream);
    paintPlaceholder(t);
    if (stream == nullptr) return false;
    if (!decodable(stream)) return closeAndFail(stream);
    SDL_Surface* surface = SDL_LoadBMP_RW(stream, 1);
    if (surface == nullptr) return false;
    const bool ok = readableSurface(surface);
    if (ok) copyOverlap(surface, t);
    SDL_FreeSurface(surface);
    return ok;
}

// Opens the file once, for reading, without waiting, and keeps it only if
// what was opened is a regular file: the descriptor, or -1. Checking the
// opened descriptor rather than the name leaves no moment in which the name
// could come to mean a FIFO, whose open would wait for a writer for ever, or
// a device that could be read for ever.
int openRegularFile(const char* fileName) {
    if (fileName == nullptr) return -1;
    int fd = -1;
    do {
        fd = ::open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return -1;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A stream over a regular file opened once through openRegularFile, so that
// what SDL reads is the very file that was checked.
SDL_RWops* openFile(const char* fileName) {
    const int fd = openRegularFile(fileName);
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
        ::close(fd);
        return nullptr;
    }
    SDL_RWops* stream = SDL_RWFromFP(file, 1);
    if (stream == nullptr) std::fclose(file);
    return stream;
}

// Reads an open regular file from where it stands to its end into bytes:
// the number of bytes, or -1 when a read fails or the file holds more than
// capacity. A regular file reads short only at its end, so a small file
// takes one read.
long readToEnd(int fd, unsigned char* bytes, std::size_t capacity) {
    std::size_t size = 0;
    for (;;) {
        unsigned char probe = 0;  // one byte past capacity tells a file that does not fit
        const bool room = size < capacity;
        const std::size_t wanted = room ? capacity - size : 1;
        const ssize_t n = ::read(fd, room ? bytes + size : &probe, wanted);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 || (n > 0 && !room)) return -1;
        size += static_cast<std::size_t>(n);
        if (static_cast<std::size_t>(n) < wanted) return static_cast<long>(size);
    }
}

SDL_RWops* openMemory(const void* data, std::size_t size) {
    if (data == nullptr || size > static_cast<std::size_t>(INT_MAX)) return nullptr;
    return SDL_RWFromConstMem(data, static_cast<int>(size));
}

}  // namespace

long detail::readIconFile(const char* fileName, void* bytes, std::size_t capacity) {
    if (bytes == nullptr && capacity > 0) return -1;
    const int fd = openRegularFile(fileName);
    if (fd < 0) return -1;
    const long size = readToEnd(fd, static_cast<unsigned char*>(bytes), capacity);
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
