// The Ink tool's flood fill over arbitrary screens from arbitrary start
// points, checked pixel for pixel against a simple reference fill (a queue
// over a copy of the screen). The screen is built from the input as raw pixel
// words of a small palette (so that regions form), drawn as rectangles, lines
// and runs, and written with blitBuffer; one palette word differs from
// another only in its unused top byte, so the fill must compare colours, not
// words. Start points and colours are arbitrary: off the screen, in the rows
// the fill never touches, with the new colour equal to the old one.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "paint/ink.h"
#include "easel/colour/color.h"
#include "easel/display/screen.h"
#include "support/fuzz_screen.h"

namespace {

constexpr int width = 500;
constexpr int height = 500;
constexpr int firstFillableRow = 64;
constexpr std::uint32_t palette[] = {0x00FFFFFFu, 0x00000000u, 0x00FF0000u,
                                     0xFF000000u, 0x00010203u, 0x00FFFFFEu};
constexpr int paletteSize = static_cast<int>(sizeof(palette) / sizeof(palette[0]));

void check(bool ok) {
    if (!ok) std::abort();
}

easel::RgbColor colourOf(std::uint32_t word) {
    return easel::RgbColor(static_cast<int>(word >> 16), static_cast<int>(word >> 8),
                           static_cast<int>(word));
}

// The screen as words, indexed [y * width + x].
struct Picture {
    std::vector<std::uint32_t> words = std::vector<std::uint32_t>(width * height, palette[0]);

    void put(int x, int y, std::uint32_t w) {
        if (x >= 0 && x < width && y >= 0 && y < height)
            words[static_cast<std::size_t>(y * width + x)] = w;
    }
};

void drawShapes(easel_fuzz::ByteReader& in, Picture& pic) {
    const int shapes = in.takeBelow(24);
    for (int i = 0; i < shapes && !in.empty(); ++i) {
        const int kind = in.takeBelow(3);
        const std::uint32_t word = palette[in.takeBelow(paletteSize)];
        const int x0 = in.take<std::uint16_t>() % width;
        const int y0 = in.take<std::uint16_t>() % height;
        const int x1 = in.take<std::uint16_t>() % width;
        const int y1 = in.take<std::uint16_t>() % height;
        if (kind == 0) {  // filled rectangle
            for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
                for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) pic.put(x, y, word);
        } else if (kind == 1) {  // one-pixel line with diagonal steps
            const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
            for (int s = 0; s <= steps; ++s) {
                const int x = steps == 0 ? x0 : x0 + (x1 - x0) * s / steps;
                const int y = steps == 0 ? y0 : y0 + (y1 - y0) * s / steps;
                pic.put(x, y, word);
            }
        } else {  // a run of pixels in reading order
            const int start = y0 * width + x0;
            for (int k = 0; k < x1 * 4 && start + k < width * height; ++k)
                pic.words[static_cast<std::size_t>(start + k)] = word;
        }
    }
}

void blit(const Picture& pic) {
    std::vector<std::uint32_t> columns(static_cast<std::size_t>(width) * height);
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            columns[static_cast<std::size_t>(x * height + y)] =
                pic.words[static_cast<std::size_t>(y * width + x)];
    easel::blitBuffer(columns.data());
}

// The reference: every pixel of the fillable rows that has oldColour and is
// 4-connected to (x, y) through such pixels takes newColour's word, found by a
// plain breadth-first walk with a queue.
struct ReferenceFill {
    Picture& pic;
    easel::RgbColor oldColour;
    std::uint32_t newWord = 0;
    std::vector<int> queue;

    void visit(int px, int py) {
        if (px < 0 || px >= width || py < firstFillableRow || py >= height) return;
        std::uint32_t& w = pic.words[static_cast<std::size_t>(py * width + px)];
        if (colourOf(w) != oldColour) return;
        w = newWord;
        queue.push_back(py * width + px);
    }

    void run(int x, int y) {
        visit(x, y);
        for (std::size_t i = 0; i < queue.size(); ++i) {
            const int px = queue[i] % width;
            const int py = queue[i] / width;
            visit(px + 1, py);
            visit(px - 1, py);
            visit(px, py + 1);
            visit(px, py - 1);
        }
    }
};

void referenceFill(Picture& pic, int x, int y, easel::RgbColor newColour,
                   easel::RgbColor oldColour) {
    if (newColour == oldColour) return;
    const std::uint32_t newWord = (static_cast<std::uint32_t>(newColour.r) << 16) |
                                  (static_cast<std::uint32_t>(newColour.g) << 8) |
                                  static_cast<std::uint32_t>(newColour.b);
    ReferenceFill fill{pic, oldColour, newWord, {}};
    fill.run(x, y);
}

void compare(const Picture& pic) {
    const SDL_Surface* s = easel::Screen.surface;
    for (int y = 0; y < height; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(s->pixels) +
                                                   static_cast<std::ptrdiff_t>(y) * s->pitch);
        for (int x = 0; x < width; ++x)
            check(row[x] == pic.words[static_cast<std::size_t>(y * width + x)]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    easel_fuzz::ensureScreen();
    easel_fuzz::ByteReader in(data, size);
    Picture pic;
    drawShapes(in, pic);
    blit(pic);
    const int fills = 1 + in.takeBelow(4);
    for (int i = 0; i < fills; ++i) {
        // Mostly on the screen; sometimes any int at all.
        const bool anyPoint = in.take<std::uint8_t>() < 32;
        const int x = anyPoint ? in.takeInt() : in.take<std::uint16_t>() % (width + 2) - 1;
        const int y = anyPoint ? in.takeInt() : in.take<std::uint16_t>() % (height + 2) - 1;
        const easel::RgbColor newColour = colourOf(palette[in.takeBelow(paletteSize)]);
        // The old colour as the Ink tool takes it (the pixel under the pointer),
        // or any palette colour.
        const int oldPick = in.takeBelow(paletteSize + 1);
        const easel::RgbColor oldColour =
            oldPick == paletteSize ? easel::getPixel(x, y) : colourOf(palette[oldPick]);
        referenceFill(pic, x, y, newColour, oldColour);
        paint::inkFill(x, y, newColour.r, newColour.g, newColour.b, oldColour.r, oldColour.g,
                       oldColour.b);
        compare(pic);
    }
    return 0;
}
