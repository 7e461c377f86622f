// The painting tools with arbitrary ints: blends, dabs, brush walks between
// any two points, stroke passes and fills anywhere. Nothing may touch memory
// outside the surface, hit undefined behaviour or run for long.
#include <cstddef>
#include <cstdint>

#include "paint/ink.h"
#include "paint/state.h"
#include "paint/stroke.h"
#include "easel/raster/blend.h"
#include "support/fuzz_screen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    easel_fuzz::ensureScreen();
    paint::resetState();
    easel_fuzz::ByteReader in(data, size);
    while (!in.empty()) {
        const int op = in.takeBelow(7);
        const int a = in.takeInt();
        const int b = in.takeInt();
        const int c = in.takeInt();
        const int d = in.takeInt();
        const int r = in.takeInt();
        const int g = in.takeInt();
        const int bl = in.takeInt();
        const std::uint8_t alpha = in.take<std::uint8_t>();
        const bool flag = in.takeBool();
        switch (op) {
            case 0:
                easel::blendPixel(a, b, r, g, bl, alpha);
                break;
            case 1:
                easel::blendSpan(a, b, c, r, g, bl, alpha);
                break;
            case 2:
                easel::softDisc(a, b, c, r, g, bl, alpha);
                break;
            case 3: {
                int x = a;
                int y = b;
                paint::strokeActive = flag ? 1 : 0;
                paint::brushStroke(&x, &y, c, d, r, g, bl);
                break;
            }
            case 4:
                paint::strokePass(c, a, b, flag);
                break;
            case 5:
                paint::inkFill(a, b, r, g, bl, c, d, alpha);
                break;
            default:
                paint::selectedColor = easel::RgbColor(r, g, bl);
                paint::inkPass(a, b, flag);
                break;
        }
    }
    return 0;
}
