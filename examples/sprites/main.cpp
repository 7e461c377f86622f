// Sprites: a little walker with soft, translucent edges over a background,
// moved with the arrow keys, animated from a sprite sheet.
//
// The sprite sheet is one Image of four 32 x 32 cells whose edges fade out
// through their alpha (made here in code; a PNG with transparency loaded with
// loadImage works the same). drawImage(sheet, cell, x, y) draws one cell,
// mixed into the background by each pixel's alpha and clipped at every edge,
// so the walker can leave the screen on either side. The arrows are read
// from the key-state array (held keys move every frame); S is read with
// keyWentDown, so that even the shortest press saves one screenshot
// (sprites-N.png). Escape or closing the window ends the program (status 1).
//
// Usage: example_sprites [--frames N] [--still N]
//   --frames N  stop after N frames with exit status 0 (the headless test
//               runs it this way on SDL's dummy video driver)
//   --still N   after N frames keep showing the same picture until Escape
//               (the README's picture is taken so)
#include <easel/easel.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int width = 480;
constexpr int height = 270;
constexpr int cell = 32;
constexpr int cells = 4;
constexpr int groundTop = 200;
constexpr double frameLength = 1000.0 / 60.0;

struct Options {
    long frames = 0;  // 0: until Escape
    long still = 0;   // 0: never
};

bool parseArguments(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc) return false;
        char* end = nullptr;
        const long value = std::strtol(argv[i + 1], &end, 10);
        if (*end != '\0' || value <= 0) return false;
        if (std::strcmp(argv[i], "--frames") == 0) {
            options->frames = value;
        } else if (std::strcmp(argv[i], "--still") == 0) {
            options->still = value;
        } else {
            return false;
        }
    }
    return true;
}

// Alpha 255 inside a radius, fading to 0 over the last 3 pixels of it.
int softEdge(double distance, double radius) {
    const double a = (radius - distance) / 3.0;
    return a >= 1.0 ? 255 : a <= 0.0 ? 0 : static_cast<int>(a * 255.0);
}

// Four cells of a round walker: a body, an eye and feet that step.
easel::Image makeSheet() {
    easel::Image sheet(cell * cells, cell, easel::RgbColor(0, 0, 0));
    for (int y = 0; y < cell; ++y)
        for (int x = 0; x < cell * cells; ++x) sheet.setPixel(x, y, easel::RgbColor(0, 0, 0), 0);
    for (int c = 0; c < cells; ++c) {
        const int step = (c % 2 == 0 ? 1 : -1) * (c < 2 ? 3 : 5);
        for (int y = 0; y < cell; ++y) {
            for (int x = 0; x < cell; ++x) {
                const double body = std::hypot(x - 15.5, y - 13.5);
                const double eye = std::hypot(x - 20.5, y - 10.5);
                const double foot1 = std::hypot(x - (11.5 + step), y - 27.5);
                const double foot2 = std::hypot(x - (19.5 - step), y - 27.5);
                int alpha = softEdge(body, 12.5);
                easel::RgbColor colour(240, 140 + y * 2, 40);
                if (softEdge(eye, 4.0) > 0) colour = easel::RgbColor(255, 255, 255);
                if (softEdge(eye, 2.0) > 0) colour = easel::RgbColor(20, 20, 30);
                const int feet = std::max(softEdge(foot1, 4.0), softEdge(foot2, 4.0));
                if (feet > alpha) {
                    alpha = feet;
                    colour = easel::RgbColor(120, 60, 30);
                }
                sheet.setPixel(c * cell + x, y, colour, alpha);
            }
        }
    }
    return sheet;
}

// Sky fading into the horizon, hills and a tiled ground.
void drawBackground() {
    for (int y = 0; y < groundTop; ++y)
        easel::drawHorizontalLine(y, 0, width - 1, easel::RgbColor(90 + y / 3, 150 + y / 4, 230));
    for (int k = 0; k < 5; ++k)
        easel::drawDiscClipped(k * 130 - 20, groundTop + 40, 90, easel::RgbColor(70, 150, 80));
    for (int x = 0; x < width; x += 24) {
        const easel::RgbColor tile =
            (x / 24) % 2 == 0 ? easel::RgbColor(130, 90, 50) : easel::RgbColor(115, 80, 45);
        easel::fillRectSized(x, groundTop, 24, height - groundTop, tile);
    }
    easel::drawText("Arrows move, S saves a screenshot", 8, 8, easel::colors::white);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseArguments(argc, argv, &options)) {
        std::fprintf(stderr, "usage: example_sprites [--frames N] [--still N]\n");
        return 2;
    }
    easel::initScreen(width, height, false, "Sprites");
    const easel::Image sheet = makeSheet();
    double x = 60.0;
    int shots = 0;
    long frame = 0;
    double start = easel::readTicks();
    while (!easel::pollQuit()) {
        const bool moving = options.still == 0 || frame < options.still;
        const Uint8* keys = easel::readKeys();
        if (moving && keys[SDLK_LEFT] != 0) x -= 2.0;
        if (moving && keys[SDLK_RIGHT] != 0) x += 2.0;
        if (x < -cell) x = width;  // walk off one side, come in at the other
        if (x > width) x = -cell;

        drawBackground();
        const long shown = moving ? frame : options.still;
        const int c = static_cast<int>((shown / 8) % cells);
        easel::drawImage(sheet, easel::ImageRect{c * cell, 0, cell, cell}, static_cast<int>(x),
                         groundTop - cell + 4);
        // The whole sheet, to show what each cell is cut from.
        easel::drawImage(sheet, width - cells * cell - 8, 40);
        easel::drawText("sheet", width - cells * cell - 8, 76, easel::colors::white);
        if (easel::keyWentDown(SDLK_s)) {
            const std::string name = "sprites-" + std::to_string(++shots) + ".png";
            std::string why;
            if (easel::saveScreen(name.c_str(), &why)) {
                std::printf("sprites: saved %s\n", name.c_str());
            } else {
                std::printf("sprites: not saved: %s\n", why.c_str());
            }
        }
        easel::updateScreen();
        if (options.frames > 0 && ++frame >= options.frames) return 0;
        if (options.frames == 0) ++frame;
        easel::waitFrame(start, frameLength);
        start += frameLength;
    }
    return 1;
}
