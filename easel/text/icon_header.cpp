#include "easel/text/detail/icon_header.h"

#include <algorithm>

namespace easel::detail {

namespace {

constexpr std::int64_t compressionNone = 0;
constexpr std::int64_t compressionBitfields = 3;

constexpr int fileHeaderBytes = 14;
constexpr int maxInfoBytes = 124;
// Bit-field masks sit right after the 40-byte part of every info header:
// inside the larger headers, just after a 40-byte one.
constexpr int maskOffset = fileHeaderBytes + 40;

// Little-endian fields of the BMP headers.
std::int64_t readLE(const std::uint8_t* p, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
    return static_cast<std::int64_t>(v);
}

// Info header sizes that SDL 1.2.15 and SDL2 both read field for field: the
// OS/2 1.x header and the Windows headers from BITMAPINFOHEADER to
// BITMAPV5HEADER. SDL 1.2.15 misreads the 64-byte OS/2 2.x header, and the
// two treat made-up sizes differently.
bool knownInfoSize(std::int64_t size) {
    for (const std::int64_t known : {12, 40, 52, 56, 108, 124}) {
        if (size == known) return true;
    }
    return false;
}

// The bit-field layouts of 8-bit channels in a 32-bit pixel that SDL2 has a
// format for; SDL 1.2.15 takes any masks, SDL2 refuses the rest.
struct ChannelBytes {
    std::uint32_t red, green, blue, spare;
};
constexpr ChannelBytes knownLayouts[] = {
    {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000},
    {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF},
    {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000},
    {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF},
};

// SDL 1.2.15 ignores an alpha mask and SDL2 reads one only from a 56-byte or
// larger header, where it must be absent or the byte left over.
bool knownBitfields(const IconHeader& h) {
    if (h.depth != 32) return false;
    for (const ChannelBytes& c : knownLayouts) {
        if (h.masks[0] != c.red || h.masks[1] != c.green || h.masks[2] != c.blue) continue;
        return h.infoSize < 56 || h.masks[3] == 0 || h.masks[3] == c.spare;
    }
    return false;
}

// Reads the headers from the stream's position into h; false when the file
// header, the info header or the masks that SDL reads are not all there.
bool readHeaderFields(SDL_RWops* stream, IconHeader* h) {
    std::uint8_t b[fileHeaderBytes + maxInfoBytes] = {};
    const int got = SDL_RWread(stream, b, 1, static_cast<int>(sizeof b));
    if (got < fileHeaderBytes + 12) return false;
    h->dataOffset = readLE(b + 10, 4);
    h->infoSize = readLE(b + 14, 4);
    if (!knownInfoSize(h->infoSize) || got < fileHeaderBytes + h->infoSize) return false;
    if (h->infoSize == 12) {  // OS/2 1.x: 16-bit unsigned sizes, no compression
        h->width = readLE(b + 18, 2);
        h->height = readLE(b + 20, 2);
        h->depth = readLE(b + 24, 2);
        return true;
    }
    h->width = static_cast<std::int32_t>(readLE(b + 18, 4));
    h->height = static_cast<std::int32_t>(readLE(b + 22, 4));
    h->depth = readLE(b + 28, 2);
    h->compression = readLE(b + 30, 4);
    if (h->compression != compressionBitfields) return true;
    if (got < maskOffset + 16) return false;
    for (int i = 0; i < 4; ++i)
        h->masks[i] = static_cast<std::uint32_t>(readLE(b + maskOffset + 4 * i, 4));
    return true;
}

// Whether the rows that the header announces all follow the data offset, in
// a stream of total bytes from the header on. SDL allocates the whole image
// from the header before it reads a row, so a header claiming 40000 x 40000
// pixels in a 70-byte file would cost gigabytes (or a failed allocation)
// before the short read is noticed.
// The largest image decoded is maxPixels (4096 x 4096 for icons, a few dozen
// pixels across): SDL allocates the whole image from the header before it
// reads a row, and a sparse file can announce gigabytes of rows that cost
// nothing on disk.
bool rowsPresent(const IconHeader& h, std::int64_t total, std::int64_t maxPixels) {
    const std::int64_t rows = h.height < 0 ? -h.height : h.height;
    if (h.width == 0 || rows == 0) return true;
    if (h.width * rows > maxPixels) return false;
    const std::int64_t bits = h.width * h.depth;
    const std::int64_t rowBytes = (bits + 31) / 32 * 4;
    const std::int64_t lastRowBytes = (bits + 7) / 8;  // SDL does not insist on the last padding
    const std::int64_t available = total - h.dataOffset;
    if (available < lastRowBytes) return false;
    return rows - 1 <= (available - lastRowBytes) / rowBytes;
}

// The fourth byte of the first pixel stored, or -1 when it cannot be read.
int firstPixelFourthByte(SDL_RWops* stream, int start, const IconHeader& h) {
    std::uint8_t byte = 0;
    const std::int64_t at = start + h.dataOffset + 3;
    if (SDL_RWseek(stream, static_cast<int>(at), RW_SEEK_SET) != at) return -1;
    return SDL_RWread(stream, &byte, 1, 1) == 1 ? byte : -1;
}

}  // namespace

bool readDecodableHeader(SDL_RWops* stream, IconHeader* header, std::int64_t maxPixels,
                         bool palettes) {
    const int start = SDL_RWtell(stream);
    const int end = SDL_RWseek(stream, 0, RW_SEEK_END);
    if (start < 0 || end < start || SDL_RWseek(stream, start, RW_SEEK_SET) != start) return false;
    IconHeader h;
    bool ok = readHeaderFields(stream, &h);
    const bool palette = palettes && h.compression == compressionNone &&
                         (h.depth == 1 || h.depth == 4 || h.depth == 8);
    ok = ok && (h.depth == 24 || h.depth == 32 || palette) && h.width >= 0;
    ok = ok && (h.compression == compressionNone ||
                (h.compression == compressionBitfields && knownBitfields(h)));
    ok = ok && rowsPresent(h, static_cast<std::int64_t>(end) - start, maxPixels);
    if (ok && plainThirtyTwoBit(h) && h.width > 0 && h.height != 0) {
        h.firstPixelFourthByte = firstPixelFourthByte(stream, start, h);
    }
    if (SDL_RWseek(stream, start, RW_SEEK_SET) != start) return false;
    *header = h;
    return ok;
}

bool plainThirtyTwoBit(const IconHeader& header) {
    return header.depth == 32 && header.compression == compressionNone;
}

}  // namespace easel::detail
