// Arbitrary bytes given to the GIF decoder alone (giflib, the first frame); see
// support/decoder_fuzz.h for what is checked.
#include <cstddef>
#include <cstdint>

#include "support/decoder_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    easel_fuzz::fuzzDecoder(easel::detail::decodeGif, data, size);
    return 0;
}
