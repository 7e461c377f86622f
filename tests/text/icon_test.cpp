#include "easel/text/icon.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "easel/text/detail/icon_streams.h"
#include "easel/text/detail/kept_icon_file.h"
#include "easel/text/font.h"
#include "support/screen_fixture.h"
#include "support/temp_directory.h"

namespace {

class IconTest : public easel_test::ScreenTest {};

using easel::RgbColor;

// The colour that the test images hold at (x, y).
struct Pixel {
    int r = 0, g = 0, b = 0;
    int extra = 0;  // the fourth byte of a 32-bit pixel
};
using PixelAt = std::function<Pixel(int x, int y)>;

void putLe(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// The header of a test image: a BITMAPINFOHEADER without compression unless
// changed. Bit-field masks (red, green, blue, alpha) follow a 40-byte header
// and sit inside larger ones. The gap bytes between the headers and the
// pixels read as the masks 0xFF, 0xFF00, 0xFF0000 (red and blue swapped).
struct Layout {
    int bpp = 24;
    std::uint32_t infoSize = 40;
    std::uint32_t compression = 0;
    std::uint32_t masks[4] = {};
    int gap = 0;
    bool topDown = false;  // a negative height, rows stored top row first
};

// A Windows BMP (bottom-up rows, each padded to 4 bytes) of 8, 16, 24 or 32
// bits per pixel. The 8-bit image has a grey palette and stores r as index;
// the 16-bit one stores 5 bits per channel; a 32-bit pixel is the value
// extra << 24 | r << 16 | g << 8 | b.
std::vector<std::uint8_t> makeBmp(int w, int h, const Layout& layout, const PixelAt& at) {
    const int bpp = layout.bpp;
    const int rowBytes = (w * bpp / 8 + 3) / 4 * 4;
    const int paletteBytes = bpp == 8 ? 256 * 4 : 0;
    const bool maskAfter = layout.infoSize == 40 && layout.compression == 3;
    const int offset =
        14 + static_cast<int>(layout.infoSize) + (maskAfter ? 12 : 0) + paletteBytes + layout.gap;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    putLe(out, static_cast<std::uint32_t>(offset + rowBytes * h), 4);
    putLe(out, 0, 4);
    putLe(out, static_cast<std::uint32_t>(offset), 4);
    putLe(out, layout.infoSize, 4);
    const int sizeBytes = layout.infoSize == 12 ? 2 : 4;
    putLe(out, static_cast<std::uint32_t>(w), sizeBytes);
    putLe(out, static_cast<std::uint32_t>(layout.topDown ? -h : h), sizeBytes);
    putLe(out, 1, 2);
    putLe(out, static_cast<std::uint32_t>(bpp), 2);
    if (layout.infoSize > 12) {
        const auto imageBytes = static_cast<std::uint32_t>(rowBytes * h);
        for (std::uint32_t v : {layout.compression, imageBytes, 2835u, 2835u, 0u, 0u})
            putLe(out, v, 4);
        const int maskCount = maskAfter ? 3 : std::clamp((int(layout.infoSize) - 40) / 4, 0, 4);
        for (int i = 0; i < maskCount; ++i) putLe(out, layout.masks[i], 4);
        out.resize(static_cast<size_t>(offset - paletteBytes - layout.gap), 0);
    }
    for (int i = 0; i < paletteBytes / 4; ++i)
        putLe(out, static_cast<std::uint32_t>(i * 0x010101), 4);
    const std::uint32_t swappedMasks[] = {0xFF, 0xFF00, 0xFF0000};
    for (int i = 0; i < layout.gap; ++i)
        out.push_back(static_cast<std::uint8_t>(swappedMasks[i / 4 % 3] >> (8 * (i % 4))));
    for (int row = 0; row < h; ++row) {
        const int y = layout.topDown ? row : h - 1 - row;
        const size_t start = out.size();
        for (int x = 0; x < w; ++x) {
            const Pixel p = at(x, y);
            if (bpp == 8) {
                out.push_back(static_cast<std::uint8_t>(p.r));
            } else if (bpp == 16) {
                putLe(out,
                      static_cast<std::uint32_t>((p.r >> 3) << 10 | (p.g >> 3) << 5 | p.b >> 3), 2);
            } else {
                out.push_back(static_cast<std::uint8_t>(p.b));
                out.push_back(static_cast<std::uint8_t>(p.g));
                out.push_back(static_cast<std::uint8_t>(p.r));
                if (bpp == 32) out.push_back(static_cast<std::uint8_t>(p.extra));
            }
        }
        while (out.size() - start < static_cast<size_t>(rowBytes)) out.push_back(0xEE);
    }
    return out;
}

std::vector<std::uint8_t> makeBmp(int w, int h, int bpp, const PixelAt& at) {
    Layout layout;
    layout.bpp = bpp;
    return makeBmp(w, h, layout, at);
}

// The value of a 24- or 32-bit pixel as stored in the file.
std::uint32_t fileValue(const Pixel& p, int bpp) {
    const std::uint32_t extra = bpp == 32 ? static_cast<std::uint32_t>(p.extra) << 24 : 0;
    return extra | static_cast<std::uint32_t>(p.r << 16 | p.g << 8 | p.b);
}

// A private folder for the test's files, removed at the end.
class IconFiles {
  public:
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = dir_.file(name);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        EXPECT_NE(f, nullptr) << path;
        if (f == nullptr) return path;
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        return path;
    }
    std::string missing() const { return dir_.file("no-such-icon.bmp"); }

  private:
    easel_test::TempDirectory dir_{false};
};

int font(std::int64_t g, std::int64_t r, std::int64_t c) {
    return easel::Font8x8[(g % 256) * 64 + (r % 8) * 8 + c % 8];
}

// The placeholder colour of element (x, y), straight from its description.
RgbColor placeholder(int x, int y) {
    return RgbColor(255 * font((x + y) / 8, y, x), 255 * font((x + y) / 8, x + y, x),
                    255 * font(x / 8, y, x + y));
}

Pixel gradient(int x, int y) {
    return {(x * 7 + 3) & 255, (y * 11 + 5) & 255, (x + y) & 255, (x * y) & 255};
}

// Checks a loaded colour array: the image where it overlaps, the placeholder
// elsewhere; reports the first wrong element.
::testing::AssertionResult holdsImage(const std::vector<RgbColor>& dest, int w, int h, int imageW,
                                      int imageH, const PixelAt& at) {
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            RgbColor want = placeholder(x, y);
            if (x < imageW && y < imageH) {
                const Pixel p = at(x, y);
                want = RgbColor(p.r, p.g, p.b);
            }
            const RgbColor got = dest[static_cast<size_t>(x) * h + y];
            if (got != want) {
                return ::testing::AssertionFailure()
                       << "element (" << x << ", " << y << ") is (" << got.r << ", " << got.g
                       << ", " << got.b << "), expected (" << want.r << ", " << want.g << ", "
                       << want.b << ")";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult holdsPlaceholder(const std::vector<RgbColor>& dest, int w, int h) {
    return holdsImage(dest, w, h, 0, 0, gradient);
}

TEST_F(IconTest, MissingIconLeavesThePlaceholder) {
    IconFiles files;
    std::vector<RgbColor> dest(25 * 25, RgbColor(1, 2, 3));
    EXPECT_FALSE(easel::loadIcon(files.missing().c_str(), dest.data(), 25, 25));
    struct Case {
        int x, y;
        RgbColor colour;
    };
    const Case cases[] = {{0, 0, {0, 0, 0}},
                          {9, 0, {255, 0, 255}},
                          {0, 9, {255, 255, 0}},
                          {1, 8, {255, 0, 0}},
                          {12, 12, {255, 255, 255}}};
    for (const Case& c : cases) {
        EXPECT_EQ(dest[static_cast<size_t>(c.x) * 25 + c.y], c.colour) << c.x << ", " << c.y;
    }
    EXPECT_TRUE(holdsPlaceholder(dest, 25, 25));
}

TEST_F(IconTest, PlaceholderCoversOddShapes) {
    IconFiles files;
    for (auto [w, h] : {std::pair{1, 1}, {40, 17}, {3, 300}, {300, 2}}) {
        std::vector<RgbColor> dest(static_cast<size_t>(w) * h, RgbColor(1, 2, 3));
        EXPECT_FALSE(easel::loadIcon(files.missing().c_str(), dest.data(), w, h));
        EXPECT_TRUE(holdsPlaceholder(dest, w, h)) << w << " x " << h;
    }
}

TEST_F(IconTest, TrueColourImagesOfEverySizeFillTheOverlap) {
    IconFiles files;
    struct Case {
        int bpp, imageW, imageH;
    };
    // Widths 1, 2, 3, 5 and 25 give rows padded by every amount at 24 bits.
    const Case cases[] = {{24, 25, 25}, {24, 40, 10}, {24, 10, 7}, {24, 1, 30},
                          {24, 2, 3},   {24, 3, 26},  {24, 5, 5},  {32, 25, 25},
                          {32, 40, 10}, {32, 7, 31},  {32, 1, 1}};
    for (const Case& c : cases) {
        const std::string path =
            files.write("icon" + std::to_string(c.bpp) + "_" + std::to_string(c.imageW) + "x" +
                            std::to_string(c.imageH) + ".bmp",
                        makeBmp(c.imageW, c.imageH, c.bpp, gradient));
        std::vector<RgbColor> dest(25 * 25, RgbColor(1, 2, 3));
        EXPECT_TRUE(easel::loadIcon(path.c_str(), dest.data(), 25, 25)) << path;
        EXPECT_TRUE(holdsImage(dest, 25, 25, c.imageW, c.imageH, gradient)) << path;
    }
}

TEST_F(IconTest, TopRightPixelLandsInTheLastColumn) {
    IconFiles files;
    const PixelAt corners = [](int x, int y) {
        if (x == 0 && y == 0) return Pixel{255, 0, 0, 0};
        if (x == 24 && y == 0) return Pixel{0, 0, 255, 0};
        return Pixel{0, 255, 0, 0};
    };
    const std::string path = files.write("corners.bmp", makeBmp(25, 25, 24, corners));
    std::vector<RgbColor> dest(25 * 25);
    ASSERT_TRUE(easel::loadIcon(path.c_str(), dest.data(), 25, 25));
    EXPECT_EQ(dest[0], RgbColor(255, 0, 0));
    EXPECT_EQ(dest[24 * 25], RgbColor(0, 0, 255));
    EXPECT_EQ(dest[24], RgbColor(0, 255, 0));
}

TEST_F(IconTest, UnsupportedOrBrokenFilesAreRefused) {
    IconFiles files;
    std::vector<std::uint8_t> truncated = makeBmp(25, 25, 24, gradient);
    truncated.resize(truncated.size() / 2);
    std::vector<std::uint8_t> headerOnly = makeBmp(25, 25, 24, gradient);
    headerOnly.resize(30);
    std::vector<std::uint8_t> oddDepth = makeBmp(25, 25, 32, gradient);
    oddDepth[28] = 25;  // SDL 1.2.15 reads 25 bits per pixel as 4 bytes, SDL2 refuses them
    const std::vector<std::uint8_t> text = {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p', '\n'};
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> cases = {
        {"palette.bmp", makeBmp(25, 25, 8, gradient)},
        {"sixteen.bmp", makeBmp(25, 25, 16, gradient)},
        {"truncated.bmp", truncated},
        {"header.bmp", headerOnly},
        {"depth25.bmp", oddDepth},
        {"text.bmp", text},
        {"empty.bmp", {}},
    };
    for (const auto& [name, bytes] : cases) {
        const std::string path = files.write(name, bytes);
        std::vector<RgbColor> dest(25 * 25, RgbColor(1, 2, 3));
        EXPECT_FALSE(easel::loadIcon(path.c_str(), dest.data(), 25, 25)) << name;
        EXPECT_TRUE(holdsPlaceholder(dest, 25, 25)) << name;
        std::vector<std::uint32_t> raw(25 * 25, 7);
        EXPECT_FALSE(easel::loadIconRaw(path.c_str(), raw.data(), 25, 25)) << name;
        EXPECT_EQ(raw[9 * 25], 255u) << name;
    }
}

TEST_F(IconTest, RawLoaderStoresPixelValuesInTheImageFormat) {
    IconFiles files;
    const std::string path24 = files.write("raw24.bmp", makeBmp(6, 4, 24, gradient));
    const std::string path32 = files.write("raw32.bmp", makeBmp(6, 4, 32, gradient));
    for (const std::string& path : {path24, path32}) {
        const bool wide = path == path32;
        std::vector<std::uint32_t> dest(8 * 8, 7);
        ASSERT_TRUE(easel::loadIconRaw(path.c_str(), dest.data(), 8, 8));
        for (int x = 0; x < 8; ++x) {
            for (int y = 0; y < 8; ++y) {
                std::uint32_t want = static_cast<std::uint32_t>(placeholder(x, y).r);
                if (x < 6 && y < 4) {
                    const Pixel p = gradient(x, y);
                    want = static_cast<std::uint32_t>(p.r << 16 | p.g << 8 | p.b);
                    if (wide) want |= static_cast<std::uint32_t>(p.extra) << 24;
                }
                EXPECT_EQ(dest[static_cast<size_t>(x) * 8 + y], want)
                    << path << " element (" << x << ", " << y << ")";
            }
        }
    }
}

TEST_F(IconTest, MissingRawIconLeavesTheRedPlaceholder) {
    IconFiles files;
    std::vector<std::uint32_t> dest(30 * 20, 7);
    EXPECT_FALSE(easel::loadIconRaw(files.missing().c_str(), dest.data(), 30, 20));
    for (int x = 0; x < 30; ++x)
        for (int y = 0; y < 20; ++y)
            ASSERT_EQ(dest[static_cast<size_t>(x) * 20 + y],
                      static_cast<std::uint32_t>(placeholder(x, y).r))
                << x << ", " << y;
}

// Zero or negative sizes write nothing but still load; a null array with a
// real size is refused.
TEST_F(IconTest, EmptyOrNullDestinations) {
    IconFiles files;
    const std::string path = files.write("ok.bmp", makeBmp(4, 4, 24, gradient));
    for (auto [w, h] :
         {std::pair{0, 25}, {25, 0}, {0, 0}, {-3, 25}, {25, -1}, {INT_MIN, INT_MIN}}) {
        std::vector<RgbColor> dest(4, RgbColor(1, 2, 3));
        EXPECT_TRUE(easel::loadIcon(path.c_str(), dest.data(), w, h)) << w << " x " << h;
        EXPECT_EQ(dest, std::vector<RgbColor>(4, RgbColor(1, 2, 3))) << w << " x " << h;
        std::vector<std::uint32_t> raw(4, 7);
        EXPECT_TRUE(easel::loadIconRaw(path.c_str(), raw.data(), w, h)) << w << " x " << h;
        EXPECT_EQ(raw, std::vector<std::uint32_t>(4, 7u));
        EXPECT_TRUE(easel::loadIcon(path.c_str(), nullptr, w, h)) << w << " x " << h;
    }
    EXPECT_FALSE(easel::loadIcon(path.c_str(), nullptr, 25, 25));
    EXPECT_FALSE(easel::loadIconRaw(path.c_str(), nullptr, 1, 1));
    EXPECT_FALSE(easel::loadIcon(nullptr, nullptr, 0, 0));
}

TEST_F(IconTest, StreamAndMemoryLoadersMatchTheFileLoader) {
    IconFiles files;
    const std::vector<std::uint8_t> bytes = makeBmp(13, 30, 24, gradient);
    const std::string path = files.write("shared.bmp", bytes);
    std::vector<RgbColor> fromFile(20 * 20), fromStream(20 * 20), fromMemory(20 * 20);
    ASSERT_TRUE(easel::loadIcon(path.c_str(), fromFile.data(), 20, 20));
    ASSERT_TRUE(
        easel::detail::loadIconFrom(SDL_RWFromFile(path.c_str(), "rb"), fromStream.data(), 20, 20));
    ASSERT_TRUE(easel::loadIconFromMemory(bytes.data(), bytes.size(), fromMemory.data(), 20, 20));
    EXPECT_TRUE(holdsImage(fromFile, 20, 20, 13, 30, gradient));
    EXPECT_EQ(fromStream, fromFile);
    EXPECT_EQ(fromMemory, fromFile);

    std::vector<std::uint32_t> rawFile(20 * 20), rawMemory(20 * 20);
    ASSERT_TRUE(easel::loadIconRaw(path.c_str(), rawFile.data(), 20, 20));
    ASSERT_TRUE(
        easel::detail::loadIconRawFromMemory(bytes.data(), bytes.size(), rawMemory.data(), 20, 20));
    EXPECT_EQ(rawMemory, rawFile);

    std::vector<RgbColor> none(20 * 20);
    EXPECT_FALSE(easel::detail::loadIconFrom(nullptr, none.data(), 20, 20));
    EXPECT_TRUE(holdsPlaceholder(none, 20, 20));
    EXPECT_FALSE(easel::loadIconFromMemory(nullptr, 100, none.data(), 20, 20));
    EXPECT_FALSE(easel::detail::loadIconRawFromMemory(bytes.data(), 0, rawMemory.data(), 20, 20));
}

// Every prefix of a valid file either loads or leaves the placeholder; none
// reads past the buffer (the sanitizer build checks the reads).
TEST_F(IconTest, EveryTruncationOfAFileIsSafe) {
    for (int bpp : {24, 32}) {
        const std::vector<std::uint8_t> bytes = makeBmp(5, 3, bpp, gradient);
        for (size_t n = 0; n < bytes.size(); ++n) {
            const std::vector<std::uint8_t> prefix(bytes.begin(),
                                                   bytes.begin() + static_cast<ptrdiff_t>(n));
            std::vector<RgbColor> dest(6 * 6);
            if (!easel::loadIconFromMemory(prefix.data(), prefix.size(), dest.data(), 6, 6)) {
                EXPECT_TRUE(holdsPlaceholder(dest, 6, 6)) << bpp << " bits, " << n << " bytes";
            }
        }
    }
}

// Names that are not regular files are refused without being opened: a FIFO
// would otherwise block the loader until a writer came along (for ever, in
// the paint program). A folder and a dangling symlink are refused as well.
TEST_F(IconTest, NamesThatAreNotRegularFilesAreRefusedWithoutWaiting) {
    IconFiles files;
    const std::string base = files.write("good.bmp", makeBmp(3, 3, 24, gradient));
    const std::string dir = base.substr(0, base.rfind('/'));
    const std::string fifo = dir + "/fifo.bmp";
    const std::string folder = dir + "/folder.bmp";
    const std::string dangling = dir + "/dangling.bmp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    ASSERT_EQ(symlink((dir + "/nothing-here").c_str(), dangling.c_str()), 0);
    for (const std::string& path : {fifo, folder, dangling}) {
        std::vector<RgbColor> dest(25 * 25, RgbColor(1, 2, 3));
        EXPECT_FALSE(easel::loadIcon(path.c_str(), dest.data(), 25, 25)) << path;
        EXPECT_TRUE(holdsPlaceholder(dest, 25, 25)) << path;
        std::vector<std::uint32_t> raw(25 * 25, 7);
        EXPECT_FALSE(easel::loadIconRaw(path.c_str(), raw.data(), 25, 25)) << path;
        EXPECT_EQ(raw[9 * 25], 255u) << path;
    }
    std::remove(fifo.c_str());
    rmdir(folder.c_str());
    std::remove(dangling.c_str());
    // A symlink to a good file is followed as before.
    std::vector<RgbColor> dest(25 * 25);
    EXPECT_TRUE(easel::loadIcon(base.c_str(), dest.data(), 25, 25));
}

// The header's size is checked against the bytes that follow it: a header that
// announces far more pixels than the stream holds is refused before SDL
// allocates the image, while a file holding exactly its rows still loads.
TEST_F(IconTest, HeadersAnnouncingMorePixelsThanTheFileHoldsAreRefused) {
    struct Case {
        const char* name;
        std::int32_t width;
        std::int32_t height;
    };
    const Case cases[] = {
        {"40000 x 40000", 40000, 40000},
        {"INT_MAX wide", INT_MAX, 1},
        {"INT_MIN high (top-down)", 2, INT_MIN},
        {"negative width", -3, 3},
        {"one row too many", 5, 4},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = makeBmp(5, 3, 24, gradient);
        for (int i = 0; i < 4; ++i) {
            bytes[18 + i] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(c.width) >> (8 * i));
            bytes[22 + i] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(c.height) >> (8 * i));
        }
        std::vector<RgbColor> dest(6 * 6, RgbColor(1, 2, 3));
        EXPECT_FALSE(easel::loadIconFromMemory(bytes.data(), bytes.size(), dest.data(), 6, 6))
            << c.name;
        EXPECT_TRUE(holdsPlaceholder(dest, 6, 6)) << c.name;
    }
    // Exactly the announced rows load; one byte less does not.
    const std::vector<std::uint8_t> exact = makeBmp(5, 3, 24, gradient);
    std::vector<RgbColor> dest(6 * 6);
    EXPECT_TRUE(easel::loadIconFromMemory(exact.data(), exact.size(), dest.data(), 6, 6));
    EXPECT_TRUE(holdsImage(dest, 6, 6, 5, 3, gradient));
    EXPECT_FALSE(easel::loadIconFromMemory(exact.data(), exact.size() - 1, dest.data(), 6, 6));
    EXPECT_TRUE(holdsPlaceholder(dest, 6, 6));
}

// SDL 1.2 refuses compressions other than none (0) and bit fields (3);
// other SDLs decode some of them as uncompressed. The loaders refuse them
// before SDL sees them, whichever SDL runs.
TEST_F(IconTest, CompressionsOtherThanNoneAndBitfieldsAreRefused) {
    for (const std::uint32_t compression : {1u, 2u, 4u, 99u, 0xFFFFFFFFu}) {
        std::vector<std::uint8_t> bytes = makeBmp(5, 3, 24, gradient);
        for (int i = 0; i < 4; ++i)
            bytes[30 + i] = static_cast<std::uint8_t>(compression >> (8 * i));
        std::vector<RgbColor> dest(6 * 6, RgbColor(1, 2, 3));
        EXPECT_FALSE(easel::loadIconFromMemory(bytes.data(), bytes.size(), dest.data(), 6, 6))
            << compression;
        EXPECT_TRUE(holdsPlaceholder(dest, 6, 6)) << compression;
    }
}

// SDL 1.2.15 and SDL over SDL2 read some BMP layouts differently: bit fields
// that SDL2 has no format for, made-up or OS/2 2.x info header sizes, colour
// masks in a gap before uncompressed 32-bit pixels, fourth bytes that are all
// 0. The loaders refuse the first two and read the others as the file means
// them (8-bit red, green, blue from the top down without compression), with
// raw values exactly the file's bytes.
TEST_F(IconTest, LayoutsAreReadAsTheFileMeansThemOrRefusedWhicheverSdlRuns) {
    constexpr std::uint32_t bits = 3;
    const PixelAt zeroFourth = [](int x, int y) { return Pixel{x * 40, y * 40, 200, 0}; };
    const PixelAt firstStoredZero = [](int x, int y) { return Pixel{x, y, 9, (x + y) ? 7 : 0}; };
    struct Case {
        const char* name;
        Layout layout;
        bool loads;
        PixelAt at = gradient;
    };
    const Case cases[] = {
        {"x-r-g-b bit fields", {32, 40, bits, {0xFF0000, 0xFF00, 0xFF, 0}}, true},
        {"a-b-g-r, 56 bytes", {32, 56, bits, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}}, true},
        {"b-g-r-a, 124 bytes", {32, 124, bits, {0xFF00, 0xFF0000, 0xFF000000, 0xFF}}, true},
        {"5-6-5 in 32 bits", {32, 40, bits, {0xF800, 0x7E0, 0x1F, 0}}, false},
        {"r-b-g order", {32, 40, bits, {0xFF0000, 0xFF, 0xFF00, 0}}, false},
        {"alpha on blue", {32, 108, bits, {0xFF0000, 0xFF00, 0xFF, 0xFF}}, false},
        {"bit fields, 24 bits", {24, 40, bits, {0xFF0000, 0xFF00, 0xFF, 0}}, false},
        {"OS/2 1.x header", {24, 12}, true},
        {"OS/2 2.x header", {32, 64}, false},
        {"100-byte header", {32, 100}, false},
        {"4-byte gap", {32, 40, 0, {}, 4}, true},
        {"12-byte gap, OS/2", {32, 12, 0, {}, 12}, true},
        {"20-byte gap, 108 bytes", {32, 108, 0, {}, 20}, true},
        {"fourth bytes 0", {32}, true, zeroFourth},
        {"first stored fourth byte 0", {32}, true, firstStoredZero},
        {"... top down", {32, 40, 0, {}, 0, true}, true, firstStoredZero},
    };
    const std::uint32_t standard[4] = {0xFF0000, 0xFF00, 0xFF, 0};
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> bytes = makeBmp(6, 5, c.layout, c.at);
        std::vector<RgbColor> dest(6 * 5);
        std::vector<std::uint32_t> raw(6 * 5), want(6 * 5);
        const auto* data = bytes.data();
        EXPECT_EQ(easel::loadIconFromMemory(data, bytes.size(), dest.data(), 6, 5), c.loads)
            << c.name;
        EXPECT_EQ(easel::detail::loadIconRawFromMemory(data, bytes.size(), raw.data(), 6, 5),
                  c.loads)
            << c.name;
        const std::uint32_t* masks = c.layout.compression == bits ? c.layout.masks : standard;
        const PixelAt read = [&](int x, int y) {
            const std::uint32_t v = fileValue(c.at(x, y), c.layout.bpp);
            const auto channel = [v](std::uint32_t m) { return int((v & m) / (m & (~m + 1))); };
            return Pixel{channel(masks[0]), channel(masks[1]), channel(masks[2])};
        };
        EXPECT_TRUE(holdsImage(dest, 6, 5, c.loads ? 6 : 0, 5, read)) << c.name;
        for (size_t i = 0; i < want.size(); ++i) {
            const int x = int(i / 5), y = int(i % 5);
            want[i] =
                c.loads ? fileValue(c.at(x, y), c.layout.bpp) : std::uint32_t(placeholder(x, y).r);
        }
        EXPECT_EQ(raw, want) << c.name;
    }
}

