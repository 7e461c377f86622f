// Integer arithmetic for the colour operators.
#pragma once

#include <cstdint>

namespace easel::detail {

// 32-bit two's-complement arithmetic without undefined behaviour: results that
// fit an int are exact, others wrap as the hardware would.
constexpr int wrapAdd(int a, int b) {
    return static_cast<int>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
constexpr int wrapSub(int a, int b) {
    return static_cast<int>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
constexpr int wrapMul(int a, int b) {
    return static_cast<int>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}
constexpr int wrapDiv(int a, int k) {
    return k == -1 ? wrapSub(0, a) : a / k;
}

}  // namespace easel::detail
