#include "app/panel.h"

#include <SDL.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "app/image_files.h"
#include "easel/colour/convert.h"
// The panel writes whole rows of pixel words: easel internals, which the paint
// program, built with the library, may use.
#include "easel/display/detail/pixels.h"
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
    // A packer for no format; equal to no packer made from a screen.
    struct Unset {};
    explicit PixelPacker(Unset) { viaSdl_ = true; }

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
        if (viaSdl_) return easel::detail::mapColor(c);
        return (static_cast<std::uint32_t>((c.r & 255) >> rLoss_) << rShift_) |
               (static_cast<std::uint32_t>((c.g & 255) >> gLoss_) << gShift_) |
               (static_cast<std::uint32_t>((c.b & 255) >> bLoss_) << bShift_) | alpha_;
    }

    // Whether colours go through SDL_MapRGB (a palette format).
    bool viaSdl() const { return viaSdl_; }
    // Channel value c (0-255) in its place in the word: 0 red, 1 green, 2 blue.
    std::uint32_t channel(int which, std::uint32_t c) const {
        const unsigned loss = which == 0 ? rLoss_ : which == 1 ? gLoss_ : bLoss_;
        const unsigned shift = which == 0 ? rShift_ : which == 1 ? gShift_ : bShift_;
        return (c >> loss) << shift;
    }
    unsigned loss(int which) const { return which == 0 ? rLoss_ : which == 1 ? gLoss_ : bLoss_; }
    unsigned shift(int which) const {
        return which == 0 ? rShift_ : which == 1 ? gShift_ : bShift_;
    }
    std::uint32_t alpha() const { return alpha_; }

    // Whether both pack every colour into the same word without SDL's help,
    // so that words packed by one are those the other would give.
    bool sameDirectPacking(const PixelPacker& o) const {
        return !viaSdl_ && !o.viaSdl_ && rShift_ == o.rShift_ && gShift_ == o.gShift_ &&
               bShift_ == o.bShift_ && rLoss_ == o.rLoss_ && gLoss_ == o.gLoss_ &&
               bLoss_ == o.bLoss_ && alpha_ == o.alpha_;
    }

  private:
    bool viaSdl_ = false;
    unsigned rShift_ = 0, gShift_ = 0, bShift_ = 0;
    unsigned rLoss_ = 0, gLoss_ = 0, bLoss_ = 0;
    std::uint32_t alpha_ = 0;
};

// The first hue of each of the six sectors of hsvToRgb, (6 * hue) >> 8, and
// the end of the last.
constexpr std::uint32_t sectorStart[7] = {0, 43, 86, 128, 171, 214, 256};

// Which channel (0 red, 1 green, 2 blue) holds the varying component in each
// sector, whether that component is q (else t), and which channels hold the
// value ("top") and p.
struct Sector {
    int varying;
    bool isQ;
    int top;
    int p;
};
constexpr Sector sectors[6] = {
    {1, false, 0, 2},  // (top, t, p)
    {0, true, 1, 2},   // (q, top, p)
    {2, false, 1, 0},  // (p, top, t)
    {1, true, 2, 0},   // (p, q, top)
    {0, false, 2, 1},  // (t, p, top)
    {2, true, 0, 1},   // (top, p, q)
};

