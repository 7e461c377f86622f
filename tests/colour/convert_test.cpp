#include "easel/colour/convert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using easel::HslColor;
using easel::HsvColor;
using easel::RgbColor;

// The picker's conversion is usable at compile time.
static_assert(easel::hsvToRgb(HsvColor(0, 255, 255)) == RgbColor(254, 0, 0), "pure red");
static_assert(easel::hsvToRgb(HsvColor(128, 128, 200)) == RgbColor(99, 199, 199), "teal");

std::string text(int a, int b, int c) {
    std::ostringstream s;
    s << "(" << a << ", " << b << ", " << c << ")";
    return s.str();
}
std::string text(RgbColor c) {
    return text(c.r, c.g, c.b);
}
std::string text(HsvColor c) {
    return text(c.h, c.s, c.v);
}
std::string text(HslColor c) {
    return text(c.h, c.s, c.l);
}

// Counts mismatches over a sweep and remembers the first one.
struct Mismatches {
    long count = 0;
    std::string first;

    void add(const std::string& input, const std::string& got, const std::string& expected) {
        if (count++ == 0) first = input + ": got " + got + ", expected " + expected;
    }
    ::testing::AssertionResult result() const {
        if (count == 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << count << " mismatches; first " << first;
    }
};

// ---------------------------------------------------------------------------
// Worked examples.

struct Example {
    int in[3];
    int out[3];
};

TEST(HsvToRgb, WorkedExamples) {
    const Example examples[] = {
        {{0, 255, 255}, {254, 0, 0}},    {{43, 255, 255}, {252, 254, 0}},
        {{255, 255, 255}, {254, 0, 6}},  {{128, 128, 200}, {99, 199, 199}},
        {{0, 255, 254}, {253, 0, 0}},    {{0, 0, 255}, {254, 254, 254}},
        {{77, 0, 255}, {254, 254, 254}}, {{200, 0, 255}, {254, 254, 254}},
        {{0, 0, 0}, {0, 0, 0}},          {{90, 255, 0}, {0, 0, 0}},
        {{213, 17, 0}, {0, 0, 0}},
    };
    for (const Example& e : examples) {
        const RgbColor got = easel::hsvToRgb(HsvColor(e.in[0], e.in[1], e.in[2]));
        EXPECT_EQ(got, RgbColor(e.out[0], e.out[1], e.out[2]))
            << text(e.in[0], e.in[1], e.in[2]) << " gave " << text(got);
    }
}

TEST(RgbToHsv, WorkedExamples) {
    const Example examples[] = {
        {{255, 0, 0}, {0, 255, 254}},     {{0, 255, 0}, {85, 255, 254}},
        {{0, 0, 255}, {170, 255, 254}},   {{255, 255, 0}, {42, 255, 254}},
        {{0, 255, 255}, {127, 255, 254}}, {{255, 0, 255}, {212, 255, 254}},
        {{255, 255, 255}, {0, 0, 254}},   {{0, 0, 0}, {0, 0, 0}},
        {{128, 64, 32}, {14, 191, 127}},
    };
    for (const Example& e : examples) {
        const HsvColor got = easel::rgbToHsv(RgbColor(e.in[0], e.in[1], e.in[2]));
        EXPECT_EQ(text(got), text(e.out[0], e.out[1], e.out[2]))
            << "for " << text(e.in[0], e.in[1], e.in[2]);
    }
}

TEST(RgbToHsl, WorkedExamples) {
    const Example examples[] = {
        {{255, 0, 0}, {0, 255, 127}},   {{255, 255, 255}, {0, 0, 254}},
        {{128, 128, 128}, {0, 0, 127}}, {{128, 64, 32}, {14, 153, 79}},
        {{0, 0, 0}, {0, 0, 0}},
    };
    for (const Example& e : examples) {
        const HslColor got = easel::rgbToHsl(RgbColor(e.in[0], e.in[1], e.in[2]));
        EXPECT_EQ(text(got), text(e.out[0], e.out[1], e.out[2]))
            << "for " << text(e.in[0], e.in[1], e.in[2]);
    }
}

TEST(HslToRgb, WorkedExamples) {
    const Example examples[] = {
        {{0, 255, 128}, {254, 0, 0}},   {{85, 255, 128}, {2, 254, 0}},
        {{170, 255, 128}, {0, 4, 254}}, {{0, 255, 255}, {254, 253, 253}},
        {{0, 0, 255}, {254, 254, 254}}, {{0, 0, 0}, {0, 0, 0}},
        {{100, 255, 0}, {0, 0, 0}},     {{231, 40, 0}, {0, 0, 0}},
    };
    for (const Example& e : examples) {
        const RgbColor got = easel::hslToRgb(HslColor(e.in[0], e.in[1], e.in[2]));
        EXPECT_EQ(got, RgbColor(e.out[0], e.out[1], e.out[2]))
            << text(e.in[0], e.in[1], e.in[2]) << " gave " << text(got);
    }
}

TEST(Conversions, ThereAndBackDarkensByAUnit) {
    const HsvColor hsv = easel::rgbToHsv(RgbColor(255, 0, 0));
    EXPECT_EQ(text(hsv), text(0, 255, 254));
    EXPECT_EQ(easel::hsvToRgb(hsv), RgbColor(253, 0, 0));
}

// 255 * hue lands exactly on 169 here; the hue must come out as 168.
TEST(Conversions, HueOnAnExactBoundaryRoundsDown) {
    EXPECT_EQ(easel::rgbToHsv(RgbColor(0, 2, 85)).h, 168);
    EXPECT_EQ(text(easel::rgbToHsl(RgbColor(0, 2, 85))), text(168, 255, 42));
}

// ---------------------------------------------------------------------------
// Inputs outside 0-255.

// A hue off the circle wraps round it: hue 256 is red again, -1 is 255.
TEST(HsvToRgb, HueOutsideTheCircleWrapsRoundIt) {
    HsvColor red;
    red.h = 256;
    red.s = 255;
    red.v = 255;
    EXPECT_EQ(easel::hsvToRgb(red), RgbColor(254, 0, 0));
    HsvColor below;
    below.h = -1;
    below.s = 255;
    below.v = 255;
    EXPECT_EQ(easel::hsvToRgb(below), RgbColor(254, 0, 6));

    std::mt19937 random(7);
    std::uniform_int_distribution<int> anyInt(INT_MIN, INT_MAX);
    std::uniform_int_distribution<int> byte(0, 255);
    const int fixedHues[] = {INT_MIN, INT_MIN + 1, -257, -256, -255,   -1,
                             256,     511,         512,  1000, INT_MAX};
    std::vector<int> hues(std::begin(fixedHues), std::end(fixedHues));
    for (int i = 0; i < 2000; ++i) hues.push_back(anyInt(random));
    Mismatches wrong;
    for (int hue : hues) {
        const int onCircle = static_cast<int>(((static_cast<std::int64_t>(hue) % 256) + 256) % 256);
        HsvColor off;
        off.h = hue;
        off.s = byte(random);
        off.v = byte(random);
        const RgbColor got = easel::hsvToRgb(off);
        const RgbColor expected = easel::hsvToRgb(HsvColor(onCircle, off.s, off.v));
        if (got != expected) wrong.add(text(off), text(got), text(expected));
    }
    EXPECT_TRUE(wrong.result());
}

// Saturation and value outside 0-255 are taken by their low 8 bits.
TEST(Conversions, ChannelsOutsideTheRangeKeepTheirLowEightBits) {
    HsvColor grey;
    grey.h = 0;
    grey.s = 256;
    grey.v = -1;
    EXPECT_EQ(easel::hsvToRgb(grey), RgbColor(254, 254, 254));

    std::mt19937 random(11);
    std::uniform_int_distribution<int> anyInt(INT_MIN, INT_MAX);
    Mismatches wrong;
    for (int i = 0; i < 20000; ++i) {
        const int a = anyInt(random);
        const int b = i % 3 == 0 ? INT_MIN : anyInt(random);
        const int c = i % 5 == 0 ? INT_MAX : anyInt(random);
        auto low = [](int v) { return static_cast<int>(static_cast<std::uint32_t>(v) % 256u); };

        const RgbColor rgb = RgbColor::unmasked(a, b, c);
        const RgbColor rgbLow(low(a), low(b), low(c));
        if (text(easel::rgbToHsv(rgb)) != text(easel::rgbToHsv(rgbLow)))
            wrong.add("rgbToHsv " + text(rgb), text(easel::rgbToHsv(rgb)),
                      text(easel::rgbToHsv(rgbLow)));
        if (text(easel::rgbToHsl(rgb)) != text(easel::rgbToHsl(rgbLow)))
            wrong.add("rgbToHsl " + text(rgb), text(easel::rgbToHsl(rgb)),
                      text(easel::rgbToHsl(rgbLow)));

        HslColor hsl;
        hsl.h = a;
        hsl.s = b;
        hsl.l = c;
        const RgbColor fromHsl = easel::hslToRgb(hsl);
        const RgbColor fromHslLow = easel::hslToRgb(HslColor(low(a), low(b), low(c)));
        if (fromHsl != fromHslLow)
            wrong.add("hslToRgb " + text(hsl), text(fromHsl), text(fromHslLow));

        HsvColor hsv;
        hsv.h = a;
        hsv.s = b;
        hsv.v = c;
        const RgbColor fromHsv = easel::hsvToRgb(hsv);
        const RgbColor fromHsvLow = easel::hsvToRgb(HsvColor(low(a), low(b), low(c)));
        if (fromHsv != fromHsvLow)
            wrong.add("hsvToRgb " + text(hsv), text(fromHsv), text(fromHsvLow));
    }
    EXPECT_TRUE(wrong.result());
}

// ---------------------------------------------------------------------------
// hsvToRgb against the floating-point formulas, over every input.

// The single-precision form of the conversion: normalised inputs, p, q and t
// in float, the rest in long double, each result 255 * x taken whole.
RgbColor hsvToRgbInFloat(int h, int s, int v) {
    const float hue = static_cast<float>(h) / 256.0f;
    const float sat = static_cast<float>(s) / 256.0f;
    const float val = static_cast<float>(v) / 256.0f;
    // 255 * x needs at most 32 bits here, so double forms it exactly.
    auto whole = [](float x) {
        return static_cast<int>(std::floor(255.0 * static_cast<double>(x)));
    };
    if (sat == 0) return RgbColor(whole(val), whole(val), whole(val));
    const float h6 = 6.0f * hue;
    const long double sector = std::floor(static_cast<long double>(h6));
    const long double f = h6 - sector;
    const float p = static_cast<float>(val * (1.0L - sat));
    const float q = static_cast<float>(val * (1.0L - sat * f));
    const float t = static_cast<float>(val * (1.0L - sat * (1.0L - f)));
    switch (static_cast<int>(sector)) {
        case 0:
            return RgbColor(whole(val), whole(t), whole(p));
        case 1:
            return RgbColor(whole(q), whole(val), whole(p));
        case 2:
            return RgbColor(whole(p), whole(val), whole(t));
        case 3:
            return RgbColor(whole(p), whole(q), whole(val));
        case 4:
            return RgbColor(whole(t), whole(p), whole(val));
        case 5:
            return RgbColor(whole(val), whole(p), whole(q));
        default:
            return RgbColor::unmasked(-1, -1, -1);
    }
}

TEST(HsvToRgb, MatchesTheFloatFormulasForEveryInput) {
    Mismatches wrong;
    for (int h = 0; h < 256; ++h) {
        for (int s = 0; s < 256; ++s) {
            for (int v = 0; v < 256; ++v) {
                const RgbColor got = easel::hsvToRgb(HsvColor(h, s, v));
                const RgbColor expected = hsvToRgbInFloat(h, s, v);
                if (got != expected) wrong.add(text(h, s, v), text(got), text(expected));
            }
        }
    }
    EXPECT_TRUE(wrong.result());
}

// The sector boundaries: hues 0-42, 43-85, 86-127, 128-170, 171-213, 214-255
// each keep the same channel at the top value.
TEST(HsvToRgb, SectorsCoverTheCircleInSixths) {
    struct Sector {
        int first, last;
        int topChannel;  // 0 red, 1 green, 2 blue
    };
    const Sector sectors[] = {{0, 42, 0},    {43, 85, 1},   {86, 127, 1},
                              {128, 170, 2}, {171, 213, 2}, {214, 255, 0}};
    for (const Sector& sector : sectors) {
        for (int h = sector.first; h <= sector.last; ++h) {
            const RgbColor c = easel::hsvToRgb(HsvColor(h, 200, 255));
            const int channels[3] = {c.r, c.g, c.b};
            EXPECT_EQ(channels[sector.topChannel], 254) << "hue " << h << " gave " << text(c);
        }
    }
}

// ---------------------------------------------------------------------------
// An exact model of the other three conversions. Values are held as exact
// dyadic numbers (a 128-bit magnitude over a power of two) and rounded
// explicitly wherever the conversions round: to 24 significant bits at the
// single-precision points, to 64 bits at every extended-precision step.

#if defined(__SIZEOF_INT128__)
__extension__ typedef unsigned __int128 Wide;

int bitLength(Wide v) {
    const auto high = static_cast<std::uint64_t>(v >> 64);
    const auto low = static_cast<std::uint64_t>(v);
    if (high != 0) return 128 - __builtin_clzll(high);
    return low != 0 ? 64 - __builtin_clzll(low) : 0;
}

// v rounded to `bits` significant bits, to nearest with ties to even, at the
// same scale. `inexact` says that a non-zero remainder was already cut off
// below v (so a tie is really above half).
Wide roundSignificant(Wide v, int bits, bool inexact) {
    const int excess = bitLength(v) - bits;
    if (excess <= 0) return v;
    const Wide unit = Wide(1) << excess;
    const Wide rest = v & (unit - 1);
    const Wide half = unit >> 1;
    Wide kept = v - rest;
    if (rest > half || (rest == half && (inexact || (kept & unit) != 0))) kept += unit;
    return kept;
}

// ±magnitude / 2^scale.
struct Exact {
    bool negative = false;
    Wide magnitude = 0;
    int scale = 0;
};

Exact integer(std::int64_t k) {
    Exact e;
    e.negative = k < 0;
    e.magnitude = static_cast<Wide>(k < 0 ? -k : k);
    return e;
}

Exact fromDouble(double d) {
    int exponent = 0;
    const double fraction = std::frexp(d, &exponent);
    Exact e;
    e.negative = d < 0;
    e.magnitude = static_cast<Wide>(std::fabs(std::ldexp(fraction, 53)));
    e.scale = 53 - exponent;
    return e;
}

int trailingZeros(Wide v) {
    const auto low = static_cast<std::uint64_t>(v);
    if (low != 0) return __builtin_ctzll(low);
    return 64 + __builtin_ctzll(static_cast<std::uint64_t>(v >> 64));
}

// Drops trailing zero bits so that magnitudes stay small.
Exact tidy(Exact e) {
    if (e.magnitude == 0) return Exact{};
    const int drop = std::min(trailingZeros(e.magnitude), e.scale);
    if (drop > 0) {
        e.magnitude >>= drop;
        e.scale -= drop;
    }
    return e;
}

Exact rounded(Exact e, int bits) {
    e.magnitude = roundSignificant(e.magnitude, bits, false);
    return tidy(e);
}

// Both at the larger of their scales.
void align(Exact& a, Exact& b) {
    if (a.scale < b.scale) {
        a.magnitude <<= b.scale - a.scale;
        a.scale = b.scale;
    } else if (b.scale < a.scale) {
        b.magnitude <<= a.scale - b.scale;
        b.scale = a.scale;
    }
}

Exact negated(Exact e) {
    e.negative = !e.negative;
    return e;
}

Exact sum(Exact a, Exact b) {
    align(a, b);
    Exact s;
    s.scale = a.scale;
    if (a.negative == b.negative) {
        s.negative = a.negative;
        s.magnitude = a.magnitude + b.magnitude;
    } else if (a.magnitude >= b.magnitude) {
        s.negative = a.negative;
        s.magnitude = a.magnitude - b.magnitude;
    } else {
        s.negative = b.negative;
        s.magnitude = b.magnitude - a.magnitude;
    }
    return s;
}

Exact product(Exact a, Exact b) {
    Exact p;
    p.negative = a.negative != b.negative;
    p.magnitude = a.magnitude * b.magnitude;
    p.scale = a.scale + b.scale;
    return p;
}

// a / k rounded to `bits` significant bits (k > 0).
Exact quotient(Exact a, std::int64_t k, int bits) {
    if (a.magnitude == 0) return Exact{};
    const Wide divisor = static_cast<Wide>(k);
    // Enough quotient bits that the remainder only breaks ties.
    const int shift = std::max(0, bits + 4 + bitLength(divisor) - bitLength(a.magnitude));
    a.magnitude <<= shift;
    a.scale += shift;
    Exact q = a;
    q.magnitude = roundSignificant(a.magnitude / divisor, bits, a.magnitude % divisor != 0);
    return tidy(q);
}

bool less(Exact a, Exact b) {
    align(a, b);
    if (a.negative != b.negative) return a.negative && (a.magnitude != 0 || b.magnitude != 0);
    return a.negative ? a.magnitude > b.magnitude : a.magnitude < b.magnitude;
}

bool isNegative(const Exact& e) {
    return e.negative && e.magnitude != 0;
}

// The whole part of 255 * e, for e >= 0.
int wholeOf255Times(const Exact& e) {
    return static_cast<int>((e.magnitude * 255) >> e.scale);
}

// The hue fraction for a difference n of the two other channels over the
// spread d, in the sector starting at `offset` (0 red, 2 green, 4 blue).
Exact hueModel(int n, int d, int offset) {
    Exact hue = quotient(integer(n), d, 64);
    hue = rounded(sum(hue, integer(offset)), 64);
    hue = quotient(hue, 6, 64);
    if (isNegative(hue)) hue = rounded(sum(hue, integer(1)), 64);
    return hue;
}

// 255 * hue, taken whole, for every sector, difference and spread.
class HueTable {
  public:
    HueTable() : values_(3 * 511 * 256, -1) {
        for (int sector = 0; sector < 3; ++sector)
            for (int d = 1; d < 256; ++d)
                for (int n = -d; n <= d; ++n)
                    values_[index(sector, n, d)] = wholeOf255Times(hueModel(n, d, 2 * sector));
    }
    // Which channel holds the maximum decides the sector: blue, then green, then red.
    int hue(int r, int g, int b, int max, int delta) const {
        if (b == max) return values_[index(2, r - g, delta)];
        if (g == max) return values_[index(1, b - r, delta)];
        return values_[index(0, g - b, delta)];
    }

