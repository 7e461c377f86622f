// Arbitrary bytes given to the PNG decoder alone (libpng with its limits); see
// support/decoder_fuzz.h for what is checked.
#include <cstddef>
#include <cstdint>

#include "support/decoder_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    easel_fuzz::fuzzDecoder(easel::detail::decodePng, data, size);
    return 0;
}
