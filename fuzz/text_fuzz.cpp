// drawText and drawChar with arbitrary bytes, and the number operations with
// arbitrary values and decimal counts, at any positions (negative, huge,
// INT_MIN, INT_MAX and the cells at the edges) with any colours, flags and
// minimum lengths: nothing may touch memory outside the surface or hit undefined
// behaviour, and from a start at non-negative coordinates the packed position
// returned must decode to a point on the screen.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "easel/display/screen.h"
#include "easel/text/number.h"
#include "easel/text/text.h"
#include "support/fuzz_screen.h"

namespace {

// Interesting coordinates, picked by a small selector; other selectors take a
// raw int from the input.
constexpr int edges[] = {INT_MIN, INT_MIN + 7, -8,  -1,  0,   7,   8,           491,
                         492,     493,         495, 499, 500, 507, INT_MAX - 7, INT_MAX};
constexpr int edgeCount = static_cast<int>(sizeof(edges) / sizeof(edges[0]));
// The largest minimum length tried: each padded cell really is drawn.
constexpr int maxMinLength = 4096;

int takeCoordinate(easel_fuzz::ByteReader& in) {
    const int selector = in.take<std::uint8_t>();
    const int raw = in.takeInt();
    return selector < 128 ? edges[selector % edgeCount] : raw;
}

int takeMinLength(easel_fuzz::ByteReader& in) {
    const int raw = in.takeInt();
    if (raw < 0) return raw;  // negative minimum lengths pad nothing
    return raw % (maxMinLength + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    easel_fuzz::ensureScreen();
    easel_fuzz::ByteReader in(data, size);
    const int ops = 1 + in.takeBelow(4);
    for (int op = 0; op < ops && !in.empty(); ++op) {
        const int kind = in.take<std::uint8_t>() % 5;  // text, char, int, unsigned, real
        const int x = takeCoordinate(in);
        const int y = takeCoordinate(in);
        const int fr = in.takeInt(), fg = in.takeInt(), fb = in.takeInt();
        const bool background = in.takeBool();
        const int br = in.takeInt(), bg = in.takeInt(), bb = in.takeInt();
        if (kind == 1) {
            if (!easel::drawChar(in.takeInt(), x, y, fr, fg, fb, background, br, bg, bb))
                std::abort();
            continue;
        }
        const int minLength = takeMinLength(in);
        if (kind >= 2) {
            // Numbers: any int, any unsigned, any double bits (NaN, infinities,
            // 1e308) with any count of decimals, with or without the sign column.
            const bool signColumn = in.takeBool();
            if (kind == 2) {
                easel::drawInt(in.takeInt(), x, y, fr, fg, fb, background, br, bg, bb, signColumn,
                               minLength);
            } else if (kind == 3) {
                easel::drawUnsigned(in.take<unsigned>(), x, y, fr, fg, fb, background, br, bg, bb,
                                    signColumn, minLength);
            } else {
                const double value = in.take<double>();
                easel::drawReal(value, in.takeInt(), x, y, fr, fg, fb, background, br, bg, bb,
                                signColumn, minLength);
            }
            continue;
        }
        // The text: up to 600 bytes (enough to wrap a whole line and more), ending at
        // the first zero or at the end of the input; a heap copy with its terminator
        // exactly at the end, so a read past the terminator is caught.
        const std::size_t length = in.take<std::uint16_t>() % 601;
        std::vector<char> text;
        while (text.size() < length && !in.empty()) {
            const char c = static_cast<char>(in.take<std::uint8_t>());
            if (c == '\0') break;
            text.push_back(c);
        }
        text.push_back('\0');
        const bool nullText = text.size() == 1 && in.takeBool();
        const int packed = easel::drawText(nullText ? nullptr : text.data(), x, y, fr, fg, fb,
                                           background, br, bg, bb, minLength);
        // From a start on or past the screen's top-left, every cell drawn brings the
        // position back onto the screen: the result must decode to an on-screen point.
        const bool drewCells = text.size() > 1 || minLength > 0;
        if (drewCells && x >= 0 && y >= 0) {
            const int height = easel::Screen.height;
            if (packed < 0 || packed / height >= easel::Screen.width) std::abort();
        }
    }
    return 0;
}
