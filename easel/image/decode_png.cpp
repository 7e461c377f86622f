#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstring>

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