  private:
    static std::size_t index(int sector, int n, int d) {
        return (static_cast<std::size_t>(sector) * 511 + static_cast<std::size_t>(n + 255)) * 256 +
               static_cast<std::size_t>(d);
    }
    std::vector<int> values_;
};

bool haveExtendedIntermediates() {
    return std::numeric_limits<long double>::digits == 64;
}

TEST(ExactModel, AgreesWithTheWorkedBoundaryCase) {
    // (0, 2, 85): hue = (4 - 2/85) / 6, exactly 169/255, lands just below.
    EXPECT_EQ(wholeOf255Times(hueModel(-2, 85, 4)), 168);
    EXPECT_EQ(wholeOf255Times(hueModel(0, 255, 0)), 0);
    EXPECT_EQ(wholeOf255Times(hueModel(-1, 255, 0)), 254);
}

TEST(RgbToHsv, MatchesTheExactModelForEveryInput) {
    if (!haveExtendedIntermediates()) GTEST_SKIP() << "long double has no 64-bit significand here";
    const HueTable hues;
    std::vector<int> saturation(256 * 256, 0);  // by spread and maximum
    for (int max = 1; max < 256; ++max)
        for (int d = 0; d <= max; ++d)
            saturation[static_cast<std::size_t>(d) * 256 + max] =
                wholeOf255Times(quotient(integer(d), max, 24));
    Mismatches wrong;
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                const int max = std::max(r, std::max(g, b));
                const int delta = max - std::min(r, std::min(g, b));
                const int s =
                    max == 0 ? 0 : saturation[static_cast<std::size_t>(delta) * 256 + max];
                const int h = s == 0 ? 0 : hues.hue(r, g, b, max, delta);
                const HsvColor got = easel::rgbToHsv(RgbColor(r, g, b));
                if (got.h != h || got.s != s || got.v != 255 * max / 256)
                    wrong.add(text(r, g, b), text(got), text(h, s, 255 * max / 256));
            }
        }
    }
    EXPECT_TRUE(wrong.result());
}