// One row of the picker, hue x for x 0-255 at the given saturation and value:
// word for word what hsvToRgb and the packing give, computed a sector at a
// time so that each sector is a branch-free loop over the hue. In a sector
// one channel is the value, one is p, both the same along the row, and the
// third follows the hue.
void drawPickerRow(std::uint32_t* row, std::uint32_t s, std::uint32_t v, const PixelPacker& pack) {
    if (pack.viaSdl()) {
        for (int x = 0; x < pickerWidth; ++x) {
            row[x] =
                pack(easel::hsvToRgb(easel::HsvColor(x, static_cast<int>(s), static_cast<int>(v))));
        }
        return;
    }
    const std::uint32_t v255 = 255u * v;
    const std::uint32_t top = v255 >> 8;
    if (s == 0) {
        const std::uint32_t grey =
            pack.channel(0, top) | pack.channel(1, top) | pack.channel(2, top) | pack.alpha();
        std::fill(row, row + pickerWidth, grey);
        return;
    }
    const std::uint32_t p = (v255 * (256u - s)) >> 16;
    for (std::uint32_t j = 0; j < 6; ++j) {
        const Sector& sector = sectors[j];
        const std::uint32_t fixed =
            pack.channel(sector.top, top) | pack.channel(sector.p, p) | pack.alpha();
        const unsigned loss = pack.loss(sector.varying);
        const unsigned shift = pack.shift(sector.varying);
        // Within the sector k = 6 * hue - 256 * j runs over 0-255; q uses
        // s * k and t uses s * (256 - k), both below 65536.
        const std::uint32_t first = sectorStart[j];
        const std::uint32_t last = sectorStart[j + 1];
        // The numerator v255 * (65536 - s * k) or v255 * (65536 - s * (256 - k))
        // changes by 6 * s * v255 from one hue to the next; every value it
        // takes lies in 0 ... 255 * 255 * 65536 < 2^32, so the unsigned
        // steps give it exactly.
        const std::uint32_t step = 6u * s * v255;
        const std::uint32_t k = 6u * first - 256u * j;
        std::uint32_t numerator = v255 * (65536u - s * (sector.isQ ? k : 256u - k));
        // q falls along the hue and t rises (steps taken modulo 2^32).
        const std::uint32_t delta = sector.isQ ? 0u - step : step;
        for (std::uint32_t x = first; x < last; ++x, numerator += delta) {
            row[x] = fixed | (((numerator >> 24) >> loss) << shift);
        }
    }
}

// The picker as last drawn by drawPanel, word for word, with the value and
// the packing it was drawn with. Only drawPanel uses it; a palette format is
// never kept, since SDL_MapRGB's answer depends on the palette.
struct KeptPicker {
    bool valid = false;
    std::uint32_t value = 0;
    PixelPacker packing{PixelPacker::Unset{}};
    std::uint32_t words[panelHeight][pickerWidth] = {};
};
KeptPicker keptPicker;

// The picker at paletteValue, the value bar and the background, one row at a
// time from left to right. The picker's rows are copied from keptPicker when
// it holds them for this value and packing, which is exactly what computing
// them again would give.
void drawStrip(const PixelPacker& pack) {
    const std::uint32_t value = paletteValue;
    const int width = easel::Screen.width;
    const std::uint32_t background = pack(panelBackground);
    const bool keep = !pack.viaSdl();
    if (keep && !(keptPicker.valid && keptPicker.value == value &&
                  keptPicker.packing.sameDirectPacking(pack))) {
        for (int y = 0; y < panelHeight; ++y) {
            drawPickerRow(keptPicker.words[y], static_cast<std::uint32_t>((2 * y) & 255), value,
                          pack);
        }
        keptPicker.valid = true;
        keptPicker.value = value;
        keptPicker.packing = pack;
    }
    for (int y = 0; y < panelHeight; ++y) {
        std::uint32_t* row = easel::detail::rowWords(y);
        const int twoY = (2 * y) & 255;  // saturation and grey of this row
        if (keep) {
            std::copy(std::begin(keptPicker.words[y]), std::end(keptPicker.words[y]), row);
        } else {
            drawPickerRow(row, static_cast<std::uint32_t>(twoY), value, pack);
        }
        const std::uint32_t grey = pack(easel::RgbColor(twoY, twoY, twoY));
        std::fill(row + pickerWidth, row + barRight + 1, grey);
        std::fill(row + barRight + 1, row + width, background);
    }
}

void drawSwatch(const PixelPacker& pack) {
    const std::uint32_t colour = pack(selectedColor);
    for (int y = 0; y <= swatchBottom; ++y) {
        std::uint32_t* row = easel::detail::rowWords(y);
        for (int x = swatchLeft; x <= panelRight; ++x) row[x] = colour;
    }
}

// The largest image file kept in memory between calls: a 25 x 25 image at 32
// bits with any BMP header fits. A larger file is handed to the loader by
// name on every call, as is a file that cannot be opened or read.
constexpr std::size_t keptFileBytes = 8192;

constexpr std::size_t buttonCount = sizeof buttons / sizeof buttons[0];

