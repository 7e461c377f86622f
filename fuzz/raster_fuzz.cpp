// Every raster primitive with arbitrary ints: nothing may touch memory
// outside the surface or hit undefined behaviour, a disc of any size must
// finish quickly, and a clipped line must always be drawable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "easel/colour/color.h"
#include "easel/raster/clip.h"
#include "easel/raster/line.h"
#include "easel/raster/shapes.h"
#include "support/fuzz_screen.h"

namespace {

// clipLine either gives two ends that drawLine accepts, or rejects with all
// four outputs 0.
void clipAndDraw(int x0, int y0, int x1, int y1, easel::RgbColor colour) {
    int c[4] = {-1, -1, -1, -1};
    if (easel::clipLine(x0, y0, x1, y1, &c[0], &c[1], &c[2], &c[3])) {
        if (!easel::drawLine(c[0], c[1], c[2], c[3], colour)) std::abort();
    } else if ((c[0] | c[1] | c[2] | c[3]) != 0) {
        std::abort();
    }
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
                clipAndDraw(a, b, c, d, colour);
                break;
        }
    }
    return 0;
}
