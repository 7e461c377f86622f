#include <gif_lib.h>

#include <cstdint>
#include <vector>

#include "easel/image/detail/format_decoders.h"

namespace easel::detail {

namespace {

constexpr int graphicControlCode = 0xF9;

int readBytes(GifFileType* gif, GifByteType* out, int count) {
    if (count <= 0) return 0;
    return static_cast<int>(std::fread(out, 1, static_cast<std::size_t>(count),
                                       static_cast<std::FILE*>(gif->UserData)));
}

struct GifCloser {
    GifFileType* gif = nullptr;
    ~GifCloser() {
        int error = 0;
        if (gif != nullptr) DGifCloseFile(gif, &error);
    }
};

std::string damaged(int error) {
    // giflib leaves the code unset on some short reads.
    if (error == 0) return "is a damaged GIF image: its data is cut short or damaged";
    if (error == D_GIF_ERR_READ_FAILED || error == D_GIF_ERR_EOF_TOO_SOON) {
        return "is a damaged GIF image: its data is cut short";
    }
    if (error == D_GIF_ERR_NOT_ENOUGH_MEM) return "cannot be decoded: not enough memory";
    const char* text = GifErrorString(error);
    return std::string("is a damaged GIF image: ") + (text != nullptr ? text : "unreadable");
}

// The first frame's words: its palette colours (the local one, else the
// global one, else greys), alpha 0 at the transparent index; an index beyond
// the palette reads opaque black.
std::vector<std::uint32_t> paletteOf(const GifFileType* gif, int transparent) {
    std::vector<std::uint32_t> words(256, 0xFF000000u);
    const ColorMapObject* map =
        gif->Image.ColorMap != nullptr ? gif->Image.ColorMap : gif->SColorMap;
    for (int i = 0; i < 256; ++i) {
        if (map == nullptr) {
            words[i] = 0xFF000000u | static_cast<std::uint32_t>(i) * 0x010101u;
        } else if (i < map->ColorCount) {
            const GifColorType& c = map->Colors[i];
            words[i] = 0xFF000000u | static_cast<std::uint32_t>(c.Red) << 16 |
                       static_cast<std::uint32_t>(c.Green) << 8 | c.Blue;
        }
    }
    if (transparent >= 0 && transparent < 256) words[transparent] &= 0x00FFFFFFu;
    return words;
}

// Reads the frame's rows (in the four passes of an interlaced one) into the
// picture; the error code, or 0.
int readRows(GifFileType* gif, Image* image, const std::vector<std::uint32_t>& palette) {
    const int width = image->width();
    const int height = image->height();
    std::vector<GifPixelType> line(static_cast<std::size_t>(width));
    const int starts[] = {0, 4, 2, 1};
    const int steps[] = {8, 8, 4, 2};
    const int passes = gif->Image.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int step = gif->Image.Interlace ? steps[pass] : 1;
        for (int y = gif->Image.Interlace ? starts[pass] : 0; y < height; y += step) {
            if (DGifGetLine(gif, line.data(), width) != GIF_OK) return gif->Error;
            std::uint32_t* out = image->row(y);
            for (int x = 0; x < width; ++x) out[x] = palette[line[x]];
        }
    }
    return 0;
}

// The transparent index a graphic control extension gives, or -1.
int transparentIndex(const GifByteType* block) {
    if (block == nullptr || block[0] < 4 || (block[1] & 1) == 0) return -1;
    return block[4];
}

}  // namespace

Decoded decodeGif(std::FILE* file, const ImageLimits& limits) {
    Decoded decoded;
    int error = 0;
    GifCloser closer;
    closer.gif = DGifOpen(file, readBytes, &error);
    GifFileType* gif = closer.gif;
    if (gif == nullptr) {
        decoded.problem = damaged(error);
        return decoded;
    }
    int transparent = -1;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &record) != GIF_OK) break;
        if (record == TERMINATE_RECORD_TYPE) {
            decoded.problem = "is a damaged GIF image: it holds no picture";
            return decoded;
        }
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) != GIF_OK) break;
            if (code == graphicControlCode) transparent = transparentIndex(block);
            while (block != nullptr) {
                if (DGifGetExtensionNext(gif, &block) != GIF_OK) break;
            }
            if (gif->Error != 0) break;
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif) != GIF_OK) break;
        decoded.problem = sizeProblem(gif->Image.Width, gif->Image.Height, limits);
        if (!decoded.problem.empty()) return decoded;
        Image image(gif->Image.Width, gif->Image.Height);
        const int failure = readRows(gif, &image, paletteOf(gif, transparent));
        if (failure != 0) {
            decoded.problem = damaged(failure);
            return decoded;
        }
        decoded.image = std::move(image);
        return decoded;
    }
    decoded.problem = damaged(gif->Error);
    return decoded;
}

}  // namespace easel::detail
