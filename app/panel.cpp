#include "app/panel.h"

#include <SDL.h>

#include <cstdint>

#include "easel/colour/convert.h"
#include "easel/display/pixels.h"
#include "easel/display/screen.h"
#include "easel/text/icon.h"
#include "easel/text/text.h"

namespace paint {

namespace {

constexpr int pickerWidth = 256;  // x 0-255: hue x
constexpr int barRight = 271;     // x 256-271: the value bar
constexpr int panelRight = 459;   // the swatch's right edge, the panel's last column
constexpr easel::RgbColor panelBackground{236, 233, 216};
constexpr int swatchLeft = 430;
constexpr int swatchBottom = 29;

struct Label {
    const char* text;
    int x;
    int y;
};
constexpr Label labels[] = {
    {"Selected Color:", 300, 10}, {"Pencil", 330, 58}, {"Brush", 330, 83}, {"Ink", 430, 58},
    {"Clear", 430, 83},
};

struct Button {
    ToolId tool;
    const char* upImage;
    const char* pressedImage;
    int x;
    int y;
};
constexpr Button buttons[] = {
    {pencilTool, "pen1.bmp", "pen2.bmp", 300, 50},
    {brushTool, "brush1.bmp", "brush2.bmp", 300, 75},
    {inkTool, "ink1.bmp", "ink2.bmp", 400, 50},
    {clearTool, "clear1.bmp", "clear2.bmp", 400, 75},
};

// Packs colours into the screen's pixel words exactly as SDL_MapRGB does,
// with the format read once per panel rather than once per pixel.
class PixelPacker {
  public:
    PixelPacker() {
        const SDL_PixelFormat* f = easel::Screen.surface->format;
        viaSdl_ = f->palette != nullptr;
        rShift_ = f->Rshift;
        gShift_ = f->Gshift;
        bShift_ = f->Bshift;
        rLoss_ = f->Rloss;
        gLoss_ = f->Gloss;
        bLoss_ = f->Bloss;
        alpha_ = f->Amask;
    }

    std::uint32_t operator()(easel::RgbColor c) const {
        if (viaSdl_) return easel::mapColor(c);
        return (static_cast<std::uint32_t>((c.r & 255) >> rLoss_) << rShift_) |
               (static_cast<std::uint32_t>((c.g & 255) >> gLoss_) << gShift_) |
               (static_cast<std::uint32_t>((c.b & 255) >> bLoss_) << bShift_) | alpha_;
    }

  private:
    bool viaSdl_ = false;
    unsigned rShift_ = 0, gShift_ = 0, bShift_ = 0;
    unsigned rLoss_ = 0, gLoss_ = 0, bLoss_ = 0;
    std::uint32_t alpha_ = 0;
};

// The picker, the value bar and the background, one row at a time from left
// to right.
void drawStrip(const PixelPacker& pack) {
    const int value = paletteValue;
    const int width = easel::Screen.width;
    const std::uint32_t background = pack(panelBackground);
    for (int y = 0; y < panelHeight; ++y) {
        std::uint32_t* row = easel::rowWords(y);
        const int twoY = (2 * y) & 255;  // saturation and grey of this row
        for (int x = 0; x < pickerWidth; ++x) {
            row[x] = pack(easel::hsvToRgb(easel::HsvColor(x, twoY, value)));
        }
        const std::uint32_t grey = pack(easel::RgbColor(twoY, twoY, twoY));
        for (int x = pickerWidth; x <= barRight; ++x) row[x] = grey;
        for (int x = barRight + 1; x < width; ++x) row[x] = background;
    }
}

void drawSwatch(const PixelPacker& pack) {
    const std::uint32_t colour = pack(selectedColor);
    for (int y = 0; y <= swatchBottom; ++y) {
        std::uint32_t* row = easel::rowWords(y);
        for (int x = swatchLeft; x <= panelRight; ++x) row[x] = colour;
    }
}

// Loads the button's image into IconBuffer (a missing file leaves the
// loader's placeholder there) and copies it to the button's square.
void drawButton(const Button& button, bool pressed, const PixelPacker& pack) {
    easel::loadIcon(pressed ? button.pressedImage : button.upImage, IconBuffer, iconSize, iconSize);
    for (int j = 0; j < iconSize; ++j) {
        std::uint32_t* row = easel::rowWords(button.y + j) + button.x;
        for (int i = 0; i < iconSize; ++i) row[i] = pack(IconBuffer[i * iconSize + j]);
    }
}

}  // namespace

void drawPanel(ToolId tool) {
    if (easel::Screen.surface == nullptr || easel::Screen.width <= panelRight ||
        easel::Screen.height < panelHeight) {
        return;
    }
    const PixelPacker pack;
    drawStrip(pack);
    drawSwatch(pack);
    for (const Label& label : labels) {
        easel::drawText(label.text, label.x, label.y, 0, 0, 0, false, 0, 0, 0, 0);
    }
    for (const Button& button : buttons) drawButton(button, button.tool == tool, pack);
}

}  // namespace paint
