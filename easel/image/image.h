/// @file
/// Pictures of any size held in memory: the Image value type and the limits
/// that loading checks.
///
/// An Image is width x height pixels, row by row from the top left, each one
/// word 0xAARRGGBB (alpha in bits 24-31, red in bits 16-23). Pixel access
/// outside the image reads black and writes nothing. Loaders refuse, before
/// allocating anything, images larger than the ImageLimits they are given; the
/// default limits are 16383 x 16383 pixels and 64 Mpx (67,108,864 pixels) in
/// all (PNGs of the kinds that are slower to decode have lower limits of their
/// own, see load.h). SDL 1.2 keeps a surface's row length in 16 bits, so no limit lets a
/// decoded image be wider or taller than 16383 pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "easel/colour/color.h"

namespace easel {

/// The largest image a loader accepts; larger ones are refused before any
/// pixel memory is allocated. Sides above 16383 are cut to 16383.
struct ImageLimits {
    int maxWidth = 16383;   ///< The widest image accepted, in pixels.
    int maxHeight = 16383;  ///< The tallest image accepted, in pixels.
    std::int64_t maxPixels = std::int64_t{64} * 1024 * 1024;  ///< The most pixels in all.
};

/// A picture: width x height pixels, row-major from the top left. Each pixel
/// is one word 0xAARRGGBB: the alpha in bits 24-31 (255 opaque, 0 wholly
/// transparent), then red, green and blue as rgbToInt packs them. The size and
/// the pixels are set together and cannot disagree: there are always exactly
/// width() * height() words.
class Image {
public:
    /// An empty 0 x 0 image.
    Image() = default;
    /// A width x height image filled with the colour, opaque; a size that is
    /// not positive on both sides gives the empty image.
    Image(int width, int height, RgbColor fill = RgbColor(0, 0, 0));

    /// The width in pixels; 0 for an empty image.
    int width() const { return width_; }
    /// The height in pixels; 0 for an empty image.
    int height() const { return height_; }
    /// True when the image has no pixels.
    bool empty() const { return pixels_.empty(); }

    /// The colour at (x, y), channels 0-255; black outside the image.
    RgbColor pixel(int x, int y) const;
    /// The alpha at (x, y), 0-255 (255 opaque); 0 outside the image.
    int alpha(int x, int y) const;
    /// Sets (x, y) to the colour's low 8 bits per channel, opaque; nothing
    /// outside the image.
    void setPixel(int x, int y, RgbColor c);
    /// Sets (x, y) to the colour and the alpha (both cut to 0-255); nothing
    /// outside the image.
    void setPixel(int x, int y, RgbColor c, int alpha);

    /// The width() * height() words 0xAARRGGBB, row by row: pixel (x, y) is
    /// pixels()[y * width() + x].
    const std::uint32_t* pixels() const { return pixels_.data(); }
    /// The words, writable in place; the size stays as it is.
    std::uint32_t* pixels() { return pixels_.data(); }
    /// The width() words of row y (0 <= y < height()).
    const std::uint32_t* row(int y) const { return pixels_.data() + rowStart(y); }
    /// The width() words of row y, writable (0 <= y < height()).
    std::uint32_t* row(int y) { return pixels_.data() + rowStart(y); }

    /// True when both have the same size and the same words.
    friend bool operator==(const Image& a, const Image& b) {
        return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
    }
    /// True when the sizes or any words differ.
    friend bool operator!=(const Image& a, const Image& b) { return !(a == b); }

private:
    std::size_t rowStart(int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

/// The word 0xAARRGGBB of a colour (low 8 bits per channel) and an alpha.
constexpr std::uint32_t packPixel(RgbColor c, int alpha = 255) {
    return (static_cast<std::uint32_t>(alpha & 255) << 24) |
           (static_cast<std::uint32_t>(c.r & 255) << 16) |
           (static_cast<std::uint32_t>(c.g & 255) << 8) | static_cast<std::uint32_t>(c.b & 255);
}

/// Whether a width x height image is within the limits (both sides positive).
bool fitsLimits(std::int64_t width, std::int64_t height, const ImageLimits& limits = {});

}  // namespace easel
