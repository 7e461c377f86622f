// Arbitrary bytes given to the BMP decoder alone (SDL's BMP reader behind the icons' header check,
// and the loader's own RLE8 and RLE4 reader);
// see support/decoder_fuzz.h for what is checked.
#include <cstddef>
#include <cstdint>

#include "support/decoder_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    easel_fuzz::fuzzDecoder(easel::detail::decodeBmp, data, size);
    return 0;
}
