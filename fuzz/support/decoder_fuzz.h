// The body of the per-format decoder targets: the input's bytes go straight
// to one decoder through a read-only stream over memory, under limits small
// enough that every run is quick. A decoded picture must be within the
// limits and hold exactly width x height words; a refusal must say why.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "easel/image/detail/format_decoders.h"

namespace easel_fuzz {

inline void fuzzDecoder(easel::detail::Decoded (*decode)(std::FILE*, const easel::ImageLimits&),
                        const std::uint8_t* data, std::size_t size) {
    if (size == 0) return;
    std::FILE* file = ::fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (file == nullptr) return;
    const easel::ImageLimits limits{1024, 1024, 256 * 1024};
    const easel::detail::Decoded decoded = decode(file, limits);
    std::fclose(file);
    if (!decoded.image) {
        if (decoded.problem.empty()) std::abort();
        return;
    }
    const easel::Image& image = *decoded.image;
    if (!easel::fitsLimits(image.width(), image.height(), limits)) std::abort();
    // Every word is read, so that a short buffer shows under the sanitizers.
    std::uint32_t sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) sum += image.row(y)[x];
    }
    volatile std::uint32_t keep = sum;
    (void)keep;
}

}  // namespace easel_fuzz
