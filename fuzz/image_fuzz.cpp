// Arbitrary bytes loaded as an image through the whole loader (the signature
// picks PNG, JPEG, BMP or GIF; PNM, and TGA by a name ending in ".tga", are
// refused), under small limits so that every run is quick, then drawn at a
// position taken from the input. A loaded image must be within the limits
// and hold exactly width x height words; a refused one must say why and
// name the file.
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
    easel::drawImage(*image, x, y);
    return 0;
}
