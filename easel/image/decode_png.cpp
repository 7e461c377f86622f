#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <string>

#include "easel/image/detail/format_decoders.h"

namespace easel::detail {

namespace {

// The most memory libpng may take for one chunk: room for any colour
// profile, far below what a decompression bomb in a text chunk would ask.
constexpr png_alloc_size_t chunkMemoryCap = 8u << 20;
// How many ancillary chunks libpng keeps (it keeps none of the skipped ones).
constexpr png_uint_32 chunkCountCap = 128;
// Chunks never read: text, which can be compressed a thousandfold, and every
// chunk libpng does not know. Their data is skipped without decompressing.
constexpr png_byte skippedChunks[] = "tEXt\0zTXt\0iTXt";
// Decoding time follows the bytes libpng inflates and unfilters for each
// pixel (1 to 8, as the file stores them) and the work on each pixel after
// (16-bit samples cut to 8, Adam7's passes put back together). A pixel
// weighs its stored bytes plus 1, one more for 16-bit samples and 2 more when
// interlaced; no PNG may weigh more than this, which the cheapest kinds
// (8-bit grey and palette, 2 a pixel) reach at 64 Mpx and which decodes in
// about 0.8 s of CPU at the worst on two shared cores.
constexpr std::int64_t decodeWeightBudget = std::int64_t{128} << 20;

// What the error handler and the read function share with the decoder.
struct PngRead {
    std::FILE* file = nullptr;
    char message[200] = {};
    bool overLimit = false;  // libpng warned that the header's size exceeds the limits
};

void onError(png_structp png, png_const_charp message) {
    auto* read = static_cast<PngRead*>(png_get_error_ptr(png));
    std::snprintf(read->message, sizeof read->message, "%s", message);
    png_longjmp(png, 1);
}

// Warnings are not reported (libpng goes on as it documents), except the one
// that tells why the header is refused next.
void onWarning(png_structp png, png_const_charp message) {
    if (std::strstr(message, "exceeds user limit") != nullptr) {
        static_cast<PngRead*>(png_get_error_ptr(png))->overLimit = true;
    }
}

// A file that ends before the data libpng asks for is an error: libpng would
// otherwise be handed bytes that were never read.
void readBytes(png_structp png, png_bytep out, png_size_t count) {
    auto* read = static_cast<PngRead*>(png_get_io_ptr(png));
    if (std::fread(out, 1, count, read->file) != count) png_error(png, "the file is cut short");
}

// The kind of PNG as its header gives it, and what one pixel of it weighs.
struct PngKind {
    std::string name;  // "interlaced 16-bit RGBA"
    int weight = 0;
};

const char* colourName(int colourType) {
    switch (colourType) {
        case PNG_COLOR_TYPE_PALETTE:
            return "palette";
        case PNG_COLOR_TYPE_RGB:
            return "RGB";
        case PNG_COLOR_TYPE_RGB_ALPHA:
            return "RGBA";
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            return "grey and alpha";
        default:
            return "grey";
    }
}

PngKind kindOf(png_structp png, png_infop info) {
    const int depth = png_get_bit_depth(png, info);
    const bool interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
    const int storedBytes = std::max(1, png_get_channels(png, info) * depth / 8);
    PngKind kind;
    kind.name = std::string(interlaced ? "interlaced " : "") + std::to_string(depth) + "-bit " +
                colourName(png_get_color_type(png, info));
    kind.weight = storedBytes + 1 + (depth == 16 ? 1 : 0) + (interlaced ? 2 : 0);
    return kind;
}

// Why a PNG of this kind and size would take too long to decode: empty when
// it is light enough.
std::string weightProblem(const PngKind& kind, png_uint_32 width, png_uint_32 height) {
    const std::int64_t pixels = std::int64_t{width} * height;
    const std::int64_t most = decodeWeightBudget / kind.weight;
    if (pixels <= most) return "";
    return "is too large to decode in time: " + kind.name + " PNGs may have at most " +
           std::to_string(most) + " pixels; this one has " + std::to_string(width) + " x " +
           std::to_string(height);
}

bool littleEndian() {
    const std::uint32_t one = 1;
    unsigned char first = 0;
    std::memcpy(&first, &one, 1);
    return first == 1;
}

// Every colour type becomes 8-bit red, green, blue and alpha, laid out in
// memory as the words 0xAARRGGBB of this machine: alpha from tRNS or the
// file's own channel, 255 where there is none.
void setTransforms(png_structp png) {
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    if (littleEndian()) {
        png_set_bgr(png);
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    } else {
        png_set_swap_alpha(png);
        png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
    }
}

void setLimits(png_structp png, const ImageLimits& limits) {
    const ImageLimits ceiling{};
    png_set_user_limits(png, static_cast<png_uint_32>(std::min(limits.maxWidth, ceiling.maxWidth)),
                        static_cast<png_uint_32>(std::min(limits.maxHeight, ceiling.maxHeight)));
    png_set_chunk_malloc_max(png, chunkMemoryCap);
    png_set_chunk_cache_max(png, chunkCountCap);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, skippedChunks, 3);
    // The zlib checksum costs a tenth of inflating; every chunk's CRC, which
    // libpng still checks, already finds damaged image data.
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
}

// Reads the header, checks the size, then the rows straight into the
// picture's words. Everything that lives across setjmp is made before it or
// owned by the caller, so a longjmp back here skips no destructor.
bool readPicture(png_structp png, png_infop info, const ImageLimits& limits,
                 std::optional<Image>* image, std::string* problem) {
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    setLimits(png, limits);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    *problem = sizeProblem(width, height, limits);
    if (problem->empty()) *problem = weightProblem(kindOf(png, info), width, height);
    if (!problem->empty()) return false;
    setTransforms(png);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4) {
        png_error(png, "an unexpected pixel layout");
    }
    image->emplace(static_cast<int>(width), static_cast<int>(height));
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(png, reinterpret_cast<png_bytep>((*image)->row(static_cast<int>(y))),
                         nullptr);
        }
    }
    return true;
}

// libpng's message in the loader's words: its own size checks and running
// out of memory are not damage.
std::string problemFrom(const PngRead& read, const ImageLimits& limits) {
    const char* message = read.message;
    if (read.overLimit) {
        const ImageLimits ceiling{};
        return "is too large: its header gives a side longer than the " +
               std::to_string(std::min(limits.maxWidth, ceiling.maxWidth)) + " x " +
               std::to_string(std::min(limits.maxHeight, ceiling.maxHeight)) +
               " pixels an image may have";
    }
    if (std::strstr(message, "emory") != nullptr) {
        return std::string("cannot be decoded: not enough memory (") + message + ")";
    }
    return std::string("is a damaged PNG image: ") + (message[0] != '\0' ? message : "unreadable");
}

}  // namespace

Decoded decodePng(std::FILE* file, const ImageLimits& limits) {
    PngRead read;
    read.file = file;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &read, onError, onWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    Decoded decoded;
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        decoded.problem = "cannot be decoded: not enough memory";
        return decoded;
    }
    png_set_read_fn(png, &read, readBytes);
    bool ok = false;
    try {
        ok = readPicture(png, info, limits, &decoded.image, &decoded.problem);
    } catch (...) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    if (ok) return decoded;
    decoded.image.reset();
    if (decoded.problem.empty()) decoded.problem = problemFrom(read, limits);
    return decoded;
}

}  // namespace easel::detail