TEST(RgbToHsl, MatchesTheExactModelForEveryInput) {
    if (!haveExtendedIntermediates()) GTEST_SKIP() << "long double has no 64-bit significand here";
    const HueTable hues;
    // By spread and the sum of maximum and minimum: d / (2 - M - m) from
    // lightness one half up, else d / (M + m); in channel units the 256s cancel.
    std::vector<int> saturation(256 * 512, 0);
    for (int total = 1; total < 511; ++total)
        for (int d = 1; d <= std::min(total, 255); ++d)
            saturation[static_cast<std::size_t>(d) * 512 + total] =
                wholeOf255Times(quotient(integer(d), total >= 256 ? 512 - total : total, 24));
    Mismatches wrong;
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                const int max = std::max(r, std::max(g, b));
                const int min = std::min(r, std::min(g, b));
                const int delta = max - min;
                const int l = 255 * (max + min) / 512;
                const int s = saturation[static_cast<std::size_t>(delta) * 512 + max + min];
                const int h = delta == 0 ? 0 : hues.hue(r, g, b, max, delta);
                const HslColor got = easel::rgbToHsl(RgbColor(r, g, b));
                if (got.h != h || got.s != s || got.l != l)
                    wrong.add(text(r, g, b), text(got), text(h, s, l));
            }
        }
    }
    EXPECT_TRUE(wrong.result());
}

