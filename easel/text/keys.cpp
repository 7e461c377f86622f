#include "easel/text/keys.h"

#include "easel/display/detail/screen_platform.h"
#include "easel/display/input.h"

namespace easel {

bool keyLatch[SDLK_LAST] = {};

namespace {

// A run of `count` consecutive key symbols from `first`, giving consecutive
// characters from `unshifted` or `shifted`. Runs are examined in table order,
// and the keys of a run in ascending order.
struct KeyRun {
    int first;
    int count;
    unsigned char unshifted;
    unsigned char shifted;
};

constexpr KeyRun charKeys[] = {
    {SDLK_a, 26, 'a', 'A'},
    {SDLK_0, 1, '0', ')'},
    {SDLK_1, 1, '1', '!'},
    {SDLK_2, 1, '2', '@'},
    {SDLK_3, 1, '3', '#'},
    {SDLK_4, 1, '4', '$'},
    {SDLK_5, 1, '5', '%'},
    {SDLK_6, 1, '6', '^'},
    {SDLK_7, 1, '7', '&'},
    {SDLK_8, 1, '8', '*'},
    {SDLK_9, 1, '9', '('},
    {SDLK_QUOTE, 1, '\'', '"'},
    {SDLK_COMMA, 1, ',', '<'},
    {SDLK_MINUS, 1, '-', '_'},
    {SDLK_PERIOD, 1, '.', '>'},
    {SDLK_SLASH, 1, '/', '?'},
    {SDLK_SEMICOLON, 1, ';', ':'},
    {SDLK_EQUALS, 1, '=', '+'},
    {SDLK_LEFTBRACKET, 1, '[', '{'},
    {SDLK_BACKSLASH, 1, '\\', '|'},
    {SDLK_RIGHTBRACKET, 1, ']', '}'},
    {SDLK_BACKQUOTE, 1, '`', '~'},
    {SDLK_KP0, 10, '0', '0'},
    {SDLK_KP_PERIOD, 1, '.', '.'},
    {SDLK_KP_DIVIDE, 1, '/', '/'},
    {SDLK_KP_PLUS, 1, '+', '+'},
    {SDLK_KP_MINUS, 1, '-', '-'},
    {SDLK_KP_MULTIPLY, 1, '*', '*'},
    {SDLK_KP_EQUALS, 1, '=', '='},
    {SDLK_SPACE, 1, ' ', ' '},
};

// The numeric keys in examination order: `count` consecutive key symbols
// from `first` giving consecutive codes from `code`.
struct DigitRun {
    int first;
    int count;
    int code;
};

constexpr int pointCode = 10;
constexpr int minusCode = 11;

constexpr DigitRun digitKeys[] = {
    {SDLK_KP0, 10, 0},           {SDLK_0, 10, 0},
    {SDLK_PERIOD, 1, pointCode}, {SDLK_KP_PERIOD, 1, pointCode},
    {SDLK_MINUS, 1, minusCode},  {SDLK_KP_MINUS, 1, minusCode},
};

// The latch test: true when the key has gone down since it was last seen up.
// A key that is up re-arms its latch; a key that fires disarms it.
bool wentDown(int key) {
    if (keyState[key] == 0) {
        keyLatch[key] = true;
        return false;
    }
    if (!keyLatch[key]) return false;
    keyLatch[key] = false;
    return true;
}

bool refreshKeys() {
    keyState = detail::keyStateArray();
    return keyState != nullptr;
}

}  // namespace

unsigned char readCharKey() {
    if (!refreshKeys()) return 0;
    const bool shifted =
        keyState[SDLK_CAPSLOCK] != 0 || keyState[SDLK_RSHIFT] != 0 || keyState[SDLK_LSHIFT] != 0;
    unsigned char result = 0;
    for (const KeyRun& run : charKeys) {
        const unsigned char base = shifted ? run.shifted : run.unshifted;
        for (int i = 0; i < run.count; ++i) {
            if (wentDown(run.first + i)) result = static_cast<unsigned char>(base + i);
        }
    }
    return result;
}

int readDigitKey() {
    if (!refreshKeys()) return -1;
    int result = -1;
    for (const DigitRun& run : digitKeys) {
        for (int i = 0; i < run.count; ++i) {
            if (wentDown(run.first + i)) result = run.code + i;
        }
    }
    return result;
}

}  // namespace easel
