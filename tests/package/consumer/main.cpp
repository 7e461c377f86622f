// A program built against the installed library: draws and reads back.
#include <easel/easel.h>

#include <cstdio>

int main() {
    easel::initScreen(64, 48, false, "consumer");
    easel::clearScreen(0, 0, 0);
    easel::drawLine(0, 0, 63, 47, easel::RgbColor(10, 20, 30));
    const easel::RgbColor c = easel::getPixel(63, 47);
    if (c != easel::RgbColor(10, 20, 30)) {
        std::printf("unexpected pixel %d %d %d\n", c.r, c.g, c.b);
        return 1;
    }
    std::printf("consumer ok\n");
    return 0;
}
