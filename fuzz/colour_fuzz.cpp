// Every colour record constructor, operator and conversion with arbitrary
// ints: no undefined behaviour (UBSan aborts on signed overflow, division
// traps and out-of-range float-to-int conversions), and the properties that
// hold for any input: construction keeps 0-255 channels, == and != are exact
// negations, division by 0 is the identity, packing and unpacking in-range
// channels round-trips, conversions give 0-255 channels and take any channel
// by its low 8 bits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "easel/colour/color.h"
#include "easel/colour/convert.h"
#include "support/fuzz_screen.h"

namespace {

bool inByteRange(int v) {
    return v >= 0 && v <= 255;
}

bool inByteRange(const easel::RgbColor& c) {
    return inByteRange(c.r) && inByteRange(c.g) && inByteRange(c.b);
}

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    easel_fuzz::ByteReader in(data, size);
    while (!in.empty()) {
        const int a0 = in.takeInt(), a1 = in.takeInt(), a2 = in.takeInt();
        const int b0 = in.takeInt(), b1 = in.takeInt(), b2 = in.takeInt();
        const int k = in.takeInt();

        const easel::RgbColor masked(a0, a1, a2);
        check(inByteRange(masked));
        check(masked.r == (a0 & 255) && masked.g == (a1 & 255) && masked.b == (a2 & 255));
        const easel::Rgb8Color bytes(a0, a1, a2);
        check(easel::RgbColor(bytes) == masked);
        check(easel::RgbColor(easel::Rgb8Color(masked)) == masked);
        const easel::HsvColor hsv(a0, a1, a2);
        const easel::HslColor hsl(b0, b1, b2);
        check(inByteRange(hsv.h) && inByteRange(hsv.s) && inByteRange(hsv.v));
        check(inByteRange(hsl.h) && inByteRange(hsl.s) && inByteRange(hsl.l));

        // The operators on unmasked channels anywhere in the int range.
        const easel::RgbColor a = easel::RgbColor::unmasked(a0, a1, a2);
        const easel::RgbColor b = easel::RgbColor::unmasked(b0, b1, b2);
        const easel::RgbColor sum = a + b;
        const easel::RgbColor difference = a - b;
        const easel::RgbColor product = a * k;
        check(product == k * a);
        const easel::RgbColor quotient = a / k;
        if (k == 0) check(quotient == a);
        check((a == b) != (a != b));
        check(sum - b == a);
        check(difference + b == a);
        // A blend as the brush does it: the result of in-range operands is in range.
        const int alpha = k & 255;
        const easel::RgbColor blend =
            (masked * (256 - alpha) + easel::RgbColor(b0, b1, b2) * alpha) / 256;
        check(inByteRange(blend));

        // The conversions with every channel anywhere in the int range (the
        // records' fields set directly, so not masked by a constructor): the
        // results are always on 0-255, and an out-of-range channel converts
        // like its low 8 bits.
        easel::HsvColor anyHsv;
        anyHsv.h = a0;
        anyHsv.s = a1;
        anyHsv.v = a2;
        easel::HslColor anyHsl;
        anyHsl.h = b0;
        anyHsl.s = b1;
        anyHsl.l = b2;
        const easel::RgbColor fromHsv = easel::hsvToRgb(anyHsv);
        check(inByteRange(fromHsv) && fromHsv == easel::hsvToRgb(hsv));
        const easel::RgbColor fromHsl = easel::hslToRgb(anyHsl);
        check(inByteRange(fromHsl) && fromHsl == easel::hslToRgb(hsl));
        const easel::HsvColor toHsv = easel::rgbToHsv(a);
        check(inByteRange(toHsv.h) && inByteRange(toHsv.s) && inByteRange(toHsv.v));
        check(toHsv.h == easel::rgbToHsv(masked).h && toHsv.s == easel::rgbToHsv(masked).s &&
              toHsv.v == easel::rgbToHsv(masked).v);
        const easel::HslColor toHsl = easel::rgbToHsl(b);
        check(inByteRange(toHsl.h) && inByteRange(toHsl.s) && inByteRange(toHsl.l));

        const int packed = easel::rgbToInt(a);
        (void)packed;
        check(easel::intToRgb(easel::rgbToInt(masked)) == masked);
        check(inByteRange(easel::intToRgb(k)));
    }
    return 0;
}