TEST(HslToRgb, MatchesTheExactModelForEveryInput) {
    if (!haveExtendedIntermediates()) GTEST_SKIP() << "long double has no 64-bit significand here";
    const Exact third = fromDouble(1.0 / 3.0);
    const Exact sixth = fromDouble(1.0 / 6.0);
    const Exact half = quotient(integer(1), 2, 64);
    const Exact twoThirds = fromDouble(2.0 / 3.0);
    const Exact one = integer(1);

    // The three positions of every hue: a third of the circle either side,
    // rounded to single precision, brought back into [0, 1].
    std::vector<Exact> positions[3];
    for (int h = 0; h < 256; ++h) {
        const Exact hue = quotient(integer(h), 256, 64);
        Exact red = rounded(sum(hue, third), 24);
        if (less(one, red)) red = sum(red, negated(one));
        Exact blue = rounded(sum(hue, negated(third)), 24);
        if (isNegative(blue)) blue = sum(blue, one);
        positions[0].push_back(red);
        positions[1].push_back(hue);
        positions[2].push_back(blue);
    }
    // Which of the four pieces each position falls in.
    std::vector<int> piece[3];
    for (int c = 0; c < 3; ++c)
        for (const Exact& x : positions[c])
            piece[c].push_back(less(x, sixth) ? 0 : less(x, half) ? 1 : less(x, twoThirds) ? 2 : 3);

    Mismatches wrong;
    for (int s = 0; s < 256; ++s) {
        for (int l = 0; l < 256; ++l) {
            const Exact sat = quotient(integer(s), 256, 64);
            const Exact light = quotient(integer(l), 256, 64);
            const Exact m2 = l < 128 ? rounded(product(light, sum(one, sat)), 64)
                                     : rounded(sum(rounded(sum(light, sat), 64),
                                                   negated(rounded(product(light, sat), 64))),
                                               64);
            const Exact m1 = rounded(sum(product(integer(2), light), negated(m2)), 64);
            const Exact spread = rounded(sum(m2, negated(m1)), 64);
            const int top = wholeOf255Times(m2);
            const int bottom = wholeOf255Times(m1);
            for (int h = 0; h < 256; ++h) {
                int expected[3] = {0, 0, 0};
                for (int c = 0; c < 3; ++c) {
                    const Exact& x = positions[c][static_cast<std::size_t>(h)];
                    const int at = s == 0 ? -1 : piece[c][static_cast<std::size_t>(h)];
                    Exact value;
                    if (at == -1) {
                        expected[c] = wholeOf255Times(light);
                    } else if (at == 0) {
                        value = rounded(product(rounded(product(spread, integer(6)), 64), x), 64);
                        expected[c] = wholeOf255Times(rounded(sum(m1, value), 64));
                    } else if (at == 1) {
                        expected[c] = top;
                    } else if (at == 2) {
                        value = rounded(sum(twoThirds, negated(x)), 64);
                        value = rounded(product(spread, value), 64);
                        value = rounded(product(value, integer(6)), 64);
                        expected[c] = wholeOf255Times(rounded(sum(m1, value), 64));
                    } else {
                        expected[c] = bottom;
                    }
                }
                const RgbColor got = easel::hslToRgb(HslColor(h, s, l));
                const RgbColor want(expected[0], expected[1], expected[2]);
                if (got != want) wrong.add(text(h, s, l), text(got), text(want));
            }
        }
    }
    EXPECT_TRUE(wrong.result());
}
#endif

}  // namespace
