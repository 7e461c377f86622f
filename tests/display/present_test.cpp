// updateDrawnRows presents every row that a library operation changed and
// nothing when nothing was drawn; writes made around the library are left to
// updateScreenIfChanged.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "easel/easel.h"
#include "support/screen_fixture.h"
#include "support/sdl_seams.h"

namespace {

using easel::RgbColor;
using easel_test::ScreenTest;

const RgbColor ink(200, 10, 20);

// One way of drawing, given the row it must change (the rows from it to 9
// below are free for it).
struct WritePath {
    const char* name;
    std::function<void(int)> draw;
};

std::vector<std::uint32_t> screenColumns() {
    std::vector<std::uint32_t> words(static_cast<std::size_t>(easel::Screen.width) *
                                     easel::Screen.height);
    for (int x = 0; x < easel::Screen.width; ++x)
        for (int y = 0; y < easel::Screen.height; ++y) {
            const RgbColor c = easel::getPixel(x, y);
            words[static_cast<std::size_t>(x) * easel::Screen.height + y] =
                static_cast<std::uint32_t>((c.r << 16) | (c.g << 8) | c.b);
        }
    return words;
}

const WritePath writePaths[] = {
    {"putPixel", [](int y) { easel::putPixel(7, y, ink); }},
    {"blendPixel", [](int y) { easel::blendPixel(7, y, 255, 255, 255, 128); }},
    {"blendSpan", [](int y) { easel::blendSpan(y, 3, 40, 255, 255, 255, 128); }},
    {"softDisc", [](int y) { easel::softDisc(60, y, 3, 255, 255, 255, 200); }},
    {"drawHorizontalLine", [](int y) { easel::drawHorizontalLine(y, 0, 30, ink); }},
    {"drawVerticalLine", [](int y) { easel::drawVerticalLine(9, y, y + 3, ink); }},
    {"drawLine", [](int y) { easel::drawLine(0, y, 40, y + 5, ink); }},
    {"drawLineClipped", [](int y) { easel::drawLineClipped(-5, y, 40, y, ink); }},
    {"drawCircle", [](int y) { easel::drawCircle(80, y + 4, 4, ink); }},
    {"drawDisc", [](int y) { easel::drawDisc(80, y + 4, 4, ink); }},
    {"fillRect", [](int y) { easel::fillRect(5, y, 50, y + 2, ink); }},
    {"fillRectClipped", [](int y) { easel::fillRectClipped(-5, y, 50, y + 2, ink); }},
    {"drawText", [](int y) { easel::drawText("W", 100, y, 255, 255, 255, true, 1, 2, 3, 0); }},
    {"drawImage", [](int y) { easel::drawImage(easel::Image(4, 3, ink), 120, y); }},
    {"blitBuffer",
     [](int y) {
         std::vector<std::uint32_t> words = screenColumns();
         words[static_cast<std::size_t>(130) * easel::Screen.height + y] = 0x123456u;
         easel::blitBuffer(words.data());
     }},
    {"clearScreen", [](int) { easel::clearScreen(1, 2, 3); }},
};

// The first and last rows where two pictures differ; {-1, -1} when none.
std::pair<int, int> changedRows(const easel_test::Picture& a, const easel_test::Picture& b) {
    std::pair<int, int> rows{-1, -1};
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            if (a.at(x, y) == b.at(x, y)) continue;
            if (rows.first < 0) rows.first = y;
            rows.second = y;
        }
    return rows;
}

class DrawnRowsTest : public ScreenTest {
  protected:
    int presents = 0;
    easel_test::OnScreenUpdate counter{[this] { ++presents; }};
};

TEST_F(DrawnRowsTest, EveryLibraryWriteIsPresentedByUpdateDrawnRows) {
    int y = 10;
    for (const WritePath& path : writePaths) {
        easel::updateScreenIfChanged();  // the screen as it stands is shown
        presents = 0;
        EXPECT_FALSE(easel::updateDrawnRows()) << path.name << ": nothing drawn yet";
        const easel_test::Picture before = easel_test::capture();
        path.draw(y);
        const std::pair<int, int> changed = changedRows(before, easel_test::capture());
        ASSERT_GE(changed.first, 0) << path.name << " drew nothing";
        EXPECT_TRUE(easel::updateDrawnRows()) << path.name;
        const SDL_Rect band = easel_test::lastScreenUpdate();
        EXPECT_LE(band.y, changed.first) << path.name;
        EXPECT_GE(band.y + band.h - 1, changed.second) << path.name;
        EXPECT_FALSE(easel::updateDrawnRows()) << path.name << ": shown already";
        EXPECT_EQ(presents, 1) << path.name;
        y += 12;
    }
}

TEST_F(DrawnRowsTest, DrawnRowsWithTheirShownPixelsAreNotPresentedAgain) {
    easel::updateDrawnRows();
    easel::putPixel(10, 400, ink);
    EXPECT_TRUE(easel::updateDrawnRows());
    presents = 0;
    easel::putPixel(10, 400, ink);  // the same colour again
    easel::clearScreen(0, 0, 0);
    easel::putPixel(10, 400, ink);  // every row rewritten, all as they were
    EXPECT_FALSE(easel::updateDrawnRows());
    EXPECT_EQ(presents, 0);
}

TEST_F(DrawnRowsTest, WritesAroundTheLibraryAreLeftToUpdateScreenIfChanged) {
    easel::updateScreenIfChanged();
    auto* words = static_cast<std::uint32_t*>(easel::Screen.surface->pixels);
    words[static_cast<std::size_t>(300) * (easel::Screen.surface->pitch / 4) + 5] = 0x00FFFFFFu;
    EXPECT_FALSE(easel::updateDrawnRows());
    EXPECT_TRUE(easel::updateScreenIfChanged());
    EXPECT_EQ(easel_test::lastScreenUpdate().y, 300);
    EXPECT_FALSE(easel::updateDrawnRows());
}

}  // namespace
