// Entry fields: asks for a name, a character and a number, then shows them.
//
// Each answer is also printed on standard output, one line each ("name: ",
// "char: ", "number: "), so that a script can read what was typed. Escape or
// closing the window during a field ends the program with status 1.
#include <easel/easel.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int width = 500;
constexpr int height = 500;
constexpr int nameLength = 24;

// Black text on white, with the typed text on a pale yellow field.
constexpr int ink = 0;
constexpr int paper = 255;
constexpr int fieldR = 255, fieldG = 250, fieldB = 205;

// Writes the shortest text that reads back as the same double (what
// std::to_chars gives, which the browser build's C++ library lacks).
void shortestText(double value, char* text, std::size_t size) {
    for (int digits = 1; digits <= 17; ++digits) {
        std::snprintf(text, size, "%.*g", digits, value);
        if (std::strtod(text, nullptr) == value) return;
    }
}

}  // namespace

int main(int, char**) {
    easel::initScreen(width, height, false, "Entry Fields");
    easel::clearScreen(paper, paper, paper);

    // One byte more than the field may fill, so the name always ends in a zero.
    char name[nameLength + 1] = {};
    easel::inputText(name, nameLength, "Your name: ", 16, 16, ink, ink, ink, true, fieldR, fieldG,
                     fieldB);
    const unsigned char ch =
        easel::inputChar("A character: ", 16, 32, ink, ink, ink, true, fieldR, fieldG, fieldB);
    const double number =
        easel::inputNumber("A number: ", 16, 48, ink, ink, ink, true, fieldR, fieldG, fieldB);

    easel::drawText("Hello,", 16, 96, 0, 0, 160, false, 0, 0, 0, 0);
    easel::drawText(name, 16 + 7 * 8, 96, 0, 0, 160, false, 0, 0, 0, 0);
    easel::drawText("Character code:", 16, 112, 0, 0, 160, false, 0, 0, 0, 0);
    easel::drawInt(ch, 16 + 16 * 8, 112, 0, 0, 160, false, 0, 0, 0, false, 0);
    easel::drawText("Number:", 16, 128, 0, 0, 160, false, 0, 0, 0, 0);
    easel::drawReal(number, 4, 16 + 8 * 8, 128, 0, 0, 160, false, 0, 0, 0, true, 0);
    easel::drawText("Press any key.", 16, 160, 0, 0, 0, false, 0, 0, 0, 0);
    easel::updateScreen();

    // The shortest text that reads back as the same double.
    char numberText[64] = {};
    shortestText(number, numberText, sizeof numberText);
    std::printf("name: %s\n", name);
    const char chText[2] = {static_cast<char>(ch), '\0'};
    std::printf("char: %s\n", chText);
    std::printf("number: %s\n", numberText);
    std::fflush(stdout);

    easel::waitForKey();
    return 0;
}
