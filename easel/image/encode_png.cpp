#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <vector>

#include "easel/image/detail/encode.h"

namespace easel::detail {

namespace {

// libpng reports errors by longjmp; the message is kept for the caller.
struct PngErrors {
    char message[200] = {};
};

void onError(png_structp png, png_const_charp message) {
    auto* errors = static_cast<PngErrors*>(png_get_error_ptr(png));
    std::snprintf(errors->message, sizeof errors->message, "%s", message);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

bool anyTransparent(const Image& image) {
    const std::uint32_t* p = image.pixels();
    const std::size_t n = static_cast<std::size_t>(image.width()) * image.height();
    for (std::size_t i = 0; i < n; ++i) {
        if ((p[i] >> 24) != 255) return true;
    }
    return false;
}

// Everything that lives across setjmp is made before it and is trivially
// destructible or owned by the caller, so a longjmp back here skips nothing.
bool writeRows(png_structp png, png_infop info, const Image& image, std::FILE* out,
               std::uint8_t* row, int channels) {
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    png_init_io(png, out);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
                 static_cast<png_uint_32>(image.height()), 8,
                 channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y) {
        const std::uint32_t* from = image.row(y);
        std::uint8_t* to = row;
        for (int x = 0; x < image.width(); ++x, to += channels) {
            to[0] = static_cast<std::uint8_t>(from[x] >> 16);
            to[1] = static_cast<std::uint8_t>(from[x] >> 8);
            to[2] = static_cast<std::uint8_t>(from[x]);
            if (channels == 4) to[3] = static_cast<std::uint8_t>(from[x] >> 24);
        }
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

bool encodePng(const Image& image, std::FILE* out, std::string* why) {
    PngErrors errors;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &errors, onError, onWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    // RGBA only when some pixel is not opaque, so that an opaque picture
    // stays an RGB file as before and a transparent one loads back equal.
    const int channels = anyTransparent(image) ? 4 : 3;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(image.width()) * channels);
    const bool ok = info != nullptr && writeRows(png, info, image, out, row.data(), channels);
    png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    if (!ok && why != nullptr) {
        *why = std::string("the PNG encoder failed: ") +
               (errors.message[0] != '\0' ? errors.message : "out of memory");
    }
    return ok;
}

}  // namespace easel::detail
