// Every raster primitive with arbitrary ints: nothing may touch memory
// outside the surface or hit undefined behaviour. clipLine must hand back
// ends on the screen that drawLine accepts (or reject with all four zero),
// and must leave a segment that is already on the screen unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "easel/colour/color.h"
#include "easel/display/screen.h"
#include "easel/raster/clip.h"
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
        const int op = in.takeBelow(7);
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
            default:
                clipThenDraw(a, b, c, d, colour);
                break;
        }
    }
    return 0;
}
