#include "paint/panel.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "paint/state.h"
#include "easel/colour/convert.h"
#include "easel/display/screen.h"
#include "easel/text/font.h"
#include "paint/paint_fixture.h"
#include "support/screen_fixture.h"
#include "support/temp_directory.h"

namespace {

using easel::RgbColor;
using easel_test::Picture;
using paint_test::PaintTest;

const RgbColor background(236, 233, 216);
const RgbColor black(0, 0, 0);

// Runs the enclosed code in another working directory, then returns.
class InDirectory {
  public:
    explicit InDirectory(const std::string& path) {
        char buffer[4096] = {};
        if (getcwd(buffer, sizeof buffer) != nullptr) previous_ = buffer;
        entered_ = chdir(path.c_str()) == 0;
    }
    ~InDirectory() {
        if (!previous_.empty() && chdir(previous_.c_str()) != 0)
            ADD_FAILURE() << "could not return to " << previous_;
    }
    InDirectory(const InDirectory&) = delete;
    InDirectory& operator=(const InDirectory&) = delete;
    bool entered() const { return entered_; }

  private:
    std::string previous_;
    bool entered_ = false;
};

const std::string assetsDir = std::string(EASEL_SOURCE_DIR) + "/assets";

// A 25 x 25 image read straight from a 24-bit BMP file, without SDL.
struct Icon {
    bool loaded = false;
    RgbColor pixels[25][25];  // [y][x]
};

std::uint32_t little(const std::vector<unsigned char>& bytes, std::size_t at, int count) {
    std::uint32_t v = 0;
    for (int i = count - 1; i >= 0; --i) v = v * 256u + bytes[at + static_cast<std::size_t>(i)];
    return v;
}

Icon readBmp(const std::string& path) {
    Icon icon;
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)),
                                           std::istreambuf_iterator<char>());
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return icon;
    const std::uint32_t offset = little(bytes, 10, 4);
    const auto width = static_cast<std::int32_t>(little(bytes, 18, 4));
    const auto height = static_cast<std::int32_t>(little(bytes, 22, 4));
    if (little(bytes, 28, 2) != 24 || width < 25 || height < 25) return icon;
    const std::size_t rowSize = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    if (bytes.size() < offset + rowSize * static_cast<std::size_t>(height)) return icon;
    for (int y = 0; y < 25; ++y) {
        const std::size_t row = offset + rowSize * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < 25; ++x) {
            const std::size_t at = row + static_cast<std::size_t>(x) * 3;
            icon.pixels[y][x] = RgbColor(bytes[at + 2], bytes[at + 1], bytes[at]);
        }
    }
    icon.loaded = true;
    return icon;
}

