// What the panel keeps between calls never shows: after any drawing over the
// panel, any change of the value, the selected colour, the tool, the screen's
// format or an icon file on disk, drawPanel leaves exactly the pixels that
// painting every pixel anew, the plain way, gives. The picker alone
// (drawPicker) is checked against the HSV conversion at every value.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "paint/document.h"
#include "paint/loop.h"
#include "paint/paint_fixture.h"
#include "paint/panel.h"
#include "paint/pass.h"
#include "paint/state.h"
#include "easel/colour/convert.h"
#include "easel/display/detail/pixels.h"
#include "easel/display/screen.h"
#include "easel/text/icon.h"
#include "easel/text/text.h"
#include "support/screen_fixture.h"
#include "support/sdl_seams.h"
#include "support/temp_directory.h"

namespace {

using easel::RgbColor;
using easel_test::GuardedSurface;
using easel_test::Picture;
using easel_test::ScopedScreen;
using paint_test::PaintTest;

const char* const iconFiles[] = {"pen1.bmp", "pen2.bmp", "brush1.bmp", "brush2.bmp",
                                 "ink1.bmp", "ink2.bmp", "clear1.bmp", "clear2.bmp"};

// A 25 x 25 24-bit BMP of one colour, with a diagonal of another so that a
// mirrored or shifted copy would show.
std::vector<char> bmpBytes(RgbColor fill, RgbColor mark) {
    constexpr int side = 25;
    constexpr int rowBytes = 76;  // 75 rounded up to a multiple of 4
    std::vector<char> b(54 + rowBytes * side, 0);
    const auto put = [&b](std::size_t at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            b[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 255u);
    };
    b[0] = 'B';
    b[1] = 'M';
    put(2, static_cast<std::uint32_t>(b.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, side, 4);
    put(22, side, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const RgbColor c = x == y ? mark : fill;
            const std::size_t at = 54 + static_cast<std::size_t>((side - 1 - y) * rowBytes + 3 * x);
            put(at, static_cast<std::uint32_t>(c.b | c.g << 8 | c.r << 16), 3);
        }
    return b;
}

void writeFile(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A temporary working directory holding the eight icon files.
class IconFolder {
  public:
    IconFolder() {
        for (int i = 0; i < 8; ++i) write(i, RgbColor(30 * i, 255 - 30 * i, 77), RgbColor(0, 0, 0));
    }

    bool entered() const { return dir_.ready(); }
    void write(int file, RgbColor fill, RgbColor mark) {
        writeFile(dir_.file(iconFiles[file]), bmpBytes(fill, mark));
    }
    void remove(int file) { std::remove(dir_.file(iconFiles[file]).c_str()); }
    std::string path(int file) const { return dir_.file(iconFiles[file]); }

  private:
    easel_test::TempDirectory dir_;
};

// The panel painted the plain way, pixel by pixel through putPixel, in the
// order picker, value bar, background, swatch, labels, buttons; returns the
// screen and leaves IconBuffer as that way leaves it.
Picture plainPanel(int tool) {
    for (int x = 0; x < 256; ++x)
        for (int y = 0; y < 128; ++y)
            easel::putPixel(x, y, easel::hsvToRgb(easel::HsvColor(x, 2 * y, paint::paletteValue)));
    for (int x = 256; x < 272; ++x)
        for (int y = 0; y < 128; ++y) easel::putPixel(x, y, 2 * y & 255, 2 * y & 255, 2 * y & 255);
    for (int x = 272; x < easel::Screen.width; ++x)
        for (int y = 0; y < 128; ++y) easel::putPixel(x, y, 236, 233, 216);
    for (int x = 430; x < 460; ++x)
        for (int y = 0; y < 30; ++y) easel::putPixel(x, y, paint::selectedColor);
    struct Label {
        const char* text;
        int x, y;
    };
    for (const Label& l : {Label{"Selected Color:", 300, 10}, Label{"Pencil", 330, 58},
                           Label{"Brush", 330, 83}, Label{"Ink", 430, 58}, Label{"Clear", 430, 83}})
        easel::drawText(l.text, l.x, l.y, 0, 0, 0, false, 0, 0, 0, 0);
    struct Button {
        int tool, up, x, y;
    };
    for (const Button& b : {Button{1, 0, 300, 50}, Button{2, 2, 300, 75}, Button{3, 4, 400, 50},
                            Button{4, 6, 400, 75}}) {
        easel::loadIcon(iconFiles[b.up + (b.tool == tool ? 1 : 0)], paint::IconBuffer, 25, 25);
        for (int i = 0; i < 25; ++i)
            for (int j = 0; j < 25; ++j)
                easel::putPixel(b.x + i, b.y + j, paint::IconBuffer[i * 25 + j]);
    }
    return easel_test::capture();
}

// Draws over the panel in one of several ways.
void damagePanel(std::mt19937& rng, int kind) {
    std::uniform_int_distribution<int> x(0, 499), y(0, 127), c(0, 255);
    switch (kind % 5) {
        case 0:  // one pixel anywhere on the panel
            easel::putPixel(x(rng), y(rng), c(rng), c(rng), c(rng));
            break;
        case 1:  // noise over the whole strip
            for (int i = 0; i < 3000; ++i) easel::putPixel(x(rng), y(rng), c(rng), c(rng), c(rng));
            break;
        case 2:  // the canvas colour over the whole strip
            for (int py = 0; py < 128; ++py)
                for (int px = 0; px < 500; ++px) easel::putPixel(px, py, 255, 255, 255);
            break;
        case 3:  // a label glyph's pixel turned to the background's colour
            easel::putPixel(301, 11, 236, 233, 216);
            break;
        default:  // nothing at all
            break;
    }
}

class PanelCacheTest : public PaintTest {};

TEST_F(PanelCacheTest, EveryCallLeavesWhatAFullRepaintGives) {
    IconFolder icons;
    ASSERT_TRUE(icons.entered());
    std::mt19937 rng(51);
    std::uniform_int_distribution<int> c(0, 255);
    int tool = 1;
    for (int step = 0; step < 120; ++step) {
        switch (rng() % 8) {
            case 0:
                paint::paletteValue = static_cast<std::uint8_t>(c(rng));
                break;
            case 1:
                paint::selectedColor = RgbColor(c(rng), c(rng), c(rng));
                break;
            case 2:
                tool = static_cast<int>(rng() % 6);
                break;
            case 3:
            case 4:  // written in place with the same size, at once (or added back)
                icons.write(static_cast<int>(rng() % 8), RgbColor(c(rng), c(rng), c(rng)),
                            RgbColor(c(rng), c(rng), c(rng)));
                break;
            case 5:
                icons.remove(static_cast<int>(rng() % 8));
                break;
            default:
                break;
        }
        const Picture expected = plainPanel(tool);
        std::vector<RgbColor> expectedIcon(paint::IconBuffer, paint::IconBuffer + 625);
        damagePanel(rng, static_cast<int>(rng() % 5));
        paint::drawPanel(tool);
        ASSERT_TRUE(easel_test::screenMatches(expected)) << "step " << step;
        ASSERT_EQ(std::vector<RgbColor>(paint::IconBuffer, paint::IconBuffer + 625), expectedIcon)
            << "step " << step;
        // Again with nothing changed in between: the kept panel stands.
        paint::drawPanel(tool);
        ASSERT_TRUE(easel_test::screenMatches(expected)) << "step " << step << ", again";
    }
}

// Every pass leaves the panel as a full repaint gives it, whatever the last
// pass's tool drew on it. Runs of passes with every tool, button state and
// stroke, moving about the panel's lower edge (and picking colours, values
// and tools above it), are each followed by an idle pass, whose panel must be
// the plain way's above: a tool mark left on it would show.
TEST_F(PanelCacheTest, PassesNearThePanelNeverLeaveToolMarksOnIt) {
    IconFolder icons;
    ASSERT_TRUE(icons.entered());
    std::mt19937 rng(20261207);
    std::uniform_int_distribution<int> x(0, 499), y(96, 176), length(1, 6), press(0, 3);
    const paint::ToolId tools[] = {paint::pencilTool, paint::brushTool, paint::inkTool};
    for (int trial = 0; trial < 400; ++trial) {
        paint::resetState();
        paint::selectedColor = RgbColor(200, 40, trial % 256);
        paint::currentTool = tools[trial % 3];
        paint::startCanvas();
        const int passes = length(rng);
        for (int i = 0; i < passes; ++i) {
            const paint::Pointer pointer{x(rng), y(rng), press(rng) != 0, false};
            if (paint::runPass(pointer) == paint::PassResult::clearCanvas) paint::startCanvas();
        }
        paint::runPass(paint::Pointer{x(rng), 300, false, false});
        const Picture afterPasses = easel_test::capture();
        plainPanel(paint::currentTool);
        ASSERT_TRUE(easel_test::screenMatches(afterPasses)) << "trial " << trial;
    }
}

TEST_F(PanelCacheTest, AnIconFileChangedRemovedReplacedOrMadeANonFileShowsOnTheNextCall) {
    IconFolder icons;
    ASSERT_TRUE(icons.entered());
    const auto squareIs = [](RgbColor fill, RgbColor mark) {
        for (int i = 0; i < 25; ++i)
            for (int j = 0; j < 25; ++j)
                if (easel::getPixel(300 + i, 50 + j) != (i == j ? mark : fill)) return false;
        return true;
    };
    const RgbColor red(255, 0, 0), blue(0, 0, 255), green(0, 255, 0), black(0, 0, 0);
    icons.write(1, red, black);
    paint::drawPanel(1);
    EXPECT_TRUE(squareIs(red, black));
    icons.write(1, blue, black);  // same size, same second
    paint::drawPanel(1);
    EXPECT_TRUE(squareIs(blue, black));
    icons.write(1, blue, green);  // one pixel of 625 differs
    paint::drawPanel(1);
    EXPECT_TRUE(squareIs(blue, green));
    // Removed, then made a FIFO (not waited on), then a folder: the
    // placeholder, as the plain way shows it.
    const auto showsThePlainPanel = [] {
        const Picture shown = easel_test::capture();
        plainPanel(1);
        return easel_test::screenMatches(shown);
    };
    icons.remove(1);
    paint::drawPanel(1);
    EXPECT_FALSE(squareIs(blue, green));
    EXPECT_TRUE(showsThePlainPanel()) << "removed";
    ASSERT_EQ(mkfifo(icons.path(1).c_str(), 0600), 0);
    paint::drawPanel(1);
    EXPECT_TRUE(showsThePlainPanel()) << "a FIFO";
    icons.remove(1);
    ASSERT_EQ(mkdir(icons.path(1).c_str(), 0700), 0);
    paint::drawPanel(1);
    EXPECT_TRUE(showsThePlainPanel()) << "a folder";
    ASSERT_EQ(rmdir(icons.path(1).c_str()), 0);
    icons.write(1, green, red);
    paint::drawPanel(1);
    EXPECT_TRUE(squareIs(green, red));
    // Replaced by a rename, as editors and installers do.
    writeFile(icons.path(1) + ".new", bmpBytes(red, blue));
    ASSERT_EQ(std::rename((icons.path(1) + ".new").c_str(), icons.path(1).c_str()), 0);
    paint::drawPanel(1);
    EXPECT_TRUE(squareIs(red, blue));
}

// The loop at rest presents nothing, yet reads the icon files on every pass:
// a changed one is drawn by the next pass and presented by the one after.
TEST_F(PanelCacheTest, AnIconChangedWhileTheLoopRestsIsPresentedTwoPassesLater) {
    IconFolder icons;
    ASSERT_TRUE(icons.entered());
    paint::startCanvas();
    paint::Document document;
    paint::LoopState loop;
    int presents = 0;
    easel_test::OnScreenUpdate counter{[&presents] { ++presents; }};
    const auto pass = [&document, &loop] {
        easel_test::FakeMouse mouse(250, 300, 0);
        paint::loopPass(document, &loop);
    };
    pass();  // presents the start
    pass();
    presents = 0;
    pass();
    EXPECT_EQ(presents, 0);
    EXPECT_EQ(loop.waited, paint::idleWaitMilliseconds);

    const RgbColor fill(1, 2, 3);
    icons.write(1, fill, RgbColor(4, 5, 6));  // pen2.bmp, the Pencil's pressed image
    pass();
    EXPECT_EQ(presents, 0);
    pass();
    EXPECT_EQ(presents, 1);
    const SDL_Rect band = easel_test::lastScreenUpdate();
    EXPECT_LE(band.y, 50);
    EXPECT_GE(band.y + band.h - 1, 74);
    EXPECT_EQ(easel::getPixel(301, 50), fill);
}

TEST_F(PanelCacheTest, SwitchingScreenFormatsNeverShowsWordsPackedForAnother) {
    IconFolder icons;
    ASSERT_TRUE(icons.entered());
    // Black packs to the same word on the dummy screen and in BGR, so the
    // swatch alone does not tell those two formats apart.
    paint::paletteValue = 200;
    paint::selectedColor = RgbColor(0, 0, 0);
    easel_test::RefusedLayouts refused;
    for (int round = 0; round < 2; ++round) {
        for (const easel_test::PixelLayout& m : easel_test::otherLayouts) {
            SCOPED_TRACE(m.name);
            GuardedSurface other(500, 500, 500, m.r, m.g, m.b, m.a);
            if (!refused.made(other, m)) continue;
            ScopedScreen scope(other.surface(), 500, 500);
            const Picture expected = plainPanel(2);
            for (int pass = 0; pass < 2; ++pass) {
                for (int y = 0; y < 128; ++y)
                    for (int x = 0; x < 500; ++x) easel::putPixel(x, y, 0, 0, 0);
                paint::drawPanel(2);
                ASSERT_TRUE(easel_test::screenMatches(expected)) << "pass " << pass;
            }
        }
        const Picture expected = plainPanel(2);
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 500; ++x) easel::putPixel(x, y, 0, 0, 0);
        paint::drawPanel(2);
        ASSERT_TRUE(easel_test::screenMatches(expected)) << "the dummy screen, round " << round;
    }
    if (refused.any()) GTEST_SKIP() << refused.reason();
}

TEST_F(PanelCacheTest, DrawPickerGivesTheConversionOfEveryPixelAtEveryValue) {
    const easel_test::PixelLayout formats[] = {{"dummy screen", 0, 0, 0, 0},
                                               easel_test::otherLayouts[0],
                                               easel_test::otherLayouts[1],
                                               easel_test::otherLayouts[2]};
    easel_test::RefusedLayouts refused;
    for (const easel_test::PixelLayout& m : formats) {
        SCOPED_TRACE(m.name);
        GuardedSurface other(300, 130, 300, m.r == 0 ? 0xFF0000u : m.r, m.r == 0 ? 0xFF00u : m.g,
                             m.r == 0 ? 0xFFu : m.b, m.a);
        if (!refused.made(other, m)) continue;
        ScopedScreen scope(m.r == 0 ? easel::Screen.surface : other.surface(), m.r == 0 ? 500 : 300,
                           m.r == 0 ? 500 : 130);
        for (int value = 0; value < 256; value += m.r == 0 ? 1 : 17) {
            easel::clearScreen(8, 4, 8);                   // a colour every format holds
            paint::drawPicker(value + 256 * (value % 3));  // only the low 8 bits count
            int wrong = 0;
            for (int y = 0; y < 128; ++y)
                for (int x = 0; x < 256; ++x)
                    wrong +=
                        *easel::detail::readPixelWord(x, y) !=
                        easel::detail::mapColor(easel::hsvToRgb(easel::HsvColor(x, 2 * y, value)));
            ASSERT_EQ(wrong, 0) << "value " << value;
            EXPECT_EQ(easel::getPixel(256, 0), RgbColor(8, 4, 8)) << "nothing right of the picker";
            EXPECT_EQ(easel::getPixel(0, 128), RgbColor(8, 4, 8)) << "nothing below the picker";
        }
    }
    if (refused.any()) GTEST_SKIP() << refused.reason();
}

}  // namespace
