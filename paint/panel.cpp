#include "paint/panel.h"

#include <SDL.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "easel/colour/convert.h"
// The panel writes whole rows of pixel words and reads the button images
// through the icon loaders' file check: easel internals, which the paint
// program, built with the library, may use.
#include "easel/display/detail/pixels.h"
#include "easel/display/screen.h"
#include "easel/text/detail/icon_streams.h"
#include "easel/text/detail/kept_icon_file.h"
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
constexpr std::size_t buttonCount = std::size(buttons);

// The largest image file whose bytes are kept: a 25 x 25 image at 32 bits
// with any BMP header fits. A larger file is decoded from its name on every
// call, as is one that cannot be read.
constexpr std::size_t keptFileBytes = 8192;

// A button's image as last decoded: the file's bytes, when it was decoded
// from them rather than from its name, and the loader's pixels, column by
// column as in IconBuffer. The file is read on every call, kept open
// between calls while its name still leads to it.
struct ButtonImage {
    easel::detail::KeptIconFile file;
    bool fromBytes = false;
    std::size_t size = 0;
    unsigned char bytes[keptFileBytes] = {};
    easel::RgbColor pixels[iconSize * iconSize] = {};
};
ButtonImage buttonImages[buttonCount];
unsigned char fileBytes[keptFileBytes] = {};

// Reads the button's file as it is now and decodes it when its bytes differ
// from those last decoded, so that a file changed, removed or added shows on
// the very next call. True when the image's pixels changed.
bool loadButtonImage(const char* name, ButtonImage& image) {
    const long size = image.file.read(name, fileBytes, keptFileBytes);
    const bool read = size >= 0;
    const auto bytes = static_cast<std::size_t>(read ? size : 0);
    if (read && image.fromBytes && bytes == image.size &&
        std::memcmp(fileBytes, image.bytes, bytes) == 0) {
        return false;
    }
    easel::RgbColor decoded[iconSize * iconSize];
    if (read) {
        easel::loadIconFromMemory(fileBytes, bytes, decoded, iconSize, iconSize);
        std::memcpy(image.bytes, fileBytes, bytes);
    } else {
        easel::loadIcon(name, decoded, iconSize, iconSize);
    }
    image.fromBytes = read;
    image.size = bytes;
    if (std::equal(std::begin(decoded), std::end(decoded), std::begin(image.pixels))) return false;
    std::copy(std::begin(decoded), std::end(decoded), std::begin(image.pixels));
    return true;
}

// Brings every button's image up to date; true when any of them changed.
bool loadButtonImages(ToolId tool) {
    bool changed = false;
    for (std::size_t i = 0; i < buttonCount; ++i) {
        const Button& b = buttons[i];
        changed |= loadButtonImage(b.tool == tool ? b.pressedImage : b.upImage, buttonImages[i]);
    }
    // IconBuffer holds the image loaded last, the last button's.
    const ButtonImage& last = buttonImages[buttonCount - 1];
    std::copy(std::begin(last.pixels), std::end(last.pixels), std::begin(IconBuffer));
    return changed;
}

void fillRow(int y, int left, int right, easel::RgbColor colour) {
    std::uint32_t* row = easel::detail::rowWords(y);
    std::fill(row + left, row + right + 1, easel::detail::mapColor(colour));
}

void drawButton(const Button& button, const ButtonImage& image) {
    for (int j = 0; j < iconSize; ++j) {
        std::uint32_t* row = easel::detail::rowWords(button.y + j) + button.x;
        for (int i = 0; i < iconSize; ++i)
            row[i] = easel::detail::mapColor(image.pixels[i * iconSize + j]);
    }
}

// Paints the whole panel: picker, value bar, background, swatch, labels and
// buttons, in that order.
void repaint() {
    drawPicker(paletteValue);
    const int width = easel::Screen.width;
    for (int y = 0; y < panelHeight; ++y) {
        const int grey = (2 * y) & 255;
        fillRow(y, pickerWidth, barRight, easel::RgbColor(grey, grey, grey));
        fillRow(y, barRight + 1, width - 1, panelBackground);
    }
    for (int y = 0; y <= swatchBottom; ++y) fillRow(y, swatchLeft, panelRight, selectedColor);
    for (const Label& label : labels) {
        easel::drawText(label.text, label.x, label.y, 0, 0, 0, false, 0, 0, 0, 0);
    }
    for (std::size_t i = 0; i < buttonCount; ++i) drawButton(buttons[i], buttonImages[i]);
}

