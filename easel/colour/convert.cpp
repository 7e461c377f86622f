#include "easel/colour/convert.h"

#include <algorithm>

namespace easel {

namespace {

// Intermediate values carry a 64-bit significand; the values that are
// deliberately single precision are held in floats.
using Extended = long double;

// The nearest doubles to 1/3, 1/6 and 2/3, the constants of the HSL formulas.
constexpr double oneThird = 1.0 / 3.0;
constexpr double oneSixth = 1.0 / 6.0;
constexpr double twoThirds = 2.0 / 3.0;

// A channel's low 8 bits divided by 256: exact in single precision, and
// never 1 (255 becomes 0.99609375).
Extended normalised(int channel) {
    return static_cast<Extended>(static_cast<float>(channel & 255) / 256.0f);
}

// The whole part of 255 * x, for x >= 0, as if the product were formed
// exactly. The rounded product can land on a whole number that the exact
// product lies just below; the rounding error is recovered exactly (256 * x
// is exact, and both subtractions cancel exactly since their operands lie
// within a factor of two of each other) and decides that case. The whole
// part is taken through double, which avoids switching the x87 rounding mode
// (slow on some processors), and then corrected to the exact floor.
int wholeOf255Times(Extended x) {
    const Extended product = 255.0L * x;
    const Extended belowBy = (256.0L * x - product) - x;  // 255 * x - product, exactly
    int whole = static_cast<int>(static_cast<double>(product));
    if (static_cast<Extended>(whole) > product) whole -= 1;
    if (static_cast<Extended>(whole) == product && belowBy < 0) whole -= 1;
    return whole;
}

// The hue as a fraction of the circle in [0, 1), taken from the channel that
// holds the maximum: blue is tested first, then green, then red.
Extended hueFraction(Extended r, Extended g, Extended b, Extended max, Extended delta) {
    Extended hue = 0;
    if (b == max) {
        hue = (r - g) / delta + 4;
    } else if (g == max) {
        hue = (b - r) / delta + 2;
    } else {
        hue = (g - b) / delta;
    }
    hue = hue / 6;
    if (hue < 0) hue = hue + 1;
    return hue;
}

// One channel of hslToRgb from its position x on the circle.
Extended hslChannel(Extended m1, Extended m2, Extended x) {
    if (x < oneSixth) return m1 + (m2 - m1) * 6 * x;
    if (x < 0.5L) return m2;
    if (x < twoThirds) return m1 + (m2 - m1) * (twoThirds - x) * 6;
    return m1;
}

// A colour's channels on [0, 1] with their extremes, where both conversions
// from RGB begin.
struct UnitRgb {
    explicit UnitRgb(RgbColor c)
        : r(normalised(c.r)),
          g(normalised(c.g)),
          b(normalised(c.b)),
          max(std::max({r, g, b})),
          min(std::min({r, g, b})),
          delta(max - min) {}

    Extended r;
    Extended g;
    Extended b;
    Extended max;
    Extended min;
    Extended delta;

    Extended hue() const { return hueFraction(r, g, b, max, delta); }
};

}  // namespace

HslColor rgbToHsl(RgbColor c) {
    const UnitRgb u(c);
    const Extended lightness = (u.max + u.min) / 2;
    if (u.max == u.min) return HslColor(0, 0, wholeOf255Times(lightness));

    const float saturation = lightness >= 0.5L ? static_cast<float>(u.delta / (2 - u.max - u.min))
                                               : static_cast<float>(u.delta / (u.max + u.min));
    return HslColor(wholeOf255Times(u.hue()), wholeOf255Times(saturation),
                    wholeOf255Times(lightness));
}

RgbColor hslToRgb(HslColor c) {
    const Extended hue = normalised(c.h);
    const Extended saturation = normalised(c.s);
    const Extended lightness = normalised(c.l);
    if (saturation == 0) {
        const int grey = wholeOf255Times(lightness);
        return RgbColor(grey, grey, grey);
    }

    const Extended m2 = lightness < 0.5L ? lightness * (1 + saturation)
                                         : lightness + saturation - lightness * saturation;
    const Extended m1 = 2 * lightness - m2;

    // The red and blue positions are a third of the circle either side of
    // the hue, rounded to single precision before they are brought back
    // into [0, 1].
    Extended redAt = static_cast<float>(hue + oneThird);
    if (redAt > 1) redAt = redAt - 1;
    Extended blueAt = static_cast<float>(hue - oneThird);
    if (blueAt < 0) blueAt = blueAt + 1;

    return RgbColor(wholeOf255Times(hslChannel(m1, m2, redAt)),
                    wholeOf255Times(hslChannel(m1, m2, hue)),
                    wholeOf255Times(hslChannel(m1, m2, blueAt)));
}

HsvColor rgbToHsv(RgbColor c) {
    const UnitRgb u(c);
    const float saturation = u.max == 0 ? 0.0f : static_cast<float>(u.delta / u.max);
    const Extended hue = saturation == 0 ? 0 : u.hue();
    return HsvColor(wholeOf255Times(hue), wholeOf255Times(saturation), wholeOf255Times(u.max));
}

}  // namespace easel
