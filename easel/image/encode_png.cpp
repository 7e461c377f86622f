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

// Everything that lives across setjmp is made before it and is trivially
// destructible or owned by the caller, so a longjmp back here skips nothing.
bool writeRows(png_structp png, png_infop info, const Image& image, std::FILE* out,
               std::uint8_t* row) {
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    png_init_io(png, out);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
                 static_cast<png_uint_32>(image.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y) {
        const std::uint32_t* from = image.pixels() + static_cast<std::size_t>(y) * image.width();
        for (int x = 0; x < image.width(); ++x) {
            row[3 * x] = static_cast<std::uint8_t>(from[x] >> 16);
            row[3 * x + 1] = static_cast<std::uint8_t>(from[x] >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(from[x]);
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
    std::vector<std::uint8_t> row(static_cast<std::size_t>(image.width()) * 3);
    const bool ok = info != nullptr && writeRows(png, info, image, out, row.data());
    png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    if (!ok && why != nullptr) {
        *why = std::string("the PNG encoder failed: ") +
               (errors.message[0] != '\0' ? errors.message : "out of memory");
    }
    return ok;
}

}  // namespace easel::detail
