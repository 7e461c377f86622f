#include "easel/image/draw.h"

#include <algorithm>
#include <cstdint>

#include "easel/display/detail/pixels.h"
#include "easel/display/detail/screen_ready.h"
#include "easel/display/screen.h"

namespace easel {

namespace {

constexpr std::uint32_t opaque = 255;
constexpr std::uint32_t redBlue = 0x00FF00FFu;

// A rectangle, half-open: [left, right) x [top, bottom).
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

// Whether the screen stores a pixel as 0x00RRGGBB, so that an image word's
// low 24 bits are its pixel value and mixing can work on the words directly.
bool screenIsXrgb() {
    const SDL_PixelFormat* f = Screen.surface->format;
    return f->BytesPerPixel == 4 && f->palette == nullptr && f->Rmask == 0xFF0000u &&
           f->Gmask == 0xFF00u && f->Bmask == 0xFFu && f->Amask == 0;
}

// Two channels 16 bits apart at once, each sum s * a + d * (255 - a) divided
// by 255 and rounded to the nearest (halves up): (t + (t >> 8)) >> 8 with
// t = sum + 128 is exactly that for every sum up to 255 * 255.
std::uint32_t mixPair(std::uint32_t s, std::uint32_t d, std::uint32_t a) {
    std::uint32_t t = s * a + d * (opaque - a) + 0x00800080u;
    t += (t >> 8) & redBlue;
    return (t >> 8) & redBlue;
}

// The 0x00RRGGBB word of source over destination with alpha a.
std::uint32_t mixWords(std::uint32_t s, std::uint32_t d, std::uint32_t a) {
    return mixPair(s & redBlue, d & redBlue, a) |
           (mixPair((s >> 8) & 0xFFu, (d >> 8) & 0xFFu, a) << 8);
}

// One row on a 0x00RRGGBB screen. A row that is opaque throughout is copied;
// any other row is mixed pixel by pixel without a branch (alpha 255 gives the
// image's word and 0 the screen's, exactly), which keeps rows of mixed
// alphas free of mispredicted jumps and lets the compiler vectorise both.
void mixRowXrgb(const std::uint32_t* from, std::uint32_t* to, std::int64_t count) {
    std::uint32_t allAlpha = 0xFF000000u;
    for (std::int64_t i = 0; i < count; ++i) allAlpha &= from[i];
    if (allAlpha == 0xFF000000u) {
        for (std::int64_t i = 0; i < count; ++i) to[i] = from[i] & 0x00FFFFFFu;
        return;
    }
    for (std::int64_t i = 0; i < count; ++i) to[i] = mixWords(from[i], to[i], from[i] >> 24);
}

// One row on any other 32-bit screen, through the screen's pixel format.
void mixRowMapped(const std::uint32_t* from, std::uint32_t* to, std::int64_t count) {
    for (std::int64_t i = 0; i < count; ++i) {
        const std::uint32_t v = from[i];
        const std::uint32_t a = v >> 24;
        if (a == 0) continue;
        std::uint32_t rgb = v & 0x00FFFFFFu;
        if (a != opaque) rgb = mixWords(v, packPixel(detail::unmapColor(to[i]), 0), a);
        to[i] = detail::mapColor(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8),
                                 static_cast<int>(rgb));
    }
}

// Draws the image's pixels [sx, sx + w) x [sy, sy + h), already inside the
// image, with (sx, sy) at (x, y) of the screen.
bool drawPart(const Image& image, std::int64_t sx, std::int64_t sy, std::int64_t w, std::int64_t h,
              std::int64_t x, std::int64_t y) {
    const Span s = onScreenPart(x, y, w, h);
    if (s.empty()) return false;
    const bool xrgb = screenIsXrgb();
    const std::int64_t count = s.right - s.left;
    for (std::int64_t row = s.top; row < s.bottom; ++row) {
        const std::uint32_t* from = image.row(static_cast<int>(sy + row - y)) + (sx + s.left - x);
        std::uint32_t* to = detail::rowWords(static_cast<int>(row)) + s.left;
        if (xrgb) {
            mixRowXrgb(from, to, count);
        } else {
            mixRowMapped(from, to, count);
        }
    }
    return true;
}

}  // namespace

bool drawImage(const Image& image, int x, int y) {
    if (!detail::screenReady("drawImage") || image.empty()) return false;
    return drawPart(image, 0, 0, image.width(), image.height(), x, y);
}

bool drawImage(const Image& image, const ImageRect& source, int x, int y) {
    if (!detail::screenReady("drawImage") || image.empty()) return false;
    // Cut the source to the image; the screen position moves with its corner.
    const std::int64_t left = std::max<std::int64_t>(source.x, 0);
    const std::int64_t top = std::max<std::int64_t>(source.y, 0);
    const std::int64_t right = std::min<std::int64_t>(
        static_cast<std::int64_t>(source.x) + std::max(source.width, 0), image.width());
    const std::int64_t bottom = std::min<std::int64_t>(
        static_cast<std::int64_t>(source.y) + std::max(source.height, 0), image.height());
    if (left >= right || top >= bottom) return false;
    return drawPart(image, left, top, right - left, bottom - top,
                    static_cast<std::int64_t>(x) + (left - source.x),
                    static_cast<std::int64_t>(y) + (top - source.y));
}

Image grabScreen(int x, int y, int width, int height) {
    if (!detail::screenReady("grabScreen")) return Image();
    const Span s = onScreenPart(x, y, width, height);
    if (s.empty()) return Image();
    Image image(static_cast<int>(s.right - s.left), static_cast<int>(s.bottom - s.top));
    std::uint32_t* out = image.pixels();
    for (std::int64_t row = s.top; row < s.bottom; ++row) {
        const std::uint32_t* from = detail::readRowWords(static_cast<int>(row));
        for (std::int64_t col = s.left; col < s.right; ++col) {
            *out++ = packPixel(detail::unmapColor(from[col]));
        }
    }
    return image;
}

}  // namespace easel
