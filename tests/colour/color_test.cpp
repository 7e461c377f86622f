#include "easel/colour/color.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>

namespace {

using easel::HslColor;
using easel::HsvColor;
using easel::Rgb8Color;
using easel::RgbColor;

// 32-bit two's-complement results, computed in 64 bits: the reference for
// the operators, which must wrap rather than overflow.
int wrap32(std::int64_t v) {
    return static_cast<int>(static_cast<std::uint32_t>(v));
}

RgbColor raw(int r, int g, int b) {
    return RgbColor::unmasked(r, g, b);
}

void expectChannels(RgbColor c, int r, int g, int b) {
    EXPECT_EQ(c.r, r);
    EXPECT_EQ(c.g, g);
    EXPECT_EQ(c.b, b);
}

// The records are usable in constant expressions.
static_assert(RgbColor(256, -1, 511) == RgbColor::unmasked(0, 255, 255), "");
static_assert(RgbColor(1, 2, 3) * 2 == RgbColor(2, 4, 6), "");
static_assert(easel::rgbToInt(RgbColor(18, 52, 86)) == 0x123456, "");

TEST(ColourConstruction, DefaultIsBlack) {
    expectChannels(RgbColor{}, 0, 0, 0);
    const Rgb8Color c8{};
    EXPECT_EQ(c8.r + c8.g + c8.b, 0);
    const HslColor hsl{};
    EXPECT_EQ(hsl.h + hsl.s + hsl.l, 0);
    const HsvColor hsv{};
    EXPECT_EQ(hsv.h + hsv.s + hsv.v, 0);
}

// Every record built from three values keeps the low 8 bits of each,
// read as unsigned.
TEST(ColourConstruction, ThreeValuesKeepTheirLowEightBits) {
    const int values[] = {0, 255, 256, 300, -1, 511, -256, 65280, INT_MIN, INT_MAX, 1000, -129};
    for (const int v : values) {
        const int low = static_cast<int>(static_cast<std::uint32_t>(v) & 255u);
        SCOPED_TRACE(testing::Message() << "value " << v);
        expectChannels(RgbColor(v, v, 7), low, low, 7);
        const Rgb8Color c8(v, 1, v);
        EXPECT_EQ(c8.r, low);
        EXPECT_EQ(c8.b, low);
        const HslColor hsl(v, v, v);
        EXPECT_EQ(hsl.h, low);
        EXPECT_EQ(hsl.s, low);
        EXPECT_EQ(hsl.l, low);
        const HsvColor hsv(v, v, v);
        EXPECT_EQ(hsv.h, low);
        EXPECT_EQ(hsv.s, low);
        EXPECT_EQ(hsv.v, low);
    }
    expectChannels(RgbColor(256, -1, 511), 0, 255, 255);
}

TEST(ColourConstruction, Rgb8ConvertsBothWays) {
    static_assert(sizeof(Rgb8Color) == 3, "three consecutive bytes");
    const Rgb8Color c8(200, 100, 50);
    expectChannels(RgbColor(c8), 200, 100, 50);
    const Rgb8Color back(raw(256 + 9, -1, 65280 + 17));
    EXPECT_EQ(back.r, 9);
    EXPECT_EQ(back.g, 255);
    EXPECT_EQ(back.b, 17);
}

TEST(ColourArithmetic, EdgeCases) {
    expectChannels(RgbColor(255, 255, 255) * 256, 65280, 65280, 65280);
    expectChannels(RgbColor(255, 255, 255) * 256 / 256, 255, 255, 255);
    expectChannels(raw(7, -7, 9) / 2, 3, -3, 4);
    expectChannels(raw(-9, 9, -1) / -2, 4, -4, 0);
    expectChannels(RgbColor(10, 20, 30) - RgbColor(20, 20, 20), -10, 0, 10);
    expectChannels(RgbColor(1, 2, 3) + RgbColor(255, 255, 255), 256, 257, 258);
    expectChannels(3 * RgbColor(1, 2, 3), 3, 6, 9);
    expectChannels(RgbColor(1, 2, 3) * -1, -1, -2, -3);
    for (const RgbColor c : {RgbColor(1, 2, 3), raw(INT_MIN, -5, INT_MAX), RgbColor{}}) {
        EXPECT_EQ(c / 0, c);
        EXPECT_EQ(c / 1, c);
    }
}

// Results beyond 32 bits wrap as the hardware would, with no undefined
// behaviour (the sanitizer build checks that).
TEST(ColourArithmetic, OverflowWrapsWithoutUndefinedBehaviour) {
    expectChannels(raw(INT_MAX, INT_MIN, 0) + raw(1, -1, 0), INT_MIN, INT_MAX, 0);
    expectChannels(raw(INT_MIN, INT_MAX, 0) - raw(1, -1, 0), INT_MAX, INT_MIN, 0);
    expectChannels(raw(INT_MIN, INT_MAX, 65536) * -1, INT_MIN, -INT_MAX, -65536);
    expectChannels(raw(65536, 65536, 3) * 65536, 0, 0, 196608);
    expectChannels(raw(INT_MIN, INT_MAX, -1) / -1, INT_MIN, -INT_MAX, 1);
    expectChannels(raw(INT_MIN, INT_MIN, INT_MIN) / INT_MIN, 1, 1, 1);
}

TEST(ColourArithmetic, MatchesWideArithmeticOnRandomOperands) {
    std::mt19937 rng(41);
    std::uniform_int_distribution<int> any(INT_MIN, INT_MAX);
    std::uniform_int_distribution<int> small(-70000, 70000);
    for (int i = 0; i < 50000; ++i) {
        auto pick = [&] { return (i % 3 == 0) ? any(rng) : small(rng); };
        const RgbColor a = raw(pick(), pick(), pick());
        const RgbColor b = raw(pick(), pick(), pick());
        const int k = pick();
        const std::int64_t ar = a.r, ag = a.g, ab = a.b;
        ASSERT_EQ(a + b, raw(wrap32(ar + b.r), wrap32(ag + b.g), wrap32(ab + b.b)));
        ASSERT_EQ(a - b, raw(wrap32(ar - b.r), wrap32(ag - b.g), wrap32(ab - b.b)));
        ASSERT_EQ(a * k, raw(wrap32(ar * k), wrap32(ag * k), wrap32(ab * k)));
        ASSERT_EQ(k * a, a * k);
        if (k != 0) {
            // 64-bit division truncates toward zero, as the operator must.
            ASSERT_EQ(a / k, raw(wrap32(ar / k), wrap32(ag / k), wrap32(ab / k)))
                << a.r << " " << a.g << " " << a.b << " / " << k;
        }
    }
}

// The soft brush's mix: (old * (256 - a) + colour * a) / 256 through the
// operators stays in 0-255 for every weight, and weight 0 keeps the old pixel.
TEST(ColourArithmetic, BlendStaysInRangeForEveryWeight) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> channel(0, 255);
    for (int alpha = 0; alpha < 256; ++alpha) {
        for (int i = 0; i < 200; ++i) {
            const RgbColor old(channel(rng), channel(rng), channel(rng));
            const RgbColor colour(channel(rng), channel(rng), channel(rng));
            const RgbColor mixed = (old * (256 - alpha) + colour * alpha) / 256;
            const int* o = &old.r;
            const int* c = &colour.r;
            const int* m = &mixed.r;
            for (int ch = 0; ch < 3; ++ch) {
                const int expected = (o[ch] * (256 - alpha) + c[ch] * alpha) / 256;
                ASSERT_EQ(m[ch], expected);
                ASSERT_GE(m[ch], 0);
                ASSERT_LE(m[ch], 255);
            }
            if (alpha == 0) {
                ASSERT_EQ(mixed, old);
            }
        }
    }
    const RgbColor black(0, 0, 0);
    const RgbColor white(255, 255, 255);
    EXPECT_EQ((black * (256 - 128) + white * 128) / 256, RgbColor(127, 127, 127));
    EXPECT_EQ((black * (256 - 255) + white * 255) / 256, RgbColor(254, 254, 254));
}

