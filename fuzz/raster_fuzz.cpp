// Every raster primitive with arbitrary ints: nothing may touch memory
// outside the surface or hit undefined behaviour.
#include <cstddef>
#include <cstdint>

#include "easel/colour/color.h"
#include "easel/raster/line.h"
#include "support/fuzz_screen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    easel_fuzz::ensureScreen();
    easel_fuzz::ByteReader in(data, size);
    while (!in.empty()) {
        const int op = in.takeBelow(3);
        const int a = in.takeInt();
        const int b = in.takeInt();
        const int c = in.takeInt();
        const int d = in.takeInt();
        const easel::RgbColor colour = easel::RgbColor::unmasked(in.takeInt(), in.takeInt(), in.takeInt());
        switch (op) {
            case 0: easel::drawLine(a, b, c, d, colour); break;
            case 1: easel::drawHorizontalLine(a, b, c, colour); break;
            default: easel::drawVerticalLine(a, b, c, colour); break;
        }
    }
    return 0;
}
