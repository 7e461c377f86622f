// A program built against the installed library: draws and reads back, then
// saves the screen as PNG and BMP, loads both back and draws one.
#include <easel/easel.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool roundTrip(const std::string& name) {
    std::string why;
    if (!easel::saveScreen(name.c_str(), &why)) {
        std::printf("saving %s failed: %s\n", name.c_str(), why.c_str());
        return false;
    }
    const std::optional<easel::Image> image = easel::loadImage(name.c_str(), &why);
    if (!image || image->width() != 64 || image->height() != 48 ||
        image->pixel(63, 47) != easel::RgbColor(10, 20, 30)) {
        std::printf("%s did not load back as saved: %s\n", name.c_str(), why.c_str());
        return false;
    }
    easel::clearScreen(0, 0, 0);
    easel::drawImage(*image, 0, 0);
    return easel::getPixel(63, 47) == easel::RgbColor(10, 20, 30);
}

}  // namespace

int main() {
    easel::initScreen(64, 48, false, "consumer");
    easel::clearScreen(0, 0, 0);
    easel::drawLine(0, 0, 63, 47, easel::RgbColor(10, 20, 30));
    const easel::RgbColor c = easel::getPixel(63, 47);
    if (c != easel::RgbColor(10, 20, 30)) {
        std::printf("unexpected pixel %d %d %d\n", c.r, c.g, c.b);
        return 1;
    }
    char folder[] = "/tmp/easel_consumer_XXXXXX";
    if (mkdtemp(folder) == nullptr) return 1;
    const std::string png = std::string(folder) + "/screen.png";
    const std::string bmp = std::string(folder) + "/screen.bmp";
    const bool ok = roundTrip(png) && roundTrip(bmp);
    std::remove(png.c_str());
    std::remove(bmp.c_str());
    std::remove(folder);
    if (!ok) return 1;
    std::printf("consumer ok\n");
    return 0;
}
