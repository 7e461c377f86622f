// The entry fields stepped pass by pass with arbitrary key-state sequences:
// a text field over a heap buffer of exactly L bytes (L from -2 to 300, so a
// read or write past it is caught, and a refused length must touch nothing),
// the number field and the character field. After every pass the editing
// state stays inside its buffer; at the end the text field's buffer is its
// text followed by zeros, the number field's text is a well-formed number and
// its value is what strtod reads from that text, and the character field's
// result is 0 or a printable character.
#include <SDL.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "easel/display/input.h"
#include "easel/text/detail/field_steps.h"
#include "easel/text/field.h"
#include "easel/text/keys.h"
#include "support/fuzz_screen.h"

namespace {

// Every key the fields look at, and the modifiers; never Escape, which would
// end the process.
constexpr SDLKey keys[] = {
    SDLK_a,
    SDLK_b,
    SDLK_m,
    SDLK_z,
    SDLK_0,
    SDLK_1,
    SDLK_2,
    SDLK_5,
    SDLK_9,
    SDLK_QUOTE,
    SDLK_COMMA,
    SDLK_MINUS,
    SDLK_PERIOD,
    SDLK_SLASH,
    SDLK_SEMICOLON,
    SDLK_EQUALS,
    SDLK_LEFTBRACKET,
    SDLK_BACKSLASH,
    SDLK_RIGHTBRACKET,
    SDLK_BACKQUOTE,
    SDLK_KP0,
    SDLK_KP7,
    SDLK_KP9,
    SDLK_KP_PERIOD,
    SDLK_KP_DIVIDE,
    SDLK_KP_MULTIPLY,
    SDLK_KP_MINUS,
    SDLK_KP_PLUS,
    SDLK_KP_EQUALS,
    SDLK_SPACE,
    SDLK_LSHIFT,
    SDLK_RSHIFT,
    SDLK_CAPSLOCK,
    SDLK_BACKSPACE,
    SDLK_BACKSPACE,
    SDLK_RETURN,
    SDLK_KP_ENTER,
    SDLK_TAB,
    SDLK_DELETE,
};
constexpr int keyCount = static_cast<int>(sizeof(keys) / sizeof(keys[0]));
constexpr int maxPasses = 600;

void check(bool ok) {
    if (!ok) std::abort();
}

// Toggles up to three keys, as the fuzzer's bytes say; false when the input is used up.
bool changeKeys(easel_fuzz::ByteReader& in, Uint8* state) {
    if (in.empty()) return false;
    const int changes = in.take<std::uint8_t>() % 4;
    for (int i = 0; i < changes; ++i) {
        const SDLKey key = keys[in.take<std::uint8_t>() % keyCount];
        state[key] = state[key] != 0 ? 0 : 1;
    }
    return true;
}

void checkLine(const easel::detail::EditLine& line, int length) {
    check(line.slot() >= 0 && line.slot() < length);
    check(line.extent() >= 0 && line.extent() <= length);
    check(line.textLength() >= 0 && line.textLength() <= length);
}

void fuzzText(easel_fuzz::ByteReader& in, Uint8* state, int x, int y) {
    const int length = in.takeBelow(303) - 2;
    const std::size_t bytes = length > 0 ? static_cast<std::size_t>(length) : 0;
    const std::unique_ptr<char[]> buffer(new char[bytes]);
    std::memset(buffer.get(), 'Q', bytes);
    easel::detail::TextField field;
    field.start(buffer.get(), length, "Name: ", x, y, 255, 255, 255, in.takeBool(), 0, 0, 80);
    if (length < 1) {
        check(field.step());
        return;
    }
    for (int pass = 0; pass < maxPasses && changeKeys(in, state); ++pass) {
        const bool finished = field.step();
        checkLine(field.line(), length);
        if (finished) break;
    }
    // The text, then zeros only; every character printable.
    bool ended = false;
    for (std::size_t i = 0; i < bytes; ++i) {
        const unsigned char c = static_cast<unsigned char>(buffer[i]);
        if (c == 0) {
            ended = true;
        } else {
            check(!ended && c >= 32 && c <= 126);
        }
    }
}

void fuzzNumber(easel_fuzz::ByteReader& in, Uint8* state, int x, int y) {
    easel::detail::NumberField field;
    field.start("Number: ", x, y, 0, 0, 0, in.takeBool(), 255, 255, 255);
    for (int pass = 0; pass < maxPasses && changeKeys(in, state); ++pass) {
        const bool finished = field.step();
        checkLine(field.line(), easel::detail::NumberField::capacity);
        if (finished) break;
    }
    const char* text = field.text();
    const std::size_t n = std::strlen(text);
    check(n <= static_cast<std::size_t>(easel::detail::NumberField::capacity));
    int points = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c == '.') {
            ++points;
        } else if (c == '-') {
            check(i == 0);
        } else {
            check(c >= '0' && c <= '9');
        }
    }
    check(points <= 1);
    // The value is the text read as a decimal number (strtod rounds correctly);
    // a text with no digit counts as 0, and zero is +0.0.
    char* end = nullptr;
    const double expected = std::strtod(text, &end) + 0.0;
    const double value = field.value();
    check(std::isfinite(value));
    check(value == expected && std::signbit(value) == std::signbit(expected));
}

void fuzzChar(easel_fuzz::ByteReader& in, Uint8* state, int x, int y) {
    easel::detail::CharField field;
    field.start("Key? ", x, y, 255, 255, 0, in.takeBool(), 0, 0, 0);
    for (int pass = 0; pass < maxPasses && changeKeys(in, state); ++pass) {
        if (field.step()) break;
    }
    const unsigned char c = field.result();
    check(c == 0 || (c >= 32 && c <= 126));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    easel_fuzz::ensureScreen();
    // Every input starts from all keys up and all latches clear, as a program does.
    int count = 0;
    Uint8* state = SDL_GetKeyState(&count);
    std::memset(state, 0, static_cast<std::size_t>(count));
    std::memset(easel::keyLatch, 0, sizeof(easel::keyLatch));
    easel::keyState = state;

    easel_fuzz::ByteReader in(data, size);
    const int kind = in.takeBelow(3);
    const int x = in.take<std::int16_t>();
    const int y = in.take<std::int16_t>();
    switch (kind) {
        case 0:
            fuzzText(in, state, x, y);
            break;
        case 1:
            fuzzNumber(in, state, x, y);
            break;
        default:
            fuzzChar(in, state, x, y);
            break;
    }
    std::memset(state, 0, static_cast<std::size_t>(count));
    return 0;
}
