// The paint program's passes with arbitrary pointer states: positions on the
// window and anywhere in the int range, left and right buttons in any
// sequence, so that every tool, pick and button is reached, and panels drawn
// for any tool number. Nothing may touch memory outside the surface, hit
// undefined behaviour or take long, and the state stays what the program can
// hold: a tool number from the buttons, a stroke flag of 0 or 1. At the end the
// panel is what a full repaint gives: no tool mark is left on it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "paint/panel.h"
#include "paint/pass.h"
#include "paint/state.h"
#include "easel/display/detail/pixels.h"
#include "easel/display/screen.h"
#include "support/fuzz_screen.h"

namespace {

constexpr int maxSteps = 48;

void check(bool ok) {
    if (!ok) std::abort();
}

// Mostly a point of the window, where the panel and the canvas are; sometimes any int.
int takeCoordinate(easel_fuzz::ByteReader& in) {
    const bool any = in.take<std::uint8_t>() < 24;
    return any ? in.takeInt() : static_cast<int>(in.take<std::uint16_t>() % 520) - 10;
}

// The panel's rows of the screen, word for word.
void panelWords(std::vector<std::uint32_t>& words) {
    words.clear();
    const int width = std::min(easel::Screen.width, paint::windowWidth);
    const int height = std::min(easel::Screen.height, paint::panelHeight);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = easel::detail::readRowWords(y);
        words.insert(words.end(), row, row + width);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    easel_fuzz::ensureScreen();
    paint::resetState();
    paint::startCanvas();
    easel_fuzz::ByteReader in(data, size);
    for (int step = 0; step < maxSteps && !in.empty(); ++step) {
        const int kind = in.take<std::uint8_t>() % 8;
        if (kind == 7) {
            paint::drawPanel(in.takeInt());  // any tool number: all buttons up
            continue;
        }
        paint::Pointer pointer;
        pointer.x = takeCoordinate(in);
        pointer.y = takeCoordinate(in);
        const std::uint8_t buttons = in.take<std::uint8_t>();
        pointer.left = (buttons & 1) != 0;
        pointer.right = (buttons & 2) != 0;
        if (paint::runPass(pointer) == paint::PassResult::clearCanvas) paint::startCanvas();
        check(paint::currentTool >= paint::pencilTool && paint::currentTool <= paint::clearTool);
        check(paint::strokeActive <= 1);
    }
    // After an idle pass the panel is what a full repaint gives: no tool mark
    // survives. A change of value and back makes drawPanel repaint it whole.
    paint::runPass(paint::Pointer{});
    static std::vector<std::uint32_t> shown;
    panelWords(shown);
    paint::paletteValue = static_cast<std::uint8_t>(paint::paletteValue ^ 1u);
    paint::drawPanel(paint::currentTool);
    paint::paletteValue = static_cast<std::uint8_t>(paint::paletteValue ^ 1u);
    paint::drawPanel(paint::currentTool);
    static std::vector<std::uint32_t> repainted;
    panelWords(repainted);
    check(shown == repainted);
    return 0;
}
