#include "easel/image/detail/image_header.h"

#include <cstring>

namespace easel::detail {

namespace {

// Reads bytes of the stream at offsets from where it started.
class HeaderReader {
  public:
    explicit HeaderReader(SDL_RWops* stream) : stream_(stream), start_(SDL_RWtell(stream)) {}
    ~HeaderReader() { SDL_RWseek(stream_, start_, RW_SEEK_SET); }
    HeaderReader(const HeaderReader&) = delete;
    HeaderReader& operator=(const HeaderReader&) = delete;

    // Whether all n bytes at offset were read.
    bool read(std::int64_t offset, std::uint8_t* out, int n) {
        if (start_ < 0 || offset < 0 || offset > 0x7FFFFFFF - start_) return false;
        const int at = start_ + static_cast<int>(offset);
        if (SDL_RWseek(stream_, at, RW_SEEK_SET) != at) return false;
        return static_cast<long>(SDL_RWread(stream_, out, 1, n)) == n;
    }
    // One byte, or -1 past the end.
    int byte(std::int64_t offset) {
        std::uint8_t b = 0;
        return read(offset, &b, 1) ? b : -1;
    }

  private:
    SDL_RWops* stream_;
    int start_;
};

std::int64_t le16(const std::uint8_t* p) { return p[0] | p[1] << 8; }
std::int64_t be16(const std::uint8_t* p) { return p[0] << 8 | p[1]; }
std::int64_t be32(const std::uint8_t* p) {
    return static_cast<std::int64_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}
std::int64_t le32signed(const std::uint8_t* p) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | p[1] << 8 | p[2] << 16 |
                                     static_cast<std::uint32_t>(p[3]) << 24);
}

ImageHeader sized(ImageFormat format, std::int64_t width, std::int64_t height) {
    ImageHeader h;
    h.format = format;
    h.sizeKnown = true;
    h.width = width;
    h.height = height;
    return h;
}

ImageHeader unsized(ImageFormat format) {
    ImageHeader h;
    h.format = format;
    return h;
}

ImageHeader pngSize(HeaderReader& in) {
    std::uint8_t ihdr[16] = {};
    if (!in.read(8, ihdr, 16) || std::memcmp(ihdr + 4, "IHDR", 4) != 0) {
        return unsized(ImageFormat::png);
    }
    return sized(ImageFormat::png, be32(ihdr + 8), be32(ihdr + 12));
}

// The old OS/2 header has 16-bit unsigned sizes; the others 32-bit signed,
// a negative height meaning rows stored top-down.
ImageHeader bmpSize(HeaderReader& in) {
    std::uint8_t h[12] = {};
    if (!in.read(14, h, 12)) return unsized(ImageFormat::bmp);
    if (le32signed(h) == 12) return sized(ImageFormat::bmp, le16(h + 4), le16(h + 6));
    const std::int64_t height = le32signed(h + 8);
    return sized(ImageFormat::bmp, le32signed(h + 4), height < 0 ? -height : height);
}

// Skips an extension's data sub-blocks, from the first size byte; the offset
// after the terminating empty block, or -1 when the data ends first.
std::int64_t skipSubBlocks(HeaderReader& in, std::int64_t at) {
    for (;;) {
        const int size = in.byte(at);
        if (size < 0) return -1;
        at += 1 + size;
        if (size == 0) return at;
    }
}

// Whether the frame's data after its descriptor (local colour table, code
// size, data sub-blocks) is whole: a code size of 1 to 8 bits, as GIF allows,
// and sub-blocks that end with their empty block within the file. The
// decoder would read on for ever past the end of a frame cut short, and
// would loop and write beyond its tables for a larger code size.
bool frameDataEnds(HeaderReader& in, std::int64_t at, int flags) {
    constexpr int largestCodeSize = 8;
    if ((flags & 0x80) != 0) at += 3 * (std::int64_t{2} << (flags & 7));
    const int codeSize = in.byte(at);
    if (codeSize < 1 || codeSize > largestCodeSize) return false;
    return skipSubBlocks(in, at + 1) >= 0;
}

constexpr int graphicControlLabel = 0xF9;

// The decoder walks the blocks to the first image descriptor, skipping
// extensions and any stray byte, and allocates that frame's size.
ImageHeader gifSize(HeaderReader& in) {
    std::uint8_t screen[13] = {};
    if (!in.read(0, screen, 13)) return unsized(ImageFormat::gif);
    std::int64_t at = 13;
    if ((screen[10] & 0x80) != 0) at += 3 * (std::int64_t{2} << (screen[10] & 7));
    for (;;) {
        const int c = in.byte(at++);
        if (c < 0 || c == ';') return unsized(ImageFormat::gif);
        if (c == '!') {
            const int label = in.byte(at++);
            if (label < 0) return unsized(ImageFormat::gif);
            // The decoder takes a graphic control extension's first block
            // whatever its size, so an empty one would make it read on past
            // the terminator and find another frame than this walk: refused.
            if (label == graphicControlLabel && in.byte(at) == 0) return unsized(ImageFormat::gif);
            at = skipSubBlocks(in, at);
            if (at < 0) return unsized(ImageFormat::gif);
        } else if (c == ',') {
            std::uint8_t d[9] = {};
            if (!in.read(at, d, 9)) return unsized(ImageFormat::gif);
            ImageHeader h = sized(ImageFormat::gif, le16(d + 4), le16(d + 6));
            h.complete = frameDataEnds(in, at + 9, d[8]);
            return h;
        }
    }
}

