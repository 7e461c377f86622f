/// @file
/// Pictures of any size held in memory: the Image value type and the limits
/// that loading checks.
///
/// An Image is width x height pixels, row by row from the top left, each one
/// word 0x00RRGGBB (red in bits 16-23, as rgbToInt packs it). Pixel access
/// outside the image reads black and writes nothing. Loaders refuse, before
/// allocating anything, images larger than the ImageLimits they are given; the
/// default limits are 16383 x 16383 pixels and 64 Mpx (67,108,864 pixels) in
/// all. SDL 1.2 keeps a surface's row length in 16 bits, so no limit lets a
/// decoded image be wider or taller than 16383 pixels.
#pragma once

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

/// A picture: width x height words 0x00RRGGBB, row-major from the top left.
struct Image {
    int width = 0;   ///< The width in pixels; 0 for an empty image.
    int height = 0;  ///< The height in pixels; 0 for an empty image.
    /// width * height pixels, row by row: pixel (x, y) is pixels[y * width + x].
    std::vector<std::uint32_t> pixels;

    /// An empty 0 x 0 image.
    Image() = default;
    /// A width x height image filled with the colour; negative sizes count as 0.
    Image(int width, int height, RgbColor fill = RgbColor(0, 0, 0));

    /// The colour at (x, y), channels 0-255; black outside the image.
    RgbColor pixel(int x, int y) const;
    /// Sets (x, y) to the colour's low 8 bits per channel; nothing outside.
    void setPixel(int x, int y, RgbColor c);
    /// True when the image has no pixels.
    bool empty() const { return width <= 0 || height <= 0; }
};

/// Whether a width x height image is within the limits (both sides positive).
bool fitsLimits(std::int64_t width, std::int64_t height, const ImageLimits& limits = {});

}  // namespace easel