// One image file as it was last read, what the loader made of it (column by
// column, as in IconBuffer), and those pixels packed row by row for the
// screen with the packing recorded.
struct KeptIcon {
    bool valid = false;
    std::size_t size = 0;
    unsigned char bytes[keptFileBytes] = {};
    easel::RgbColor pixels[iconSize * iconSize] = {};
    PixelPacker packing{PixelPacker::Unset{}};
    std::uint32_t words[iconSize][iconSize] = {};
};

// One entry per image file: up and pressed for each button, in button order.
// The files are still read on every call; an image is decoded again only
// when its bytes differ from the last read, so a file changed, removed or
// added shows on the very next call.
KeptIcon keptIcons[2 * buttonCount];
unsigned char fileBytes[keptFileBytes + 1] = {};
// Counts the decodings of kept icons, so that a kept panel can tell whether
// it still shows the images now on disk.
unsigned iconGeneration = 0;

// The image files, kept open between calls.
ImageFiles imageFiles;

// The image of the file as loadIcon(name) would give it now: the kept icon,
// decoded again only when the file's bytes differ from those last decoded.
// Null when the file could not be read whole; IconBuffer then holds what the
// loader, reading the file itself, left there.
KeptIcon* loadButtonImage(const char* name, KeptIcon& kept) {
    const long size = imageFiles.read(name, fileBytes, keptFileBytes);
    if (size < 0) {
        kept.valid = false;
        easel::loadIcon(name, IconBuffer, iconSize, iconSize);
        return nullptr;
    }
    const auto bytes = static_cast<std::size_t>(size);
    if (!kept.valid || kept.size != bytes || std::memcmp(kept.bytes, fileBytes, bytes) != 0) {
        easel::loadIconFromMemory(fileBytes, bytes, kept.pixels, iconSize, iconSize);
        std::memcpy(kept.bytes, fileBytes, bytes);
        kept.size = bytes;
        kept.valid = true;
        kept.packing = PixelPacker(PixelPacker::Unset{});
        ++iconGeneration;
    }
    return &kept;
}

// The four button images of one call: kept icons, or for a file that could
// not be read whole a copy of what the loader gave.
struct ButtonImages {
    KeptIcon* kept[buttonCount] = {};
    easel::RgbColor loaded[buttonCount][iconSize * iconSize] = {};
    bool allKept = true;
};

void loadButtonImages(ToolId tool, ButtonImages& images) {
    images.allKept = true;
    for (std::size_t i = 0; i < buttonCount; ++i) {
        const bool pressed = buttons[i].tool == tool;
        images.kept[i] = loadButtonImage(pressed ? buttons[i].pressedImage : buttons[i].upImage,
                                         keptIcons[2 * i + (pressed ? 1 : 0)]);
        if (images.kept[i] == nullptr) {
            images.allKept = false;
            std::copy(std::begin(IconBuffer), std::end(IconBuffer), images.loaded[i]);
        }
    }
    // IconBuffer holds the image loaded last, the last button's.
    const KeptIcon* last = images.kept[buttonCount - 1];
    if (last != nullptr) std::copy(std::begin(last->pixels), std::end(last->pixels), IconBuffer);
}

// Copies a button's image to its square.
void drawButton(std::size_t i, const ButtonImages& images, const PixelPacker& pack) {
    const Button& button = buttons[i];
    KeptIcon* kept = images.kept[i];
    if (kept == nullptr || pack.viaSdl()) {
        const easel::RgbColor* pixels = kept != nullptr ? kept->pixels : images.loaded[i];
        for (int j = 0; j < iconSize; ++j) {
            std::uint32_t* row = easel::detail::rowWords(button.y + j) + button.x;
            for (int c = 0; c < iconSize; ++c) row[c] = pack(pixels[c * iconSize + j]);
        }
        return;
    }
    if (!kept->packing.sameDirectPacking(pack)) {
        for (int j = 0; j < iconSize; ++j)
            for (int c = 0; c < iconSize; ++c)
                kept->words[j][c] = pack(kept->pixels[c * iconSize + j]);
        kept->packing = pack;
    }
    for (int j = 0; j < iconSize; ++j) {
        std::copy(std::begin(kept->words[j]), std::end(kept->words[j]),
                  easel::detail::rowWords(button.y + j) + button.x);
    }
}