// The loader's placeholder for a 25 x 25 icon, from the first seven glyphs of
// the font (rows as bytes, column 0 the most significant bit).
Icon placeholder() {
    static const unsigned char glyphs[7][8] = {
        {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
        {0x7E, 0x81, 0xA5, 0x81, 0xBD, 0x99, 0x81, 0x7E},
        {0x7E, 0xFF, 0xDB, 0xFF, 0xC3, 0xE7, 0xFF, 0x7E},
        {0x6C, 0xFE, 0xFE, 0xFE, 0x7C, 0x38, 0x10, 0x00},
        {0x10, 0x38, 0x7C, 0xFE, 0x7C, 0x38, 0x10, 0x00},
        {0x38, 0x7C, 0x38, 0xFE, 0xFE, 0xD6, 0x10, 0x38},
        {0x10, 0x10, 0x38, 0x7C, 0xFE, 0x7C, 0x10, 0x38},
    };
    auto bit = [](int glyph, int row, int column) {
        return ((glyphs[glyph][row] >> (7 - column)) & 1) * 255;
    };
    Icon icon;
    for (int x = 0; x < 25; ++x) {
        for (int y = 0; y < 25; ++y) {
            icon.pixels[y][x] =
                RgbColor(bit((x + y) / 8, y % 8, x % 8), bit((x + y) / 8, (x + y) % 8, x % 8),
                         bit(x / 8, y % 8, (x + y) % 8));
        }
    }
    icon.loaded = true;
    return icon;
}

struct ButtonPlace {
    const char* name;  // file name without the 1 or 2
    int tool;
    int x;
    int y;
};
const ButtonPlace buttonPlaces[] = {
    {"pen", 1, 300, 50}, {"brush", 2, 300, 75}, {"ink", 3, 400, 50}, {"clear", 4, 400, 75}};

// Compares the 25 x 25 square at (left, top) with an icon.
::testing::AssertionResult squareShows(const Picture& screen, int left, int top, const Icon& icon) {
    if (!icon.loaded) return ::testing::AssertionFailure() << "reference icon not loaded";
    int differing = 0;
    std::string first;
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 25; ++x) {
            const RgbColor got = screen.at(left + x, top + y);
            const RgbColor want = icon.pixels[y][x];
            if (got == want) continue;
            if (differing++ == 0) {
                char text[160];
                std::snprintf(text, sizeof text,
                              "first at (%d, %d): got (%d, %d, %d), want (%d, %d, %d)", left + x,
                              top + y, got.r, got.g, got.b, want.r, want.g, want.b);
                first = text;
            }
        }
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ; " << first;
}

// Whether (x, y) lies on one of the panel's fixed items other than the
// plain background: swatch, buttons or label cells.
bool onPanelItem(int x, int y) {
    struct Box {
        int x0, y0, x1, y1;
    };
    const Box boxes[] = {
        {430, 0, 459, 29},  {300, 50, 324, 74}, {300, 75, 324, 99}, {400, 50, 424, 74},
        {400, 75, 424, 99}, {300, 10, 419, 17}, {330, 58, 377, 65}, {330, 83, 369, 90},
        {430, 58, 453, 65}, {430, 83, 469, 90},
    };
    for (const Box& b : boxes)
        if (x >= b.x0 && x <= b.x1 && y >= b.y0 && y <= b.y1) return true;
    return false;
}

class PanelTest : public PaintTest {
  protected:
    // Draws the panel with the icons of the source tree and captures the screen.
    Picture drawn(int tool) {
        InDirectory in(assetsDir);
        EXPECT_TRUE(in.entered()) << assetsDir;
        paint::drawPanel(tool);
        return easel_test::capture();
    }
};

TEST_F(PanelTest, PickerIsTheHsvConversionAtEveryPixel) {
    for (int value : {255, 254, 128, 77, 1, 0}) {
        paint::paletteValue = static_cast<std::uint8_t>(value);
        const Picture screen = drawn(1);
        int differing = 0;
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 256; ++x) {
                const RgbColor want = easel::hsvToRgb(easel::HsvColor(x, 2 * y, value));
                if (screen.at(x, y) != want && differing++ == 0) {
                    ADD_FAILURE() << "value " << value << ": first difference at (" << x << ", "
                                  << y << ")";
                }
            }
        }
        EXPECT_EQ(differing, 0) << "value " << value;
    }
}

TEST_F(PanelTest, PaletteValueZeroBlackensOnlyThePicker) {
    const Picture bright = drawn(1);
    paint::paletteValue = 0;
    const Picture dark = drawn(1);
    int pickerNotBlack = 0;
    int restChanged = 0;
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 500; ++x) {
            if (x < 256) {
                pickerNotBlack += dark.at(x, y) != black;
            } else {
                restChanged += dark.at(x, y) != bright.at(x, y);
            }
        }
    }
    EXPECT_EQ(pickerNotBlack, 0);
    EXPECT_EQ(restChanged, 0);
}

