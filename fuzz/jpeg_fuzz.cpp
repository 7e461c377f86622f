// Arbitrary bytes given to the JPEG decoder alone (libjpeg-turbo with its scan and memory limits);
// see support/decoder_fuzz.h for what is checked.
#include <cstddef>
#include <cstdint>

#include "support/decoder_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    easel_fuzz::fuzzDecoder(easel::detail::decodeJpeg, data, size);
    return 0;
}
