#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "easel/image/detail/bmp_rle.h"

namespace easel::detail {

namespace {

constexpr std::int64_t compressionRle8 = 1;
constexpr std::int64_t compressionRle4 = 2;
constexpr int fileHeaderBytes = 14;
// The number of palette entries sits at the same place in every Windows info
// header; 0 means as many as the depth can index.
constexpr int colourCountOffset = fileHeaderBytes + 32;
constexpr std::size_t bufferBytes = 64 * 1024;
constexpr std::uint32_t opaqueBlack = 0xFF000000u;

const std::string cutShort = "is a damaged BMP image: the file is cut short";

using Palette = std::array<std::uint32_t, 256>;

// The stream's bytes one at a time, read from the file a buffer at a time.
class ByteSource {
  public:
    explicit ByteSource(SDL_RWops* stream) : stream_(stream), buffer_(bufferBytes) {}

    // The next byte; false once the file has ended.
    bool next(std::uint8_t* byte) {
        if (at_ == filled_) {
            const int got = SDL_RWread(stream_, buffer_.data(), 1, static_cast<int>(bufferBytes));
            if (got <= 0) return false;
            at_ = 0;
            filled_ = static_cast<std::size_t>(got);
        }
        *byte = buffer_[at_++];
        return true;
    }

  private:
    SDL_RWops* stream_;
    std::vector<std::uint8_t> buffer_;
    std::size_t at_ = 0;
    std::size_t filled_ = 0;
};

// Puts palette colours where the runs say, clipped to the picture: x counts
// from the left, row from the bottom. x may run past the row's end and row
// past the top; nothing is drawn there.
class RlePainter {
  public:
    RlePainter(Image* image, const Palette& palette) : image_(image), palette_(palette) {}

    // True once the cursor has left the top row: nothing more can be drawn.
    bool done() const { return row_ >= image_->height(); }

    // count pixels alternating between two palette indices, first first.
    void run(int count, std::uint8_t first, std::uint8_t second) {
        const std::int64_t room = image_->width() - x_;
        const std::int64_t drawn = done() || room <= 0 ? 0 : std::min<std::int64_t>(count, room);
        if (drawn > 0) {
            std::uint32_t* out = image_->row(image_->height() - 1 - static_cast<int>(row_)) + x_;
            for (std::int64_t i = 0; i < drawn; ++i) out[i] = palette_[(i & 1) ? second : first];
        }
        x_ += count;
    }
    void pixel(std::uint8_t index) { run(1, index, index); }
    void endLine() {
        x_ = 0;
        ++row_;
    }
    void move(int right, int up) {
        x_ += right;
        row_ += up;
    }

  private:
    Image* image_;
    const Palette& palette_;
    std::int64_t x_ = 0;
    std::int64_t row_ = 0;
};

std::uint32_t readLE32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool readAt(SDL_RWops* stream, std::int64_t at, void* out, int bytes) {
    return SDL_RWseek(stream, static_cast<int>(at), RW_SEEK_SET) == at &&
           SDL_RWread(stream, out, 1, bytes) == bytes;
}

// The palette's entries (blue, green, red, unused) as opaque words, read
// from just after the info header whatever the data offset says, as SDL's
// readers do; indices beyond the entries the file holds read black.
bool readPalette(SDL_RWops* stream, int start, const IconHeader& header, Palette* palette) {
    const std::uint32_t most = 1u << header.depth;
    std::uint8_t countBytes[4] = {};
    if (!readAt(stream, start + colourCountOffset, countBytes, 4)) return false;
    std::uint32_t count = readLE32(countBytes);
    if (count == 0 || count > most) count = most;
    std::uint8_t entries[256 * 4] = {};
    const std::int64_t at = start + fileHeaderBytes + header.infoSize;
    if (SDL_RWseek(stream, static_cast<int>(at), RW_SEEK_SET) != at) return false;
    const int got = SDL_RWread(stream, entries, 1, static_cast<int>(count * 4));
    const std::uint32_t present = got > 0 ? static_cast<std::uint32_t>(got) / 4 : 0;
    palette->fill(opaqueBlack);
    for (std::uint32_t i = 0; i < present; ++i) {
        const std::uint8_t* e = entries + 4 * i;
        (*palette)[i] = opaqueBlack | std::uint32_t{e[2]} << 16 | std::uint32_t{e[1]} << 8 | e[0];
    }
    return true;
}

// An absolute stretch: count indices stored as they are, one a byte (RLE8)
// or two a byte, high half first (RLE4), padded to an even number of bytes.
bool readAbsolute(ByteSource* in, int count, bool fourBit, RlePainter* painter) {
    const int bytes = fourBit ? (count + 1) / 2 : count;
    std::uint8_t b = 0;
    for (int i = 0; i < bytes; ++i) {
        if (!in->next(&b)) return false;
        if (!fourBit) {
            painter->pixel(b);
            continue;
        }
        painter->pixel(b >> 4);
        if (2 * i + 1 < count) painter->pixel(b & 15);
    }
    return bytes % 2 == 0 || in->next(&b);
}

// Follows the runs and escapes until the end-of-bitmap mark or past the top
// row; false when the file ends first.
bool expand(ByteSource* in, bool fourBit, RlePainter* painter) {
    std::uint8_t count = 0;
    std::uint8_t value = 0;
    while (!painter->done()) {
        if (!in->next(&count) || !in->next(&value)) return false;
        if (count > 0) {  // a run: one index (RLE8), or two taking turns (RLE4)
            if (fourBit)
                painter->run(count, value >> 4, value & 15);
            else
                painter->run(count, value, value);
            continue;
        }
        if (value == 0) {  // end of line
            painter->endLine();
        } else if (value == 1) {  // end of bitmap
            return true;
        } else if (value == 2) {  // delta: right and up
            std::uint8_t right = 0;
            std::uint8_t up = 0;
            if (!in->next(&right) || !in->next(&up)) return false;
            painter->move(right, up);
        } else if (!readAbsolute(in, value, fourBit, painter)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool runLengthEncoded(const IconHeader& header) {
    return (header.compression == compressionRle8 && header.depth == 8) ||
           (header.compression == compressionRle4 && header.depth == 4);
}

Decoded decodeBmpRle(SDL_RWops* stream, const IconHeader& header) {
    Decoded decoded;
    if (header.height < 0) {
        decoded.problem = "is a damaged BMP image: run-length encoded rows are stored top down";
        return decoded;
    }
    const int start = SDL_RWtell(stream);
    Palette palette{};
    if (start < 0 || !readPalette(stream, start, header, &palette)) {
        decoded.problem = cutShort;
        return decoded;
    }
    const std::uint32_t background = palette[0];
    Image image(static_cast<int>(header.width), static_cast<int>(header.height),
                RgbColor(background >> 16 & 255, background >> 8 & 255, background & 255));
    RlePainter painter(&image, palette);
    ByteSource in(stream);
    const std::int64_t dataAt = start + header.dataOffset;
    if (SDL_RWseek(stream, static_cast<int>(dataAt), RW_SEEK_SET) != dataAt ||
        !expand(&in, header.depth == 4, &painter)) {
        decoded.problem = cutShort;
        return decoded;
    }
    decoded.image = std::move(image);
    return decoded;
}

}  // namespace easel::detail
