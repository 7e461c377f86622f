// Hello, easel: opens a window, draws a disc, a line and a greeting, shows
// them and waits for a key. Pass --no-wait to show the picture once and end at
// once, for scripts and CI runs where nobody presses a key.
#include <easel/easel.h>

#include <cstring>

int main(int argc, char** argv) {
    const bool wait = !(argc > 1 && std::strcmp(argv[1], "--no-wait") == 0);
    easel::initScreen(320, 240, false, "Hello, easel");
    easel::clearScreen(255, 255, 255);
    easel::drawDisc(160, 100, 60, easel::RgbColor(255, 160, 0));
    easel::drawLine(40, 180, 280, 180, easel::RgbColor(0, 0, 160));
    easel::drawText("Hello, easel! Press a key.", 56, 200, easel::colors::black);
    easel::updateScreen();
    if (wait) easel::waitForKey();
    return 0;
}
