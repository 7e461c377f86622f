// Shared set-up for the fuzz targets and their replay: a 500 x 500 screen on
// SDL's dummy driver, opened once per process, and a reader that turns the
// fuzzer's bytes into arguments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace easel_fuzz {

// Opens the screen the first time it is called.
void ensureScreen();

// Hands out the fuzzer's bytes as values; past the end every value is 0.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <typename T>
    T take() {
        T value{};
        const std::size_t n = size_ - pos_ < sizeof(T) ? size_ - pos_ : sizeof(T);
        if (n > 0) std::memcpy(&value, data_ + pos_, n);
        pos_ += n;
        return value;
    }

    int takeInt() { return take<std::int32_t>(); }
    // A value in 0 ... limit - 1 (limit > 0).
    int takeBelow(int limit) { return static_cast<int>(take<std::uint32_t>() % static_cast<std::uint32_t>(limit)); }
    bool takeBool() { return (take<std::uint8_t>() & 1) != 0; }
    bool empty() const { return pos_ >= size_; }
    const std::uint8_t* rest() const { return data_ + pos_; }
    std::size_t restSize() const { return size_ - pos_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace easel_fuzz