// The panel's rows as the last full repaint left them, with everything that
// repaint depended on besides the button images. The panel is a function of
// these alone, so while they hold, that repaint is exactly what a new one
// would give. Screens wider than the window are repainted on every call.
// The write stamp says since when the screen's panel rows are known to equal
// the kept ones: only rows written after it need a look.
struct KeptPanel {
    bool valid = false;
    const SDL_Surface* surface = nullptr;
    std::uint64_t stamp = 0;
    int width = 0;
    std::uint8_t value = 0;
    easel::RgbColor swatch{};
    ToolId tool = 0;
    Uint32 masks[4] = {};  // the pixel format: red, green, blue, alpha
    std::uint32_t rows[panelHeight][windowWidth] = {};
};
KeptPanel kept;

bool keepable() {
    const SDL_PixelFormat* f = easel::Screen.surface->format;
    return f->palette == nullptr && easel::Screen.width <= windowWidth;
}

bool keptPanelStands(ToolId tool) {
    const SDL_PixelFormat* f = easel::Screen.surface->format;
    return kept.valid && keepable() && kept.surface == easel::Screen.surface &&
           kept.width == easel::Screen.width &&
           kept.value == paletteValue && kept.swatch == selectedColor && kept.tool == tool &&
           kept.masks[0] == f->Rmask && kept.masks[1] == f->Gmask && kept.masks[2] == f->Bmask &&
           kept.masks[3] == f->Amask;
}

void keepPanel(ToolId tool) {
    const SDL_PixelFormat* f = easel::Screen.surface->format;
    kept.valid = true;
    kept.surface = easel::Screen.surface;
    kept.stamp = easel::detail::takeWriteStamp();
    kept.width = easel::Screen.width;
    kept.value = paletteValue;
    kept.swatch = selectedColor;
    kept.tool = tool;
    const Uint32 masks[4] = {f->Rmask, f->Gmask, f->Bmask, f->Amask};
    std::copy(std::begin(masks), std::end(masks), std::begin(kept.masks));
    for (int y = 0; y < panelHeight; ++y) {
        const std::uint32_t* row = easel::detail::readRowWords(y);
        std::copy(row, row + kept.width, kept.rows[y]);
    }
}

// Makes the panel's rows equal to the kept ones. Only rows written since the
// last look can differ, and only rows that differ are stored to: a row
// stored to counts as written, and is compared again when presenting.
void restorePanel() {
    const auto bytes = static_cast<std::size_t>(kept.width) * sizeof(std::uint32_t);
    for (int y = 0; y < panelHeight; ++y) {
        if (!easel::detail::rowWrittenSince(y, kept.stamp)) continue;
        if (std::memcmp(easel::detail::readRowWords(y), kept.rows[y], bytes) == 0) continue;
        std::memcpy(easel::detail::rowWords(y), kept.rows[y], bytes);
    }
    // Every row is now as kept, the ones just stored to included.
    kept.stamp = easel::detail::takeWriteStamp();
}

}  // namespace

void drawPicker(int value) {
    if (easel::Screen.surface == nullptr || easel::Screen.width < pickerWidth ||
        easel::Screen.height < panelHeight) {
        return;
    }
    for (int y = 0; y < panelHeight; ++y) {
        std::uint32_t* row = easel::detail::rowWords(y);
        for (int x = 0; x < pickerWidth; ++x) {
            row[x] = easel::detail::mapColor(easel::hsvToRgb(easel::HsvColor(x, 2 * y, value)));
        }
    }
}

void drawPanel(ToolId tool) {
    if (easel::Screen.surface == nullptr || easel::Screen.width <= panelRight ||
        easel::Screen.height < panelHeight) {
        return;
    }
    const bool imagesChanged = loadButtonImages(tool);
    if (!imagesChanged && keptPanelStands(tool)) {
        restorePanel();
        return;
    }
    repaint();
    kept.valid = false;
    if (keepable()) keepPanel(tool);
}

}  // namespace paint
