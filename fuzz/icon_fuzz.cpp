// Arbitrary bytes loaded as a BMP icon, into destinations of several sizes
// (0, 1, odd, the panel's 25 x 25, wider and taller than any seed), through
// both loaders. Each destination is a heap array of exactly its size, so a
// write past it is caught; the loader must also keep the placeholder in every
// element that the image does not cover, and fill only 0 or 255 channels
// there.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "easel/colour/color.h"
#include "easel/text/detail/icon_streams.h"
#include "easel/text/icon.h"
#include "support/fuzz_screen.h"

namespace {

constexpr int sizes[] = {0, 1, 2, 3, 7, 8, 9, 24, 25, 31, 64, -1};
constexpr int sizeCount = static_cast<int>(sizeof(sizes) / sizeof(sizes[0]));

// The placeholder is built from font bits only: every channel 0 or 255.
bool placeholderChannel(int v) {
    return v == 0 || v == 255;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    easel_fuzz::ensureScreen();
    easel_fuzz::ByteReader in(data, size);
    const int width = sizes[in.take<std::uint8_t>() % sizeCount];
    const int height = sizes[in.take<std::uint8_t>() % sizeCount];
    const bool raw = in.takeBool();
    const std::size_t cells = static_cast<std::size_t>(width > 0 ? width : 0) *
                              static_cast<std::size_t>(height > 0 ? height : 0);
    const std::uint8_t* bmp = in.rest();
    const std::size_t bmpSize = in.restSize();

    if (raw) {
        // An empty destination gets a null pointer: the loader must not touch it.
        std::vector<std::uint32_t> dest(cells, 0xDEADBEEFu);
        const bool loaded = easel::detail::loadIconRawFromMemory(
            bmp, bmpSize, cells > 0 ? dest.data() : nullptr, width, height);
        if (!loaded) {
            for (const std::uint32_t v : dest) {
                if (v != 0 && v != 255) std::abort();
            }
        }
    } else {
        std::vector<easel::RgbColor> dest(cells, easel::RgbColor::unmasked(-7, -7, -7));
        const bool loaded = easel::loadIconFromMemory(
            bmp, bmpSize, cells > 0 ? dest.data() : nullptr, width, height);
        for (const easel::RgbColor& c : dest) {
            if (c.r < 0 || c.r > 255 || c.g < 0 || c.g > 255 || c.b < 0 || c.b > 255) std::abort();
            if (!loaded &&
                !(placeholderChannel(c.r) && placeholderChannel(c.g) && placeholderChannel(c.b))) {
                std::abort();
            }
        }
    }
    return 0;
}
