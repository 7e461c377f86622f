/// @file
/// Conversion between RGB and the HSV and HSL colour models, all on 0-255.
///
/// A channel c goes in as c / 256 and comes out as the whole part of 255 * x,
/// so every conversion loses a little: 255 comes back as 254, and a colour
/// converted there and back is about one unit darker. Hue 0-255 is the whole
/// colour circle (red 0, yellow 42, green 85, cyan 127, blue 170, magenta 212).
/// Every input channel is taken by its low 8 bits (a true modulo 256, so a hue
/// of 256 or -1 wraps round the circle); no input is an error. rgbToHsv,
/// rgbToHsl and hslToRgb give these exact results where long double has a
/// 64-bit significand (x86); hsvToRgb is plain integer arithmetic everywhere.
#pragma once

#include <cstdint>

#include "easel/colour/color.h"

namespace easel {

/// HSL of an RGB colour; grey gives hue 0 and saturation 0.
HslColor rgbToHsl(RgbColor c);

/// RGB of an HSL colour; saturation 0 gives the grey of the lightness.
RgbColor hslToRgb(HslColor c);

/// HSV of an RGB colour; grey gives hue 0 and saturation 0, black gives (0, 0, 0).
HsvColor rgbToHsv(RgbColor c);

/// RGB of an HSV colour, in integers only. A hue outside 0-255 wraps round the
/// colour circle (h mod 256); saturation and value keep their low 8 bits.
constexpr RgbColor hsvToRgb(HsvColor c) {
    const std::uint32_t h = static_cast<std::uint32_t>(c.h) & 255u;
    const std::uint32_t s = static_cast<std::uint32_t>(c.s) & 255u;
    const std::uint32_t v255 = 255u * (static_cast<std::uint32_t>(c.v) & 255u);
    // Every product below stays under 255 * 255 * 65536 < 2^32.
    const int top = static_cast<int>(v255 >> 8);
    if (s == 0) return RgbColor::unmasked(top, top, top);
    const std::uint32_t sector = (6u * h) >> 8;  // 0-5
    const std::uint32_t k = (6u * h) & 255u;     // position within the sector, /256
    const int p = static_cast<int>((v255 * (256u - s)) >> 16);
    const int q = static_cast<int>((v255 * (65536u - s * k)) >> 24);
    const int t = static_cast<int>((v255 * (65536u - s * (256u - k))) >> 24);
    switch (sector) {
        case 0:
            return RgbColor::unmasked(top, t, p);
        case 1:
            return RgbColor::unmasked(q, top, p);
        case 2:
            return RgbColor::unmasked(p, top, t);
        case 3:
            return RgbColor::unmasked(p, q, top);
        case 4:
            return RgbColor::unmasked(t, p, top);
        default:
            return RgbColor::unmasked(top, p, q);
    }
}

}  // namespace easel