TEST_F(PanelTest, ValueBarRunsFromBlackToAlmostWhite) {
    const Picture screen = drawn(1);
    for (int y = 0; y < 128; ++y) {
        for (int x = 256; x <= 271; ++x) {
            ASSERT_EQ(screen.at(x, y), RgbColor(2 * y, 2 * y, 2 * y))
                << "(" << x << ", " << y << ")";
        }
    }
    EXPECT_EQ(screen.at(271, 127), RgbColor(254, 254, 254));
    EXPECT_EQ(screen.at(256, 0), black);
    EXPECT_EQ(screen.at(272, 0), background);
}

// Away from the swatch, the buttons and the label cells (checked on their
// own) the panel right of the value bar is plain background.
TEST_F(PanelTest, BackgroundIsPlainApartFromItsItems) {
    const Picture screen = drawn(1);
    int wrong = 0;
    for (int y = 0; y < 128; ++y) {
        for (int x = 272; x < 500; ++x) {
            if (!onPanelItem(x, y)) wrong += screen.at(x, y) != background;
        }
    }
    EXPECT_EQ(wrong, 0);
    // Nothing below the panel is touched.
    for (int x = 0; x < 500; ++x) ASSERT_EQ(screen.at(x, 128), black) << "x " << x;
}

// Each label is its glyphs in black over the background, cell by cell.
TEST_F(PanelTest, LabelsAreBlackGlyphsOverTheBackground) {
    const Picture screen = drawn(1);
    struct Label {
        const char* text;
        int x;
        int y;
    };
    const Label labels[] = {{"Selected Color:", 300, 10},
                            {"Pencil", 330, 58},
                            {"Brush", 330, 83},
                            {"Ink", 430, 58},
                            {"Clear", 430, 83}};
    for (const Label& label : labels) {
        int wrong = 0;
        int ink = 0;
        for (int cell = 0; label.text[cell] != '\0'; ++cell) {
            const int glyph = static_cast<unsigned char>(label.text[cell]);
            for (int row = 0; row < 8; ++row) {
                for (int column = 0; column < 8; ++column) {
                    const bool set = easel::Font8x8[easel::fontIndex(glyph, row, column)] != 0;
                    ink += set;
                    const RgbColor got = screen.at(label.x + 8 * cell + column, label.y + row);
                    wrong += got != (set ? black : background);
                }
            }
        }
        EXPECT_EQ(wrong, 0) << label.text;
        EXPECT_GT(ink, 0) << label.text;
    }
}

