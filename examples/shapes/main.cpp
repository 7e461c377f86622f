// Shapes: lines, circles, discs and rectangles, each with its own rule at the
// screen edge.
//
// Opens a 500 x 500 window, draws, shows the picture and waits for a key.
// Run with --no-wait to draw, show and quit at once (as the tests do).
#include <easel/easel.h>

#include <cstring>

namespace {

const easel::RgbColor background{250, 248, 240};
const easel::RgbColor ink{40, 40, 60};
const easel::RgbColor sun{250, 180, 40};
const easel::RgbColor ray{210, 120, 20};
const easel::RgbColor sea{40, 110, 190};
const easel::RgbColor leaf{60, 160, 90};
const easel::RgbColor rose{210, 60, 90};

// drawLine draws nothing unless both ends are on the screen, so a line that
// runs off it is clipped first. False when no part of it is on the screen.
bool drawClippedLine(int x0, int y0, int x1, int y1, easel::RgbColor colour) {
    int cx0 = 0, cy0 = 0, cx1 = 0, cy1 = 0;
    if (!easel::clipLine(x0, y0, x1, y1, &cx0, &cy0, &cx1, &cy1)) return false;
    return easel::drawLine(cx0, cy0, cx1, cy1, colour);
}

}  // namespace

int main(int argc, char** argv) {
    const bool wait = !(argc > 1 && std::strcmp(argv[1], "--no-wait") == 0);

    easel::initScreen(500, 500, false, "easel shapes");
    easel::clearScreen(background.r, background.g, background.b);

    // Rays from a sun above the top-left corner: most of each ray is off the
    // screen, clipLine keeps the visible part.
    for (int i = 0; i <= 12; ++i) drawClippedLine(-60, -60, -60 + 60 * i, 700, ray);

    // Discs are clipped row by row, so they may hang over any edge.
    easel::drawDisc(-20, -20, 90, sun);
    easel::drawDisc(430, 520, 110, sea);
    easel::drawDisc(250, 250, 60, leaf);

    // Circle outlines are drawn only when they fit on the screen whole.
    for (int radius = 10; radius <= 70; radius += 12) easel::drawCircle(380, 120, radius, ink);
    easel::drawCircle(480, 120, 40, rose);  // would cross the right edge: not drawn

    // Rectangles from the first corner to the opposite one; both must be on screen.
    easel::fillRect(40, 380, 140, 460, rose);
    easel::fillRect(60, 400, 120, 440, background);
    easel::fillRect(160, 400, 220, 460, ink);

    easel::updateScreen();
    if (wait) easel::waitForKey();
    return 0;
}
