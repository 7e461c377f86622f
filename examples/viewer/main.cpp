// Viewer: shows a picture file in a window sized to it, and saves a copy.
//
//   example_viewer [--no-wait] [FILE]
//
// Loads FILE (PNG, JPEG, BMP or GIF) with loadImage; with no FILE
// it shows a colour wheel of its own. The window takes the picture's size,
// within 160 x 120 and 1024 x 768: a smaller picture sits at the top left of
// a grey window, a larger one shows its top-left part. S saves what the
// window shows as viewer-copy.png in the working directory; Escape or closing
// the window ends it. --no-wait shows the picture once and ends at once.
#include <easel/easel.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace {

constexpr int minWidth = 160, minHeight = 120;
constexpr int maxWidth = 1024, maxHeight = 768;

// A colour wheel: hue around the centre, saturation outwards, on white.
easel::Image colourWheel() {
    easel::Image wheel(320, 240, easel::RgbColor(255, 255, 255));
    const double radius = 110.0;
    for (int y = 0; y < wheel.height(); ++y) {
        for (int x = 0; x < wheel.width(); ++x) {
            const double dx = x - 160.0, dy = y - 120.0;
            const double r = std::sqrt(dx * dx + dy * dy);
            if (r > radius) continue;
            const double turn = (std::atan2(dy, dx) + 3.14159265358979) / (2 * 3.14159265358979);
            const int hue = static_cast<int>(turn * 255.0);
            const int saturation = static_cast<int>(r / radius * 255.0);
            wheel.setPixel(x, y, easel::hsvToRgb(easel::HsvColor(hue, saturation, 255)));
        }
    }
    return wheel;
}

}  // namespace

int main(int argc, char** argv) {
    bool wait = true;
    const char* file = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-wait") == 0) {
            wait = false;
        } else {
            file = argv[i];
        }
    }

    easel::Image picture;
    if (file != nullptr) {
        std::string why;
        std::optional<easel::Image> loaded = easel::loadImage(file, &why);
        if (!loaded) {
            std::fprintf(stderr, "viewer: %s\n", why.c_str());
            return 2;
        }
        picture = std::move(*loaded);
    } else {
        picture = colourWheel();
    }

    const int width = std::clamp(picture.width(), minWidth, maxWidth);
    const int height = std::clamp(picture.height(), minHeight, maxHeight);
    easel::initScreen(width, height, false, "easel viewer");
    easel::clearScreen(128, 128, 128);
    easel::drawImage(picture, 0, 0);
    easel::updateScreen();
    if (!wait) return 0;

    bool sArmed = false;  // S saves once per press
    for (;;) {
        if (easel::pollQuit()) return 0;
        const Uint8* keys = easel::readKeys();
        if (keys[SDLK_s] == 0) {
            sArmed = true;
        } else if (sArmed) {
            sArmed = false;
            std::string why;
            if (easel::saveScreen("viewer-copy.png", &why)) {
                std::printf("saved viewer-copy.png\n");
            } else {
                std::fprintf(stderr, "viewer: %s\n", why.c_str());
            }
            std::fflush(stdout);
        }
        SDL_Delay(10);
    }
}