bool isStartOfFrame(int marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the markers to the first frame header, which gives the size.
ImageHeader jpegSize(HeaderReader& in) {
    std::int64_t at = 2;
    for (;;) {
        if (in.byte(at) != 0xFF) return unsized(ImageFormat::jpeg);
        int marker = 0xFF;
        while (marker == 0xFF) marker = in.byte(++at);
        ++at;
        if (marker < 0 || marker == 0xD9 || marker == 0xDA) return unsized(ImageFormat::jpeg);
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;
        std::uint8_t seg[7] = {};
        if (!in.read(at, seg, 7)) return unsized(ImageFormat::jpeg);
        if (isStartOfFrame(marker)) return sized(ImageFormat::jpeg, be16(seg + 5), be16(seg + 3));
        at += be16(seg);
    }
}

bool isSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// A decimal number after white space and # comments, as the decoder reads
// it; -1 when there is none. Grows no further once it passes any limit.
std::int64_t pnmNumber(HeaderReader& in, std::int64_t* at) {
    int c = in.byte((*at)++);
    for (;;) {
        while (isSpace(c)) c = in.byte((*at)++);
        if (c != '#') break;
        while (c >= 0 && c != '\n' && c != '\r') c = in.byte((*at)++);
    }
    if (c < '0' || c > '9') return -1;
    std::int64_t n = 0;
    while (c >= '0' && c <= '9') {
        if (n < (std::int64_t{1} << 40)) n = n * 10 + (c - '0');
        c = in.byte((*at)++);
    }
    return n;
}

ImageHeader pnmSize(HeaderReader& in) {
    std::int64_t at = 2;
    const std::int64_t width = pnmNumber(in, &at);
    const std::int64_t height = width < 0 ? -1 : pnmNumber(in, &at);
    if (height < 0) return unsized(ImageFormat::pnm);
    return sized(ImageFormat::pnm, width, height);
}

ImageHeader tgaSize(HeaderReader& in) {
    std::uint8_t h[4] = {};
    if (!in.read(12, h, 4)) return unsized(ImageFormat::tga);
    return sized(ImageFormat::tga, le16(h), le16(h + 2));
}

ImageFormat formatOf(const std::uint8_t* m, int got, bool tgaByName) {
    static const std::uint8_t png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (got >= 8 && std::memcmp(m, png, 8) == 0) return ImageFormat::png;
    if (got >= 2 && m[0] == 'B' && m[1] == 'M') return ImageFormat::bmp;
    if (got >= 6 && (std::memcmp(m, "GIF87a", 6) == 0 || std::memcmp(m, "GIF89a", 6) == 0)) {
        return ImageFormat::gif;
    }
    if (got >= 2 && m[0] == 0xFF && m[1] == 0xD8) return ImageFormat::jpeg;
    if (got >= 3 && m[0] == 'P' && m[1] >= '1' && m[1] <= '6' && isSpace(m[2])) {
        return ImageFormat::pnm;
    }
    return tgaByName ? ImageFormat::tga : ImageFormat::unknown;
}

}  // namespace

ImageHeader readImageHeader(SDL_RWops* stream, bool tgaByName) {
    if (stream == nullptr) return ImageHeader{};
    HeaderReader in(stream);
    std::uint8_t magic[8] = {};
    int got = 0;
    while (got < 8 && in.byte(got) >= 0) ++got;
    if (got > 0) in.read(0, magic, got);
    switch (formatOf(magic, got, tgaByName)) {
        case ImageFormat::png:
            return pngSize(in);
        case ImageFormat::bmp:
            return bmpSize(in);
        case ImageFormat::gif:
            return gifSize(in);
        case ImageFormat::jpeg:
            return jpegSize(in);
        case ImageFormat::pnm:
            return pnmSize(in);
        case ImageFormat::tga:
            return tgaSize(in);
        case ImageFormat::unknown:
            break;
    }
    return ImageHeader{};
}

const char* formatName(ImageFormat format) {
    switch (format) {
        case ImageFormat::png:
            return "PNG";
        case ImageFormat::bmp:
            return "BMP";
        case ImageFormat::gif:
            return "GIF";
        case ImageFormat::jpeg:
            return "JPEG";
        case ImageFormat::pnm:
            return "PNM";
        case ImageFormat::tga:
            return "TGA";
        case ImageFormat::unknown:
            break;
    }
    return "unknown";
}

}  // namespace easel::detail