// A sparse file announces as many pixels as it likes for a few bytes on
// disk; images above 4096 x 4096 pixels are refused before SDL allocates
// them, however long the file.
TEST_F(IconTest, ImagesAboveTheSizeCapAreRefusedEvenWhenTheFileIsLongEnough) {
    IconFiles files;
    struct Case {
        std::int32_t width, height;
        off_t length;  // room for every row at 32 bits
    };
    const Case cases[] = {{16383, 32767, 2147287098}, {4097, -4096, off_t{4097} * 4096 * 4 + 54}};
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = makeBmp(1, 1, 24, gradient);
        for (int i = 0; i < 4; ++i) {
            bytes[18 + i] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(c.width) >> (8 * i));
            bytes[22 + i] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(c.height) >> (8 * i));
        }
        bytes[28] = 32;
        const std::string path = files.write("sparse.bmp", bytes);
        ASSERT_EQ(truncate(path.c_str(), c.length), 0);
        std::vector<RgbColor> dest(25 * 25, RgbColor(1, 2, 3));
        EXPECT_FALSE(easel::loadIcon(path.c_str(), dest.data(), 25, 25)) << c.width;
        EXPECT_TRUE(holdsPlaceholder(dest, 25, 25)) << c.width;
    }
}

using ReadFile = std::function<long(const char*, void*, std::size_t)>;

