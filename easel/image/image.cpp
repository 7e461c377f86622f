#include "easel/image/image.h"

#include <algorithm>

namespace easel {

namespace {

// The row length SDL 1.2 can hold for a 32-bit surface: its pitch is 16 bits.
constexpr int sideCeiling = 16383;

std::uint32_t pack(RgbColor c) {
    return (static_cast<std::uint32_t>(c.r & 255) << 16) |
           (static_cast<std::uint32_t>(c.g & 255) << 8) | static_cast<std::uint32_t>(c.b & 255);
}

}  // namespace

Image::Image(int w, int h, RgbColor fill)
    : width(std::max(w, 0)),
      height(std::max(h, 0)),
      pixels(static_cast<std::size_t>(std::max(w, 0)) * static_cast<std::size_t>(std::max(h, 0)),
             pack(fill)) {
    if (pixels.empty()) width = height = 0;
}

RgbColor Image::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return RgbColor();
    const std::uint32_t v = pixels[static_cast<std::size_t>(y) * width + x];
    return RgbColor(static_cast<int>(v >> 16), static_cast<int>(v >> 8), static_cast<int>(v));
}

void Image::setPixel(int x, int y, RgbColor c) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    pixels[static_cast<std::size_t>(y) * width + x] = pack(c);
}

bool fitsLimits(std::int64_t width, std::int64_t height, const ImageLimits& limits) {
    const std::int64_t maxWidth = std::min(limits.maxWidth, sideCeiling);
    const std::int64_t maxHeight = std::min(limits.maxHeight, sideCeiling);
    return width > 0 && height > 0 && width <= maxWidth && height <= maxHeight &&
           width * height <= limits.maxPixels;
}

}  // namespace easel
