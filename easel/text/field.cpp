#include "easel/text/field.h"

#include <algorithm>
#include <cstring>
#include <locale>
#include <sstream>
#include <string>

#include "easel/display/detail/screen_ready.h"
#include "easel/display/input.h"
#include "easel/display/screen.h"
#include "easel/text/detail/field_steps.h"
#include "easel/text/keys.h"
#include "easel/text/text.h"

namespace easel {

using detail::CharField;
using detail::EditLine;
using detail::FieldArea;
using detail::NumberField;
using detail::TextField;

namespace {

// Characters are copied into a zero-terminated piece of this many at a time
// for drawing, since a full buffer has no terminating zero of its own.
constexpr int drawPiece = 64;

constexpr int pointCode = 10;
constexpr int minusCode = 11;

// Draws the prompt with the caller's colours and flag; the field starts at the
// position where the prompt ended.
FieldArea drawPrompt(const char* prompt, int x, int y, int fr, int fg, int fb, bool background,
                     int br, int bg, int bb) {
    const int p =
        drawText(prompt != nullptr ? prompt : "", x, y, fr, fg, fb, background, br, bg, bb, 0);
    const TextPosition end = unpackTextPosition(p);
    FieldArea a;
    a.x = end.x;
    a.y = end.y;
    a.fr = fr;
    a.fg = fg;
    a.fb = fb;
    a.br = br;
    a.bg = bg;
    a.bb = bb;
    return a;
}

bool keyDown(int key) {
    return keyState != nullptr && keyState[key] != 0;
}

// The Enter step: finishes on the pass in which Return or keypad Enter is
// down with the latch armed; both keys up re-arm the latch.
bool enterStep() {
    if (!keyDown(SDLK_RETURN) && !keyDown(SDLK_KP_ENTER)) {
        keyLatch[enterLatch] = true;
        return false;
    }
    if (!keyLatch[enterLatch]) return false;
    keyLatch[enterLatch] = false;
    return true;
}

// The Backspace step: removes one character when Backspace is down with the
// latch armed. With nothing to remove the latch stays armed, so a character
// typed while Backspace is held at c = 0 is removed again in the same pass
// (the key step comes first).
void backspaceStep(EditLine& edit) {
    if (!keyDown(SDLK_BACKSPACE)) {
        keyLatch[backspaceLatch] = true;
        return;
    }
    if (keyLatch[backspaceLatch] && edit.erase()) keyLatch[backspaceLatch] = false;
}

template <class Field>
void runField(Field& field) {
    for (;;) {
        if (pollQuit()) quitNow();
        if (field.step()) return;
    }
}

}  // namespace

void EditLine::reset(char* text, int size) {
    buffer = text;
    length = size;
    c = 0;
    m = 0;
    std::memset(buffer, 0, static_cast<size_t>(length));
}

void EditLine::type(char ch) {
    buffer[c] = ch;
    if (c < length - 1) {
        ++c;
        m = std::max(m, c);
    } else {
        m = length;
    }
}

bool EditLine::erase() {
    if (c == 0) return false;
    if (c < length - 1 || buffer[c] == 0) --c;
    buffer[c] = 0;
    return true;
}

int EditLine::textLength() const {
    const void* zero = std::memchr(buffer, 0, static_cast<size_t>(length));
    return zero != nullptr ? static_cast<int>(static_cast<const char*>(zero) - buffer) : length;
}

void EditLine::draw(const FieldArea& a) const {
    const int count = textLength();
    int x = a.x;
    int y = a.y;
    int done = 0;
    do {
        char piece[drawPiece + 1] = {};
        const int n = std::min(drawPiece, count - done);
        std::memcpy(piece, buffer + done, static_cast<size_t>(n));
        const bool last = done + n == count;
        const int p =
            drawText(piece, x, y, a.fr, a.fg, a.fb, true, a.br, a.bg, a.bb, last ? m - done : 0);
        const TextPosition end = unpackTextPosition(p);
        x = end.x;
        y = end.y;
        done += n;
    } while (done < count);
}

void CharField::start(const char* prompt, int x, int y, int fr, int fg, int fb, bool background,
                      int br, int bg, int bb) {
    ch = 0;
    finished = !detail::screenReady("inputChar");
    if (finished) return;
    where = drawPrompt(prompt, x, y, fr, fg, fb, background, br, bg, bb);
}

bool CharField::step() {
    if (finished) return true;
    const unsigned char k = readCharKey();
    if (k != 0) ch = k;
    drawChar(ch, where.x, where.y, where.fr, where.fg, where.fb, true, where.br, where.bg,
             where.bb);
    updateScreen();
    finished = enterStep();
    return finished;
}

void TextField::start(char* buffer, int length, const char* prompt, int x, int y, int fr, int fg,
                      int fb, bool background, int br, int bg, int bb) {
    finished = true;
    if (buffer == nullptr || length < 1) return;
    if (!detail::screenReady("inputText")) {
        std::memset(buffer, 0, static_cast<size_t>(length));
        return;
    }
    where = drawPrompt(prompt, x, y, fr, fg, fb, background, br, bg, bb);
    updateScreen();
    edit.reset(buffer, length);
    finished = false;
}

bool TextField::step() {
    if (finished) return true;
    const unsigned char k = readCharKey();
    if (k != 0) edit.type(static_cast<char>(k));
    backspaceStep(edit);
    edit.draw(where);
    updateScreen();
    finished = enterStep();
    return finished;
}

void NumberField::start(const char* prompt, int x, int y, int fr, int fg, int fb, bool background,
                        int br, int bg, int bb) {
    edit.reset(chars, capacity);
    chars[capacity] = 0;
    finished = !detail::screenReady("inputNumber");
    if (finished) return;
    where = drawPrompt(prompt, x, y, fr, fg, fb, background, br, bg, bb);
    updateScreen();
}

bool NumberField::step() {
    if (finished) return true;
    const int k = readDigitKey();
    const bool hasPoint =
        std::memchr(chars, '.', static_cast<size_t>(edit.textLength())) != nullptr;
    if (k >= 0 && k <= 9) {
        edit.type(static_cast<char>('0' + k));
    } else if (k == pointCode && !hasPoint) {
        edit.type('.');
    } else if (k == minusCode && edit.slot() == 0) {
        edit.type('-');
    }
    backspaceStep(edit);
    edit.draw(where);
    updateScreen();
    finished = enterStep();
    return finished;
}

double NumberField::value() const {
    // Read in the classic locale, whatever the program's: the field types a
    // '.' as the decimal point. (Floating-point std::from_chars would do, but
    // libc++ 14, the browser build's, lacks it.)
    std::istringstream text(std::string(chars, static_cast<std::size_t>(edit.textLength())));
    text.imbue(std::locale::classic());
    double v = 0.0;
    if (!(text >> v)) return 0.0;
    return v + 0.0;  // "-0" and "-0.0" give +0.0
}

unsigned char inputChar(const char* prompt, int x, int y, int fr, int fg, int fb, bool background,
                        int br, int bg, int bb) {
    CharField field;
    field.start(prompt, x, y, fr, fg, fb, background, br, bg, bb);
    runField(field);
    return field.result();
}

void inputText(char* buffer, int length, const char* prompt, int x, int y, int fr, int fg, int fb,
               bool background, int br, int bg, int bb) {
    if (buffer == nullptr || length < 1) return;
    TextField field;
    field.start(buffer, length, prompt, x, y, fr, fg, fb, background, br, bg, bb);
    runField(field);
}

std::string inputText(int maxChars, const char* prompt, int x, int y, int fr, int fg, int fb,
                      bool background, int br, int bg, int bb) {
    if (maxChars < 1) return std::string();
    std::string text(static_cast<size_t>(maxChars), '\0');
    inputText(text.data(), maxChars, prompt, x, y, fr, fg, fb, background, br, bg, bb);
    text.resize(std::strlen(text.c_str()));
    return text;
}

double inputNumber(const char* prompt, int x, int y, int fr, int fg, int fb, bool background,
                   int br, int bg, int bb) {
    NumberField field;
    field.start(prompt, x, y, fr, fg, fb, background, br, bg, bb);
    runField(field);
    return field.value();
}

}  // namespace easel