// readIconFile, and one KeptIconFile reading name after name, give a regular
// file's bytes whole, and refuse without waiting what the loaders refuse to
// open: a FIFO, a folder, a dangling link.
TEST(ReadIconFile, ReadsRegularFilesWholeAndNothingElse) {
    easel::detail::KeptIconFile kept;
    const std::pair<const char*, ReadFile> readers[] = {
        {"readIconFile", easel::detail::readIconFile},
        {"KeptIconFile",
         [&kept](const char* name, void* into, std::size_t capacity) {
             return kept.read(name, into, capacity);
         }},
    };
    for (const auto& [reader, read] : readers) {
        IconFiles files;
        const std::vector<std::uint8_t> text = {'s', 'i', 'x', 't', 'e', 'e', 'n', ' ',
                                                'b', 'y', 't', 'e', 's', '.', '.', '.'};
        const std::string path = files.write("file.bmp", text);
        std::vector<std::uint8_t> bytes(32, 0);
        EXPECT_EQ(read(path.c_str(), bytes.data(), 16), 16) << reader;
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 16), text) << reader;
        EXPECT_EQ(read(path.c_str(), bytes.data(), 15), -1) << reader << ": one byte too many";
        EXPECT_EQ(read(files.write("empty.bmp", {}).c_str(), bytes.data(), 0), 0) << reader;

        const std::string dir = path.substr(0, path.rfind('/'));
        ASSERT_EQ(mkfifo((dir + "/fifo.bmp").c_str(), 0600), 0);
        ASSERT_EQ(mkdir((dir + "/folder.bmp").c_str(), 0700), 0);
        ASSERT_EQ(symlink((dir + "/nothing").c_str(), (dir + "/dangling.bmp").c_str()), 0);
        ASSERT_EQ(symlink(path.c_str(), (dir + "/link.bmp").c_str()), 0);
        for (const char* name : {"/fifo.bmp", "/folder.bmp", "/dangling.bmp", "/missing.bmp"}) {
            EXPECT_EQ(read((dir + name).c_str(), bytes.data(), 32), -1) << reader << name;
        }
        EXPECT_EQ(read((dir + "/link.bmp").c_str(), bytes.data(), 32), 16) << reader;
        EXPECT_EQ(read(nullptr, bytes.data(), 32), -1) << reader;
    }
}

