#include "easel/image/draw.h"

#include <algorithm>
#include <cstdint>

#include "easel/display/detail/pixels.h"
#include "easel/display/detail/screen_ready.h"
#include "easel/display/screen.h"

namespace easel {

namespace {

// A rectangle on the screen, half-open: [left, right) x [top, bottom).
struct Span {
    std::int64_t left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return left >= right || top >= bottom; }
};

Span onScreenPart(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) {
    Span s;
    s.left = std::max<std::int64_t>(x, 0);
    s.top = std::max<std::int64_t>(y, 0);
    s.right = std::min<std::int64_t>(x + std::max<std::int64_t>(width, 0), Screen.width);
    s.bottom = std::min<std::int64_t>(y + std::max<std::int64_t>(height, 0), Screen.height);
    return s;
}

}  // namespace

bool drawImage(const Image& image, int x, int y) {
    if (!detail::screenReady("drawImage") || image.empty()) return false;
    const Span s = onScreenPart(x, y, image.width(), image.height());
    if (s.empty()) return false;
    for (std::int64_t row = s.top; row < s.bottom; ++row) {
        const std::uint32_t* from =
            image.pixels() + (row - y) * image.width() + (s.left - x);
        std::uint32_t* to = detail::rowWords(static_cast<int>(row));
        for (std::int64_t col = s.left; col < s.right; ++col, ++from) {
            const std::uint32_t v = *from;
            to[col] = detail::mapColor(static_cast<int>(v >> 16), static_cast<int>(v >> 8),
                               static_cast<int>(v));
        }
    }
    return true;
}

Image grabScreen(int x, int y, int width, int height) {
    if (!detail::screenReady("grabScreen")) return Image();
    const Span s = onScreenPart(x, y, width, height);
    if (s.empty()) return Image();
    Image image(static_cast<int>(s.right - s.left), static_cast<int>(s.bottom - s.top));
    std::uint32_t* out = image.pixels();
    for (std::int64_t row = s.top; row < s.bottom; ++row) {
        const std::uint32_t* from = detail::rowWords(static_cast<int>(row));
        for (std::int64_t col = s.left; col < s.right; ++col) {
            *out++ = packPixel(detail::unmapColor(from[col]));
        }
    }
    return image;
}

}  // namespace easel
