/// @file
/// Colour records and their integer arithmetic.
///
/// RgbColor is the universal colour: three signed ints red, green, blue,
/// nominally 0-255. Building a record from three values keeps the low 8 bits
/// of each; the arithmetic operators do not mask or clamp, so intermediate
/// results (a blend's products, say) may hold values far outside 0-255.
/// Nothing here allocates or fails.
#pragma once

#include <cstdint>

#include "easel/colour/detail/wrapping.h"

namespace easel {

struct Rgb8Color;

/// A colour as three signed ints. The three-value constructor keeps the low 8
/// bits of each value (256 -> 0, -1 -> 255); the operators below do not.
struct RgbColor {
    int r = 0;  ///< Red, nominally 0-255; 0 by default.
    int g = 0;  ///< Green, nominally 0-255; 0 by default.
    int b = 0;  ///< Blue, nominally 0-255; 0 by default.

    /// Black, (0, 0, 0).
    constexpr RgbColor() = default;
    /// The low 8 bits of each value (256 -> 0, -1 -> 255).
    constexpr RgbColor(int red, int green, int blue)
        : r(red & 255), g(green & 255), b(blue & 255) {}
    /// The three bytes of an Rgb8Color, channel by channel.
    constexpr explicit RgbColor(const Rgb8Color& c);

    /// A record holding the three values exactly as given, unmasked.
    static constexpr RgbColor unmasked(int red, int green, int blue) {
        RgbColor c;
        c.r = red;
        c.g = green;
        c.b = blue;
        return c;
    }
};

/// A colour as three bytes, laid out as exactly three consecutive bytes.
struct Rgb8Color {
    std::uint8_t r = 0;  ///< The red byte; 0 by default.
    std::uint8_t g = 0;  ///< The green byte; 0 by default.
    std::uint8_t b = 0;  ///< The blue byte; 0 by default.

    /// Black, (0, 0, 0).
    constexpr Rgb8Color() = default;
    /// The low 8 bits of each value.
    constexpr Rgb8Color(int red, int green, int blue)
        : r(static_cast<std::uint8_t>(red & 255)),
          g(static_cast<std::uint8_t>(green & 255)),
          b(static_cast<std::uint8_t>(blue & 255)) {}
    /// The low 8 bits of each channel of an RgbColor.
    constexpr explicit Rgb8Color(const RgbColor& c) : Rgb8Color(c.r, c.g, c.b) {}
};
static_assert(sizeof(Rgb8Color) == 3, "Rgb8Color must be three consecutive bytes");

constexpr RgbColor::RgbColor(const Rgb8Color& c) : r(c.r), g(c.g), b(c.b) {}

/// Hue, saturation and lightness, each 0-255 (hue 0-255 is the whole circle).
/// The three-value constructor keeps the low 8 bits of each value.
struct HslColor {
    int h = 0;  ///< Hue, nominally 0-255 for the whole circle; 0 by default.
    int s = 0;  ///< Saturation, nominally 0-255; 0 by default.
    int l = 0;  ///< Lightness, nominally 0-255; 0 by default.

    /// All three 0.
    constexpr HslColor() = default;
    /// The low 8 bits of each value.
    constexpr HslColor(int hue, int saturation, int lightness)
        : h(hue & 255), s(saturation & 255), l(lightness & 255) {}
};

/// Hue, saturation and value, each 0-255 (hue 0-255 is the whole circle).
/// The three-value constructor keeps the low 8 bits of each value.
struct HsvColor {
    int h = 0;  ///< Hue, nominally 0-255 for the whole circle; 0 by default.
    int s = 0;  ///< Saturation, nominally 0-255; 0 by default.
    int v = 0;  ///< Value, nominally 0-255; 0 by default.

    /// All three 0.
    constexpr HsvColor() = default;
    /// The low 8 bits of each value.
    constexpr HsvColor(int hue, int saturation, int value)
        : h(hue & 255), s(saturation & 255), v(value & 255) {}
};

/// Channel-wise sum, unmasked and unclamped.
constexpr RgbColor operator+(RgbColor a, RgbColor b) {
    return RgbColor::unmasked(detail::wrapAdd(a.r, b.r), detail::wrapAdd(a.g, b.g),
                              detail::wrapAdd(a.b, b.b));
}

/// Channel-wise difference; negative channels stay negative.
constexpr RgbColor operator-(RgbColor a, RgbColor b) {
    return RgbColor::unmasked(detail::wrapSub(a.r, b.r), detail::wrapSub(a.g, b.g),
                              detail::wrapSub(a.b, b.b));
}

/// Each channel multiplied by k, unmasked.
constexpr RgbColor operator*(RgbColor a, int k) {
    return RgbColor::unmasked(detail::wrapMul(a.r, k), detail::wrapMul(a.g, k),
                              detail::wrapMul(a.b, k));
}

/// Each channel multiplied by k, unmasked.
constexpr RgbColor operator*(int k, RgbColor a) { return a * k; }

/// Each channel divided by k, truncated toward zero; a divisor of 0 returns a
/// unchanged.
constexpr RgbColor operator/(RgbColor a, int k) {
    if (k == 0) return a;
    return RgbColor::unmasked(detail::wrapDiv(a.r, k), detail::wrapDiv(a.g, k),
                              detail::wrapDiv(a.b, k));
}

/// True exactly when all three channels are equal.
constexpr bool operator==(RgbColor a, RgbColor b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

/// The exact negation of ==.
constexpr bool operator!=(RgbColor a, RgbColor b) { return !(a == b); }

/// red * 65536 + green * 256 + blue. Channels are not masked, so one outside
/// 0-255 spills into its neighbour's bits.
constexpr int rgbToInt(RgbColor c) {
    return static_cast<int>(static_cast<std::uint32_t>(c.r) * 65536u +
                            static_cast<std::uint32_t>(c.g) * 256u +
                            static_cast<std::uint32_t>(c.b));
}

/// Red from bits 16-23, green from bits 8-15, blue from bits 0-7; bits 24-31
/// are ignored.
constexpr RgbColor intToRgb(int n) { return RgbColor(n >> 16, n >> 8, n); }

}  // namespace easel