// A kept file reads what its name stands for now: a file rewritten in place
// (the same file, kept open), replaced, removed, made a FIFO or a folder.
TEST(ReadIconFile, AKeptFileFollowsWhatItsNameStandsFor) {
    IconFiles files;
    easel::detail::KeptIconFile kept;
    const std::string path = files.write("icon.bmp", {1, 2, 3});
    const std::string other = files.write("other.bmp", {9, 9});
    std::vector<std::uint8_t> bytes(8, 0);
    const auto read = [&](const std::string& name) {
        const long size = kept.read(name.c_str(), bytes.data(), bytes.size());
        return size < 0 ? std::vector<std::uint8_t>{0xEE}
                        : std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + size);
    };
    const std::vector<std::uint8_t> refused{0xEE};
    EXPECT_EQ(read(path), (std::vector<std::uint8_t>{1, 2, 3}));
    files.write("icon.bmp", {4, 5, 6, 7});  // truncated and written: the same file
    EXPECT_EQ(read(path), (std::vector<std::uint8_t>{4, 5, 6, 7}));
    files.write("icon.bmp", {8});
    EXPECT_EQ(read(path), (std::vector<std::uint8_t>{8}));
    EXPECT_EQ(read(other), (std::vector<std::uint8_t>{9, 9}));
    EXPECT_EQ(read(path), (std::vector<std::uint8_t>{8}));
    ASSERT_EQ(std::rename(other.c_str(), path.c_str()), 0);
    EXPECT_EQ(read(path), (std::vector<std::uint8_t>{9, 9}));
    ASSERT_EQ(std::remove(path.c_str()), 0);
    EXPECT_EQ(read(path), refused);
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(read(path), refused);
    ASSERT_EQ(std::remove(path.c_str()), 0);
    files.write("icon.bmp", {1});
    EXPECT_EQ(read(path), (std::vector<std::uint8_t>{1}));
    ASSERT_EQ(std::remove(path.c_str()), 0);
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    EXPECT_EQ(read(path), refused);
}

}  // namespace
