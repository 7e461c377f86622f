#include "easel/image/image.h"

#include <algorithm>

#include "easel/image/detail/pixel_memory.h"

namespace easel {

namespace {

// The row length SDL 1.2 can hold for a 32-bit surface: its pitch is 16 bits.
constexpr int sideCeiling = 16383;

}  // namespace

Image::Image(int w, int h, RgbColor fill) {
    if (w <= 0 || h <= 0) return;
    const std::size_t count = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    // The memory is taken first and advised before the fill first touches it.
    pixels_.reserve(count);
    detail::adviseLargePages(pixels_.data(), count * sizeof(std::uint32_t));
    pixels_.assign(count, packPixel(fill));
    width_ = w;
    height_ = h;
}

RgbColor Image::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return RgbColor();
    const std::uint32_t v = row(y)[x];
    return RgbColor(static_cast<int>(v >> 16) & 255, static_cast<int>(v >> 8) & 255,
                    static_cast<int>(v) & 255);
}

int Image::alpha(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return static_cast<int>(row(y)[x] >> 24);
}

void Image::setPixel(int x, int y, RgbColor c) {
    setPixel(x, y, c, 255);
}

void Image::setPixel(int x, int y, RgbColor c, int alpha) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    row(y)[x] = packPixel(c, std::clamp(alpha, 0, 255));
}

bool fitsLimits(std::int64_t width, std::int64_t height, const ImageLimits& limits) {
    const std::int64_t maxWidth = std::min(limits.maxWidth, sideCeiling);
    const std::int64_t maxHeight = std::min(limits.maxHeight, sideCeiling);
    return width > 0 && height > 0 && width <= maxWidth && height <= maxHeight &&
           width * height <= limits.maxPixels;
}

}  // namespace easel
