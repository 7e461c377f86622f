#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <vector>

#include "easel/image/detail/format_decoders.h"

namespace easel::detail {

namespace {

// The most scans a file may have. Every scan visits every block of its
// components, so empty scans cost time without a byte of picture: common
// encoders write at most a dozen or two; 10,000 empty scans of a 64 Mpx
// picture took 85 s.
constexpr int maxScans = 32;

struct JpegErrors {
    jpeg_error_mgr manager{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX] = {};
};

void onError(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    info->err->format_message(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings (corrupt data, a missing end) are not reported: the decoder goes
// on as it documents and the picture is shown as far as it goes.
void onMessage(j_common_ptr, int) {}

// Stops the decoder once it reaches a scan past the limit.
void countScans(j_common_ptr info) {
    const auto* d = reinterpret_cast<j_decompress_ptr>(info);
    if (d->input_scan_number > maxScans) {
        std::snprintf(reinterpret_cast<JpegErrors*>(info->err)->message, JMSG_LENGTH_MAX,
                      "more than %d scans", maxScans);
        std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
    }
}

bool littleEndian() {
    const std::uint32_t one = 1;
    unsigned char first = 0;
    std::memcpy(&first, &one, 1);
    return first == 1;
}

// CMYK as Adobe writes it (inverted, which is what libjpeg hands back)
// turned into 0xFFRRGGBB.
void cmykToWords(const JSAMPLE* cmyk, std::uint32_t* out, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
        const unsigned k = cmyk[3];
        const unsigned r = (cmyk[0] * k + 127) / 255;
        const unsigned g = (cmyk[1] * k + 127) / 255;
        const unsigned b = (cmyk[2] * k + 127) / 255;
        out[x] = 0xFF000000u | r << 16 | g << 8 | b;
    }
}

// Reads the header, checks the size, then the scanlines straight into the
// picture's words (CMYK through one row of its own). Everything that lives
// across setjmp is made before it or owned by the caller.
bool readPicture(jpeg_decompress_struct* d, JpegErrors* errors, const ImageLimits& limits,
                 std::optional<Image>* image, std::vector<JSAMPLE>* cmykRow, std::string* problem) {
    if (setjmp(errors->jump) != 0) return false;
    jpeg_read_header(d, TRUE);
    *problem = sizeProblem(d->image_width, d->image_height, limits);
    if (!problem->empty()) return false;
    const bool cmyk = d->jpeg_color_space == JCS_CMYK || d->jpeg_color_space == JCS_YCCK;
    d->out_color_space = cmyk ? JCS_CMYK : littleEndian() ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    d->mem->max_memory_to_use = decodeOverheadBytes(d->image_width, d->image_height);
    if (cmyk) cmykRow->resize(static_cast<std::size_t>(d->image_width) * 4);
    // A file of many scans is read whole here, into the coefficient buffers
    // that the memory limit bounds, before the picture's memory is taken.
    jpeg_start_decompress(d);
    image->emplace(static_cast<int>(d->output_width), static_cast<int>(d->output_height));
    while (d->output_scanline < d->output_height) {
        const int y = static_cast<int>(d->output_scanline);
        JSAMPROW row = cmyk ? cmykRow->data() : reinterpret_cast<JSAMPROW>((*image)->row(y));
        if (jpeg_read_scanlines(d, &row, 1) != 1) break;
        if (cmyk) cmykToWords(cmykRow->data(), (*image)->row(y), d->output_width);
    }
    return true;
}

}  // namespace

Decoded decodeJpeg(std::FILE* file, const ImageLimits& limits) {
    jpeg_decompress_struct d{};
    JpegErrors errors;
    jpeg_progress_mgr progress{};
    d.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = onError;
    errors.manager.emit_message = onMessage;
    Decoded decoded;
    if (setjmp(errors.jump) != 0) {
        decoded.problem = std::string("cannot be decoded: ") + errors.message;
        return decoded;
    }
    jpeg_create_decompress(&d);
    progress.progress_monitor = countScans;
    d.progress = &progress;
    jpeg_stdio_src(&d, file);
    std::vector<JSAMPLE> cmykRow;
    bool ok = false;
    try {
        ok = readPicture(&d, &errors, limits, &decoded.image, &cmykRow, &decoded.problem);
    } catch (...) {
        jpeg_destroy_decompress(&d);
        throw;
    }
    // Only the picture's own scans are read: whatever follows its last row
    // (more scans, any other data) is left unread.
    // A file that ends or breaks after its frame header is refused for its
    // size first, when that is what the header gives.
    if (!ok && decoded.problem.empty() && d.image_width > 0 && d.image_height > 0) {
        decoded.problem = sizeProblem(d.image_width, d.image_height, limits);
    }
    jpeg_destroy_decompress(&d);
    if (ok) return decoded;
    decoded.image.reset();
    if (decoded.problem.empty()) {
        const bool memory = std::strstr(errors.message, "emory") != nullptr ||
                            std::strstr(errors.message, "acking store") != nullptr;
        decoded.problem =
            memory ? std::string("is too large to decode in the memory allowed: ") + errors.message
                   : std::string("is a damaged JPEG image: ") + errors.message;
    }
    return decoded;
}

}  // namespace easel::detail
