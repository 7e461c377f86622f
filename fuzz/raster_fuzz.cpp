// Every raster primitive, the translucent spans and discs and the brush
// stroke with arbitrary ints: nothing may touch memory outside the surface or
// hit undefined behaviour, and nothing may take long. clipLine must hand back
// ends on the screen that drawLine accepts (or reject with all four zero),
// and must leave a segment that is already on the screen unchanged. The
// clipped shapes draw something whenever the specified form would.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "paint/state.h"
#include "paint/stroke.h"
#include "easel/colour/color.h"
#include "easel/display/screen.h"
#include "easel/raster/blend.h"
#include "easel/raster/clip.h"
#include "easel/raster/clipped.h"
#include "easel/raster/line.h"
#include "easel/raster/shapes.h"
#include "support/fuzz_screen.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

void clipThenDraw(int x0, int y0, int x1, int y1, easel::RgbColor colour) {
    int cx0 = -1, cy0 = -1, cx1 = -1, cy1 = -1;
    const bool kept = easel::clipLine(x0, y0, x1, y1, &cx0, &cy0, &cx1, &cy1);
    if (!kept) {
        check(cx0 == 0 && cy0 == 0 && cx1 == 0 && cy1 == 0);
        return;
    }
    check(easel::onScreen(cx0, cy0) && easel::onScreen(cx1, cy1));
    if (easel::onScreen(x0, y0) && easel::onScreen(x1, y1)) {
        check(cx0 == x0 && cy0 == y0 && cx1 == x1 && cy1 == y1);
    }
    check(easel::drawLine(cx0, cy0, cx1, cy1, colour));
    const int code = easel::outcode(x0, y0);
    check(code >= 0 && code <= 15);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    easel_fuzz::ensureScreen();
    easel_fuzz::ByteReader in(data, size);
    while (!in.empty()) {
        const int op = in.takeBelow(17);
        const int a = in.takeInt();
        const int b = in.takeInt();
        const int c = in.takeInt();
        const int d = in.takeInt();
        const easel::RgbColor colour =
            easel::RgbColor::unmasked(in.takeInt(), in.takeInt(), in.takeInt());
        switch (op) {
            case 0:
                easel::drawLine(a, b, c, d, colour);
                break;
            case 1:
                easel::drawHorizontalLine(a, b, c, colour);
                break;
            case 2:
                easel::drawVerticalLine(a, b, c, colour);
                break;
            case 3:
                easel::drawCircle(a, b, c, colour);
                break;
            case 4:
                easel::drawDisc(a, b, c, colour);
                break;
            case 5:
                easel::fillRect(a, b, c, d, colour);
                break;
            case 6:
                clipThenDraw(a, b, c, d, colour);
                break;
            case 7:
                easel::blendPixel(a, b, colour.r, colour.g, colour.b, static_cast<std::uint8_t>(d));
                break;
            case 8:
                easel::blendSpan(a, b, c, colour.r, colour.g, colour.b,
                                 static_cast<std::uint8_t>(d));
                break;
            case 9:
                easel::softDisc(a, b, c, colour.r, colour.g, colour.b,
                                static_cast<std::uint8_t>(d));
                break;
            case 10: {
                // isBetween against a reference by signs: a product of two
                // differences is <= 0 when either is 0 or their signs differ.
                const int px = colour.r, py = colour.g;
                const auto sign = [](std::int64_t v) { return (v > 0) - (v < 0); };
                const auto spans = [&](int e0, int p, int e1) {
                    return sign(static_cast<std::int64_t>(e0) - p) *
                               sign(static_cast<std::int64_t>(e1) - p) <=
                           0;
                };
                const bool between = spans(a, px, c) && spans(b, py, d);
                check(easel::isBetween(a, b, px, py, c, d) == between);
                break;
            }
            case 12:
                check(easel::drawLineClipped(a, b, c, d, colour) || !easel::onScreen(a, b));
                break;
            case 13: {
                const bool whole = easel::drawCircle(a, b, c, colour);
                check(easel::drawCircleClipped(a, b, c, colour) || !whole);
                break;
            }
            case 14:
                easel::drawDiscClipped(a, b, c, colour);
                break;
            case 15:
                check(easel::fillRectClipped(a, b, c, d, colour) || !easel::onScreen(a, b));
                break;
            case 16:
                easel::fillRectSized(a, b, c, d, colour);
                break;
            default: {
                // A brush stroke from (a, b) to (c, d), with or without the first dab.
                paint::strokeActive = static_cast<std::uint8_t>(colour.b & 1);
                int dabX = a, dabY = b;
                paint::brushStroke(&dabX, &dabY, c, d, colour.r, colour.g, colour.b);
                break;
            }
        }
    }
    return 0;
}