TEST(ColourComparison, EqualityIsChannelWiseAndInequalityItsNegation) {
    EXPECT_TRUE(RgbColor(1, 2, 3) == RgbColor(1, 2, 3));
    EXPECT_TRUE(RgbColor(1, 2, 3) != RgbColor(1, 2, 4));
    EXPECT_FALSE(RgbColor(1, 2, 3) != RgbColor(1, 2, 3));
    // Each channel alone makes a difference; no tolerance, no masking.
    const RgbColor base = raw(10, 20, 30);
    EXPECT_NE(base, raw(11, 20, 30));
    EXPECT_NE(base, raw(10, 21, 30));
    EXPECT_NE(base, raw(10, 20, 31));
    EXPECT_NE(raw(256, 0, 0), raw(0, 0, 0));
    std::mt19937 rng(9);
    std::uniform_int_distribution<int> few(0, 2);
    for (int i = 0; i < 10000; ++i) {
        const RgbColor a = raw(few(rng), few(rng), few(rng));
        const RgbColor b = raw(few(rng), few(rng), few(rng));
        const bool same = a.r == b.r && a.g == b.g && a.b == b.b;
        ASSERT_EQ(a == b, same);
        ASSERT_EQ(a != b, !same);
        ASSERT_EQ(b == a, same);
    }
}

