#include <cstdint>
#include <vector>

#include "easel/image/detail/encode.h"

namespace easel::detail {

namespace {

void putLe(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// The 14-byte file header and the 40-byte information header.
std::vector<std::uint8_t> headers(const Image& image, std::uint32_t rowBytes) {
    constexpr std::uint32_t headerBytes = 14 + 40;
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(image.height());
    std::vector<std::uint8_t> h;
    h.push_back('B');
    h.push_back('M');
    putLe(h, headerBytes + pixelBytes, 4);
    putLe(h, 0, 4);
    putLe(h, headerBytes, 4);
    putLe(h, 40, 4);
    putLe(h, static_cast<std::uint32_t>(image.width()), 4);
    putLe(h, static_cast<std::uint32_t>(image.height()), 4);  // positive: rows bottom-up
    putLe(h, 1, 2);   // planes
    putLe(h, 24, 2);  // bits per pixel
    putLe(h, 0, 4);   // no compression
    putLe(h, pixelBytes, 4);
    putLe(h, 2835, 4);  // 72 dots per inch, in dots per metre
    putLe(h, 2835, 4);
    putLe(h, 0, 4);
    putLe(h, 0, 4);
    return h;
}

}  // namespace

bool encodeBmp(const Image& image, std::FILE* out, std::string* why) {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width()) * 3 + 3) / 4 * 4;
    const std::vector<std::uint8_t> h = headers(image, rowBytes);
    bool ok = std::fwrite(h.data(), 1, h.size(), out) == h.size();
    std::vector<std::uint8_t> row(rowBytes, 0);
    for (int y = image.height() - 1; ok && y >= 0; --y) {
        const std::uint32_t* from = image.pixels() + static_cast<std::size_t>(y) * image.width();
        for (int x = 0; x < image.width(); ++x) {
            row[3 * x] = static_cast<std::uint8_t>(from[x]);  // blue, green, red
            row[3 * x + 1] = static_cast<std::uint8_t>(from[x] >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(from[x] >> 16);
        }
        ok = std::fwrite(row.data(), 1, row.size(), out) == row.size();
    }
    if (!ok && why != nullptr) *why = "writing the BMP data failed";
    return ok;
}

}  // namespace easel::detail