// Paints the whole panel into the screen, step by step.
void repaint(const ButtonImages& images, const PixelPacker& pack) {
    drawStrip(pack);
    drawSwatch(pack);
    for (const Label& label : labels) {
        easel::drawText(label.text, label.x, label.y, 0, 0, 0, false, 0, 0, 0, 0);
    }
    for (std::size_t i = 0; i < buttonCount; ++i) drawButton(i, images, pack);
}

// The widest screen whose panel is kept.
constexpr int keptPanelWidth = 1024;

// The panel's rows as the last full repaint left them, with everything that
// repaint depended on. The panel is a function of these alone, so while
// they hold, that repaint's result is exactly what a new one would give.
struct KeptPanel {
    bool valid = false;
    int width = 0;
    std::uint32_t value = 0;
    std::uint32_t swatch = 0;
    std::size_t pressed = 0;  // the pressed button, buttonCount for none
    unsigned iconGeneration = 0;
    PixelPacker packing{PixelPacker::Unset{}};
    // The screen the panel was last drawn on, which then held these words.
    const SDL_Surface* surface = nullptr;
    const void* pixels = nullptr;
    std::uint32_t words[panelHeight][keptPanelWidth] = {};
};
KeptPanel keptPanel;

std::size_t pressedButton(ToolId tool) {
    std::size_t i = 0;
    while (i < buttonCount && buttons[i].tool != tool) ++i;
    return i;
}

// Makes the screen row equal to the kept one. Only rows that differ are
// stored to: storing the same words again would still mark the memory as
// written, and the display would have to fetch it anew when presenting.
void restoreRow(std::uint32_t* row, const std::uint32_t* kept, int width) {
    const auto bytes = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
    if (std::memcmp(row, kept, bytes) != 0) std::memcpy(row, kept, bytes);
}

}  // namespace

void drawPicker(int value) {
    if (easel::Screen.surface == nullptr || easel::Screen.width < pickerWidth ||
        easel::Screen.height < panelHeight) {
        return;
    }
    const PixelPacker pack;
    for (int y = 0; y < panelHeight; ++y) {
        drawPickerRow(easel::detail::rowWords(y), static_cast<std::uint32_t>((2 * y) & 255),
                      static_cast<std::uint32_t>(value) & 255u, pack);
    }
}

void drawPanel(ToolId tool, bool untouched) {
    if (easel::Screen.surface == nullptr || easel::Screen.width <= panelRight ||
        easel::Screen.height < panelHeight) {
        return;
    }
    const PixelPacker pack;
    static ButtonImages images;  // large, so not on the stack; filled anew below
    loadButtonImages(tool, images);

    const int width = easel::Screen.width;
    const bool keepable = images.allKept && !pack.viaSdl() && width <= keptPanelWidth;
    KeptPanel& k = keptPanel;
    const std::uint32_t swatch = pack(selectedColor);
    if (keepable && k.valid && k.width == width && k.value == paletteValue && k.swatch == swatch &&
        k.pressed == pressedButton(tool) && k.iconGeneration == iconGeneration &&
        k.packing.sameDirectPacking(pack)) {
        const SDL_Surface* screen = easel::Screen.surface;
        if (untouched && k.surface == screen && k.pixels == screen->pixels) return;
        for (int y = 0; y < panelHeight; ++y)
            restoreRow(easel::detail::rowWords(y), k.words[y], width);
        k.surface = screen;
        k.pixels = screen->pixels;
        return;
    }
    repaint(images, pack);
    k.valid = keepable;
    if (!keepable) return;
    k.surface = easel::Screen.surface;
    k.pixels = easel::Screen.surface->pixels;
    for (int y = 0; y < panelHeight; ++y) {
        const std::uint32_t* row = easel::detail::rowWords(y);
        std::copy(row, row + width, k.words[y]);
    }
    k.width = width;
    k.value = paletteValue;
    k.swatch = swatch;
    k.pressed = pressedButton(tool);
    k.iconGeneration = iconGeneration;
    k.packing = pack;
}

}  // namespace paint
