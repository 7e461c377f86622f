// A program that never calls initScreen, run by before_init_test.cpp in a
// process of its own: it calls every drawing, pixel and entry operation of
// the library, which must each return at once without touching anything.
// It prints on standard output one line per operation that answered wrongly
// and ends with status 0 when all answered as they should. What the library
// says on standard error is left for the test to read.
#include <easel/easel.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

int failures = 0;

void expect(bool ok, const char* what) {
    if (ok) return;
    std::printf("%s\n", what);
    ++failures;
}

void drawEverything() {
    const easel::RgbColor ink = easel::colors::orange;
    easel::putPixel(10, 10, 1, 2, 3);
    easel::putPixel(10, 10, ink);
    expect(easel::getPixel(10, 10) == easel::colors::black, "getPixel is not black");
    easel::clearScreen(1, 2, 3);
    easel::lockScreen();
    easel::unlockScreen();
    easel::updateScreen();
    const std::uint32_t words[4] = {1, 2, 3, 4};
    easel::blitBuffer(words);
    expect(!easel::drawHorizontalLine(0, 0, 5, ink), "drawHorizontalLine returned true");
    expect(!easel::drawVerticalLine(0, 0, 5, ink), "drawVerticalLine returned true");
    expect(!easel::drawLine(0, 0, 5, 5, ink), "drawLine returned true");
    expect(!easel::drawCircle(10, 10, 5, ink), "drawCircle returned true");
    expect(!easel::drawDisc(10, 10, 5, ink), "drawDisc returned true");
    expect(!easel::fillRect(0, 0, 5, 5, ink), "fillRect returned true");
    easel::blendPixel(1, 1, 1, 2, 3, 128);
    easel::blendSpan(1, 0, 5, 1, 2, 3, 128);
    expect(!easel::softDisc(10, 10, 5, 1, 2, 3, 128), "softDisc returned true");
    expect(!easel::drawImage(easel::Image(4, 4), 0, 0), "drawImage returned true");
    expect(easel::grabScreen(0, 0, 4, 4).empty(), "grabScreen gave pixels");
}

void writeEverything() {
    expect(easel::drawText("text", 0, 0, 1, 2, 3, true, 4, 5, 6, 8) == 0, "drawText moved on");
    expect(!easel::drawChar('A', 0, 0, 1, 2, 3, true, 4, 5, 6), "drawChar returned true");
    expect(easel::drawInt(-42, 0, 0, 1, 2, 3, true, 4, 5, 6, false, 0) == 0, "drawInt moved on");
    expect(easel::drawUnsigned(42, 0, 0, 1, 2, 3, true, 4, 5, 6, false, 0) == 0,
           "drawUnsigned moved on");
    expect(easel::drawReal(4.2, 2, 0, 0, 1, 2, 3, true, 4, 5, 6, false, 0) == 0,
           "drawReal moved on");
    const easel::TextPosition p = easel::unpackTextPosition(1234);
    expect(p.x == 0 && p.y == 0, "unpackTextPosition is not (0, 0)");
}

void askEverything() {
    expect(easel::inputChar("?", 0, 0, 1, 2, 3, true, 4, 5, 6) == 0, "inputChar typed something");
    expect(easel::inputNumber("?", 0, 0, 1, 2, 3, true, 4, 5, 6) == 0.0, "inputNumber not 0");
    char buffer[4] = {'a', 'b', 'c', 'd'};
    easel::inputText(buffer, 4, "?", 0, 0, 1, 2, 3, true, 4, 5, 6);
    expect(std::string(buffer, 4) == std::string(4, '\0'), "inputText left the buffer unzeroed");
    expect(easel::inputText(8, "?", 0, 0, 1, 2, 3, true, 4, 5, 6).empty(), "inputText not empty");
    expect(easel::readTicks() == 0.0, "readTicks is not 0");
    easel::Camera camera;
    camera.fitScreen();
    expect(camera.getAspectRatio() == 1.0, "fitScreen changed the camera");
}

}  // namespace

int main() {
    drawEverything();
    writeEverything();
    askEverything();
    return failures == 0 ? 0 : 1;
}
