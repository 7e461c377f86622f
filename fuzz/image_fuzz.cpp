// Arbitrary bytes loaded as an image in every format the loader reads (the
// signature picks PNG, JPEG, BMP, GIF or PNM; without one, a name ending in
// ".tga" makes it TGA), under small limits so that every run is quick, then
// drawn at a position taken from the input. A loaded image must be within
// the limits and hold exactly width x height pixels of 24 bits; a refused
// one must say why and name the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "easel/image/draw.h"
#include "easel/image/load.h"
#include "support/fuzz_screen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    easel_fuzz::ensureScreen();
    easel_fuzz::ByteReader in(data, size);
    const bool asTga = in.takeBool();
    const int x = in.take<std::int16_t>();
    const int y = in.take<std::int16_t>();
    const char* name = asTga ? "fuzz.tga" : "fuzz.img";
    const easel::ImageLimits limits{1024, 1024, 256 * 1024};

    std::string why;
    const std::optional<easel::Image> image =
        easel::loadImageFromMemory(in.rest(), in.restSize(), name, &why, limits);
    if (!image) {
        if (why.find(name) == std::string::npos) std::abort();
        return 0;
    }
    if (!easel::fitsLimits(image->width(), image->height(), limits)) std::abort();
    const std::uint32_t* p = image->pixels();
    for (std::size_t i = 0, n = static_cast<std::size_t>(image->width()) * image->height(); i < n; ++i) {
        if ((p[i] >> 24) != 255) std::abort();
    }
    easel::drawImage(*image, x, y);
    return 0;
}