TEST_F(PanelTest, SwatchFollowsTheSelectedColour) {
    const Picture before = drawn(1);
    EXPECT_EQ(before.at(430, 0), black);
    paint::selectedColor = RgbColor(12, 200, 77);
    const Picture after = drawn(1);
    int wrong = 0;
    for (int y = 0; y < 500; ++y) {
        for (int x = 0; x < 500; ++x) {
            const bool inSwatch = x >= 430 && x <= 459 && y <= 29;
            wrong += after.at(x, y) != (inSwatch ? RgbColor(12, 200, 77) : before.at(x, y));
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(PanelTest, EachButtonShowsItsImageUpOrPressed) {
    for (int tool : {0, 1, 2, 3, 4, 5, -1, 1000}) {
        const Picture screen = drawn(tool);
        for (const ButtonPlace& b : buttonPlaces) {
            const std::string file =
                assetsDir + "/" + b.name + (b.tool == tool ? "2" : "1") + ".bmp";
            EXPECT_TRUE(squareShows(screen, b.x, b.y, readBmp(file)))
                << "tool " << tool << ", " << file;
        }
    }
}

// IconBuffer keeps the last image loaded: the Clear button's, column by column.
TEST_F(PanelTest, IconBufferHoldsTheLastButtonImage) {
    drawn(4);
    const Icon clear = readBmp(assetsDir + "/clear2.bmp");
    ASSERT_TRUE(clear.loaded);
    for (int i = 0; i < 25; ++i)
        for (int j = 0; j < 25; ++j)
            ASSERT_EQ(paint::IconBuffer[i * 25 + j], clear.pixels[j][i]) << i << ", " << j;
}

TEST_F(PanelTest, MissingIconFilesShowThePlaceholder) {
    const Picture withIcons = drawn(2);
    Picture screen;
    {
        const easel_test::TempDirectory empty;
        ASSERT_TRUE(empty.ready());
        easel::clearScreen(0, 0, 0);
        paint::drawPanel(2);
        screen = easel_test::capture();
    }
    const Icon expected = placeholder();
    EXPECT_EQ(expected.pixels[0][9], RgbColor(255, 0, 255));
    EXPECT_EQ(expected.pixels[9][0], RgbColor(255, 255, 0));
    for (const ButtonPlace& b : buttonPlaces) {
        EXPECT_TRUE(squareShows(screen, b.x, b.y, expected)) << b.name;
    }
    // The rest of the panel is drawn completely, as with the files present.
    int wrong = 0;
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 500; ++x) {
            const bool onButton = (x >= 300 && x <= 324 && y >= 50 && y <= 99) ||
                                  (x >= 400 && x <= 424 && y >= 50 && y <= 99);
            if (!onButton) wrong += screen.at(x, y) != withIcons.at(x, y);
        }
    }
    EXPECT_EQ(wrong, 0);
}

// Button names that are not regular files are not read: a FIFO would block
// the panel (and the program) until a writer came along, and a folder or a
// symlink loop cannot be read. Each shows the placeholder, and the call
// returns (a FIFO that blocked would hang the test until its timeout).
TEST_F(PanelTest, IconNamesThatAreNotFilesShowThePlaceholderWithoutWaiting) {
    Picture screen;
    {
        const easel_test::TempDirectory dir;
        ASSERT_TRUE(dir.ready());
        ASSERT_EQ(mkfifo("pen2.bmp", 0600), 0);
        ASSERT_EQ(mkdir("brush1.bmp", 0700), 0);
        ASSERT_EQ(symlink("ink1.bmp", "ink1.bmp"), 0);
        easel::clearScreen(0, 0, 0);
        paint::drawPanel(1);
        paint::drawPanel(1);  // the second call reads the files again
        screen = easel_test::capture();
    }
    const Icon expected = placeholder();
    for (const ButtonPlace& b : buttonPlaces) {
        EXPECT_TRUE(squareShows(screen, b.x, b.y, expected)) << b.name;
    }
}

// The button files are 25 x 25 24-bit images, and the pressed one of each
// pair is darker than the up one.
TEST(IconFiles, PressedImagesAreDarker) {
    for (const ButtonPlace& b : buttonPlaces) {
        const Icon up = readBmp(assetsDir + "/" + b.name + "1.bmp");
        const Icon pressed = readBmp(assetsDir + "/" + b.name + "2.bmp");
        ASSERT_TRUE(up.loaded) << b.name;
        ASSERT_TRUE(pressed.loaded) << b.name;
        long upLight = 0;
        long pressedLight = 0;
        for (int y = 0; y < 25; ++y) {
            for (int x = 0; x < 25; ++x) {
                upLight += up.pixels[y][x].r + up.pixels[y][x].g + up.pixels[y][x].b;
                pressedLight +=
                    pressed.pixels[y][x].r + pressed.pixels[y][x].g + pressed.pixels[y][x].b;
            }
        }
        EXPECT_LT(pressedLight, upLight * 9 / 10) << b.name;
        // Lit from the top left when up, the other way round when pressed.
        const RgbColor upCorner = up.pixels[0][0];
        const RgbColor pressedCorner = pressed.pixels[0][0];
        EXPECT_GT(upCorner.r + upCorner.g + upCorner.b,
                  pressedCorner.r + pressedCorner.g + pressedCorner.b)
            << b.name;
    }
}

TEST_F(PanelTest, TooSmallAScreenIsLeftAlone) {
    const int width = easel::Screen.width;
    easel::Screen.width = 459;
    {
        InDirectory in(assetsDir);
        paint::drawPanel(1);
    }
    easel::Screen.width = width;
    EXPECT_TRUE(easel_test::screenMatches(Picture(black)));
}

}  // namespace