TEST(ColourPacking, EdgeCases) {
    EXPECT_EQ(easel::rgbToInt(RgbColor(18, 52, 86)), 1193046);
    EXPECT_EQ(easel::intToRgb(1193046), RgbColor(18, 52, 86));
    EXPECT_EQ(easel::intToRgb(-1), RgbColor(255, 255, 255));
    EXPECT_EQ(easel::intToRgb(0x7F123456), RgbColor(0x12, 0x34, 0x56));
    EXPECT_EQ(easel::intToRgb(INT_MIN), RgbColor(0, 0, 0));
    EXPECT_EQ(easel::rgbToInt(RgbColor(255, 255, 255)), 0xFFFFFF);
    // Channels are not masked: green 256 adds one to red.
    EXPECT_EQ(easel::rgbToInt(raw(1, 256, 0)), easel::rgbToInt(raw(2, 0, 0)));
    EXPECT_EQ(easel::rgbToInt(raw(0, 0, -1)), -1);
    EXPECT_EQ(easel::rgbToInt(raw(256, 0, 0)), 0x1000000);
    EXPECT_EQ(easel::rgbToInt(raw(INT_MAX, INT_MAX, INT_MAX)),
              wrap32(static_cast<std::int64_t>(INT_MAX) * 65536 + INT_MAX * 256LL + INT_MAX));
}

TEST(ColourPacking, RoundTripsAndMatchesWideArithmetic) {
    std::mt19937 rng(17);
    std::uniform_int_distribution<int> any(INT_MIN, INT_MAX);
    std::uniform_int_distribution<int> channel(0, 255);
    for (int i = 0; i < 50000; ++i) {
        const RgbColor c(channel(rng), channel(rng), channel(rng));
        ASSERT_EQ(easel::intToRgb(easel::rgbToInt(c)), c);
        const int n = any(rng);
        const std::uint32_t u = static_cast<std::uint32_t>(n);
        ASSERT_EQ(easel::intToRgb(n),
                  RgbColor(static_cast<int>((u >> 16) & 255u), static_cast<int>((u >> 8) & 255u),
                           static_cast<int>(u & 255u)));
        ASSERT_EQ(easel::rgbToInt(easel::intToRgb(n)), static_cast<int>(u & 0xFFFFFFu));
        const RgbColor wide = raw(any(rng), any(rng), any(rng));
        ASSERT_EQ(easel::rgbToInt(wide), wrap32(static_cast<std::int64_t>(wide.r) * 65536 +
                                                static_cast<std::int64_t>(wide.g) * 256 + wide.b));
    }
}

}  // namespace
