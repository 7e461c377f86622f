#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "easel/image/draw.h"
#include "easel/image/load.h"
#include "easel/image/save.h"
#include "support/screen_fixture.h"
#include "support/temp_directory.h"

namespace {

using easel::Image;
using easel::RgbColor;

Image randomImage(int w, int h, unsigned seed) {
    Image image(w, h);
    std::mt19937 rng(seed);
    std::uint32_t* p = image.pixels();
    for (int i = 0; i < w * h; ++i) p[i] = 0xFF000000u | (rng() & 0xFFFFFFu);
    return image;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The names in a folder, to see that no temporary file is left behind.
std::vector<std::string> entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        names.push_back(e.path().filename().string());
    }
    return names;
}

// A PNG signature and IHDR given whole, with the chunk's CRC: a header that
// a decoder reads to the end before it looks at the size.
std::string withIhdrCrc(const std::string& header) {
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(header.data()) + 12, 17);
    std::string out = header;
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(crc >> shift));
    return out;
}

std::string data(const std::string& name) {
    return std::string(EASEL_TEST_DATA_DIR) + "/images/" + name;
}

TEST(ImageLoadSave, SavedPngAndBmpLoadBackPixelForPixelAtOddSizes) {
    easel_test::TempDirectory dir;
    ASSERT_TRUE(dir.ready());
    const int sizes[][2] = {{1, 1}, {3, 5}, {17, 2}, {2, 31}, {501, 7}, {64, 64}};
    unsigned seed = 1;
    for (const auto& size : sizes) {
        for (const char* ending : {".png", ".bmp", ".PNG"}) {
            const Image image = randomImage(size[0], size[1], seed++);
            const std::string name =
                dir.file(std::to_string(size[0]) + "x" + std::to_string(size[1]) + ending);
            std::string why;
            ASSERT_TRUE(easel::saveImage(image, name.c_str(), &why)) << name << ": " << why;
            const std::optional<Image> back = easel::loadImage(name.c_str(), &why);
            ASSERT_TRUE(back.has_value()) << name << ": " << why;
            EXPECT_EQ(back->width(), image.width()) << name;
            EXPECT_EQ(back->height(), image.height()) << name;
            EXPECT_TRUE(*back == image) << name;
        }
    }
    EXPECT_EQ(entries(dir.path()).size(), 18u) << "no temporary file is left";
}

// A PNG keeps each pixel's alpha (RGBA is written only when some pixel is
// not opaque); a BMP keeps the colours and loads opaque.
TEST(ImageLoadSave, TransparencyRoundTripsThroughPngAndIsDroppedByBmp) {
    easel_test::TempDirectory dir;
    Image image = randomImage(23, 9, 21);
    std::mt19937 rng(4);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, image.pixel(x, y), rng() & 255);
    }
    std::string why;
    ASSERT_TRUE(easel::saveImage(image, dir.file("clear.png").c_str(), &why)) << why;
    ASSERT_TRUE(easel::saveImage(image, dir.file("clear.bmp").c_str(), &why)) << why;
    EXPECT_TRUE(*easel::loadImage(dir.file("clear.png").c_str()) == image);
    const std::optional<Image> bmp = easel::loadImage(dir.file("clear.bmp").c_str());
    ASSERT_TRUE(bmp.has_value());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ASSERT_EQ(bmp->row(y)[x], image.row(y)[x] | 0xFF000000u) << x << ", " << y;
        }
    }
}

TEST(ImageLoadSave, EveryFormatIsReadWithItsCorners) {
    // 5 x 3 white with four coloured corners, written by another encoder.
    const struct {
        const char* file;
        int tolerance;  // JPEG is lossy
    } cases[] = {{"corners_5x3.gif", 0}, {"corners_5x3.jpg", 40}};
    const RgbColor corners[] = {{200, 30, 40}, {10, 220, 30}, {20, 40, 250}, {0, 0, 0}};
    const int at[][2] = {{0, 0}, {4, 0}, {0, 2}, {4, 2}};
    for (const auto& c : cases) {
        std::string why;
        const std::optional<Image> image = easel::loadImage(data(c.file).c_str(), &why);
        ASSERT_TRUE(image.has_value()) << c.file << ": " << why;
        ASSERT_EQ(image->width(), 5) << c.file;
        ASSERT_EQ(image->height(), 3) << c.file;
        for (int i = 0; i < 4; ++i) {
            const RgbColor got = image->pixel(at[i][0], at[i][1]);
            EXPECT_NEAR(got.r, corners[i].r, c.tolerance) << c.file << " corner " << i;
            EXPECT_NEAR(got.g, corners[i].g, c.tolerance) << c.file << " corner " << i;
            EXPECT_NEAR(got.b, corners[i].b, c.tolerance) << c.file << " corner " << i;
            EXPECT_EQ(image->alpha(at[i][0], at[i][1]), 255) << c.file << " corner " << i;
        }
    }
    // The formats no longer read are refused by name, with those that are.
    for (const char* file : {"corners_5x3.ppm", "corners_5x3.tga"}) {
        std::string why;
        EXPECT_FALSE(easel::loadImage(data(file).c_str(), &why).has_value()) << file;
        EXPECT_NE(why.find("easel reads PNG, JPEG, BMP and GIF"), std::string::npos) << why;
    }
}

// Headers announcing images far beyond the limits, in files of a few bytes:
// decoding any of them would allocate gigabytes, so each must be refused
// from its header alone.
TEST(ImageLoadSave, OverLargeHeadersAreRefusedBeforeDecoding) {
    const std::string pngHeader = withIhdrCrc(std::string(
        "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\x01\x86\xa0\0\x01\x86\xa0\x08\x02\0\0\0", 29));
    std::string bmp = "BM" + std::string(12, '\0') + std::string("\x28\0\0\0", 4) +
                      std::string("\x40\x9c\0\0\x40\x9c\0\0\x01\0\x18\0", 12) +
                      std::string(24, '\0');
    const std::string gif = std::string("GIF89a\x01\0\x01\0\0\0\0", 13) + "!\xf9\x04" +
                            std::string(4, '\0') + std::string(1, '\0') +
                            std::string(",\0\0\0\0\xff\xff\xff\xff\0\x02", 11);
    const std::string jpeg =
        std::string("\xff\xd8\xff\xe0\0\x04xx\xff\xc0\0\x0b\x08\xff\xff\xff\xff\x01", 19);
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {{"wide.png", pngHeader},
                 {"huge.bmp", bmp},
                 {"frame.gif", gif},
                 {"huge.jpg", jpeg},
                 {"just_over.png",
                  withIhdrCrc(std::string(
                      "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x40\0\0\0\0\x01\x08\x02\0\0\0", 29))}};
    for (const auto& c : cases) {
        std::string why;
        EXPECT_FALSE(easel::loadImageFromMemory(c.bytes.data(), c.bytes.size(), c.name, &why))
            << c.name;
        EXPECT_NE(why.find("too large"), std::string::npos) << c.name << ": " << why;
        EXPECT_NE(why.find(c.name), std::string::npos) << c.name << ": " << why;
    }
}

// PNGs whose pixels cost more to inflate and convert (more bytes a pixel,
// 16-bit samples, interlacing) have lower pixel limits, decided from the
// header alone; a header within its limit is read on, here to a damage.
TEST(ImageLoadSave, CostlyPngKindsHaveLowerPixelLimits) {
    const auto header = [](std::uint32_t w, std::uint32_t h, int depth, int colour, int interlace) {
        std::string ihdr("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
        for (const std::uint32_t side : {w, h}) {
            for (int shift = 24; shift >= 0; shift -= 8) ihdr.push_back(char(side >> shift));
        }
        ihdr += {char(depth), char(colour), 0, 0, char(interlace)};
        return withIhdrCrc(ihdr) + std::string("\0\0\0\0IDAT", 8);  // no data follows
    };
    const struct {
        std::string png;
        const char* kind;  // nullptr: within its limit
    } cases[] = {
        {header(8192, 8192, 16, 2, 0), "16-bit RGB PNGs"},
        {header(4096, 3276, 16, 6, 0), nullptr},
        {header(8192, 3276, 8, 6, 0), nullptr},
        {header(8192, 3277, 8, 6, 0), "8-bit RGBA PNGs"},
        {header(8192, 4096, 8, 6, 1), "interlaced 8-bit RGBA PNGs"},
        {header(8192, 8192, 1, 0, 1), "interlaced 1-bit grey PNGs"},
    };
    for (const auto& c : cases) {
        std::string why;
        EXPECT_FALSE(easel::loadImageFromMemory(c.png.data(), c.png.size(), "kind.png", &why));
        if (c.kind == nullptr) {
            EXPECT_EQ(why.find("too large"), std::string::npos) << why;
            EXPECT_NE(why.find("damaged PNG"), std::string::npos) << why;
        } else {
            EXPECT_NE(why.find(std::string("too large to decode in time: ") + c.kind),
                      std::string::npos)
                << why;
        }
    }
}

TEST(ImageLoadSave, LimitsGivenByTheCallerAreKept) {
    easel_test::TempDirectory dir;
    const std::string name = dir.file("20x10.png");
    ASSERT_TRUE(easel::saveImage(randomImage(20, 10, 7), name.c_str()));
    const struct {
        easel::ImageLimits limits;
        bool loads;
    } cases[] = {{{20, 10, 200}, true},
                 {{19, 10, 200}, false},
                 {{20, 9, 200}, false},
                 {{20, 10, 199}, false},
                 {{100000, 100000, 1 << 30}, true}};
    for (const auto& c : cases) {
        std::string why;
        EXPECT_EQ(easel::loadImage(name.c_str(), &why, c.limits).has_value(), c.loads) << why;
    }
    EXPECT_FALSE(easel::fitsLimits(16384, 1, {100000, 100000, 1 << 30}))
        << "no limit lets a row outgrow SDL 1.2's 16-bit pitch";
}

TEST(ImageLoadSave, FailuresNameTheFileAndTheReason) {
    easel_test::TempDirectory dir;
    writeBytes(dir.file("text.png"), "hello, this is not a picture");
    std::string png;
    {
        const std::string good = dir.file("good.png");
        ASSERT_TRUE(easel::saveImage(randomImage(30, 30, 3), good.c_str()));
        png = readBytes(good);
    }
    writeBytes(dir.file("cut.png"), png.substr(0, png.size() / 2));
    // A frame cut short, which a GIF decoder once read past for ever.
    const std::string gif = readBytes(data("corners_5x3.gif"));
    writeBytes(dir.file("cut.gif"), gif.substr(0, gif.size() - 3));
    // After an empty graphic control block a GIF decoder once read on as if
    // it were not the last, passed over the small frame, found one of
    // 35980 x 35980 and crashed.
    const std::string frame = std::string(
        "GIF89a\x05\0\x03\0\0\0\0!\xf9\0\x0b,\0\0\0\0\x05\0\x03\0\0\x02"
        "\x02\x44\x01\0,\0\0\0\0\x8c\x8c\x8c\x8c\0\x02\x02\x44\x01\0;",
        48);
    writeBytes(dir.file("control.gif"), frame);
    ASSERT_EQ(mkfifo(dir.file("pipe.png").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.file("folder.png"));
    const struct {
        std::string name;
        const char* reason;
    } cases[] = {{dir.file("missing.png"), "does not exist"},
                 {dir.file("folder.png"), "is a folder"},
                 {dir.file("pipe.png"), "not a regular file"},
                 {dir.file("text.png"), "is not an image"},
                 {dir.file("cut.png"), "damaged PNG"},
                 {dir.file("cut.gif"), "damaged GIF image: its data is cut short"},
                 {dir.file("control.gif"), "damaged GIF image"}};
    for (const auto& c : cases) {
        std::string why;
        EXPECT_FALSE(easel::loadImage(c.name.c_str(), &why).has_value()) << c.name;
        EXPECT_NE(why.find(c.reason), std::string::npos) << c.name << ": " << why;
        EXPECT_NE(why.find(c.name), std::string::npos) << c.name << ": " << why;
    }
}

TEST(ImageLoadSave, AFailedSaveLeavesTheOldFileAndNoTemporary) {
    easel_test::TempDirectory dir;
    const Image image = randomImage(9, 4, 11);
    const std::string old = dir.file("old.png");
    writeBytes(old, "old bytes");
    std::filesystem::create_directory(dir.file("folder.png"));
    std::string why;
    EXPECT_FALSE(easel::saveImage(image, dir.file("folder.png").c_str(), &why));
    EXPECT_NE(why.find("folder"), std::string::npos) << why;
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.png")));
    EXPECT_FALSE(easel::saveImage(image, dir.file("old.jpg").c_str(), &why));
    EXPECT_NE(why.find(".png or .bmp"), std::string::npos) << why;
    EXPECT_FALSE(easel::saveImage(Image(), old.c_str(), &why));
    EXPECT_FALSE(easel::saveImage(image, dir.file("no/such/folder.png").c_str(), &why));
    EXPECT_EQ(readBytes(old), "old bytes");

    if (geteuid() != 0) {  // root writes into any folder whatever its permissions
        ASSERT_EQ(chmod(dir.path().c_str(), 0500), 0);
        EXPECT_FALSE(easel::saveImage(image, old.c_str(), &why));
        EXPECT_NE(why.find("cannot create"), std::string::npos) << why;
        ASSERT_EQ(chmod(dir.path().c_str(), 0700), 0);
        EXPECT_EQ(readBytes(old), "old bytes");
    }
    EXPECT_EQ(entries(dir.path()).size(), 2u) << "no temporary file is left";

    ASSERT_TRUE(easel::saveImage(image, old.c_str(), &why)) << why;
    EXPECT_TRUE(*easel::loadImage(old.c_str()) == image) << "a save replaces the file";
    EXPECT_EQ(entries(dir.path()).size(), 2u);
}

class ScreenImageTest : public easel_test::ScreenTest {};

// drawImage against putPixel of every pixel that lands on the screen, at
// places that cross every edge and corner, and wholly off it.
TEST_F(ScreenImageTest, DrawImageClipsAtEveryEdge) {
    const Image image = randomImage(37, 23, 5);
    const int places[][2] = {{0, 0},     {100, 200}, {-10, 50},  {480, 60},  {200, -7},
                             {300, 490}, {-36, -22}, {499, 499}, {-20, 480}, {470, -15},
                             {-37, 0},   {500, 0},   {0, -23},   {0, 500},   {-100000, 3}};
    for (const auto& p : places) {
        easel_test::Picture expected = easel_test::clearTo(RgbColor(1, 2, 3));
        bool anyOnScreen = false;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const int sx = p[0] + x, sy = p[1] + y;
                if (sx < 0 || sy < 0 || sx >= 500 || sy >= 500) continue;
                expected.at(sx, sy) = image.pixel(x, y);
                anyOnScreen = true;
            }
        }
        EXPECT_EQ(easel::drawImage(image, p[0], p[1]), anyOnScreen) << p[0] << ", " << p[1];
        EXPECT_TRUE(easel_test::screenMatches(expected)) << "at " << p[0] << ", " << p[1];
    }
}

TEST_F(ScreenImageTest, SavedScreenRectanglesLoadBackAsTheScreenShowsThem) {
    easel_test::TempDirectory dir;
    const Image picture = randomImage(500, 500, 9);
    easel::drawImage(picture, 0, 0);
    const struct {
        int x, y, w, h, expectW, expectH;
    } cases[] = {{0, 128, 500, 372, 500, 372}, {-5, -5, 10, 10, 5, 5}, {495, 1, 20, 3, 5, 3}};
    for (const auto& c : cases) {
        for (const char* name : {"part.png", "part.bmp"}) {
            const std::string file = dir.file(name);
            std::string why;
            ASSERT_TRUE(easel::saveScreenRect(file.c_str(), c.x, c.y, c.w, c.h, &why)) << why;
            const std::optional<Image> back = easel::loadImage(file.c_str());
            ASSERT_TRUE(back.has_value());
            ASSERT_EQ(back->width(), c.expectW);
            ASSERT_EQ(back->height(), c.expectH);
            const int left = c.x < 0 ? 0 : c.x, top = c.y < 0 ? 0 : c.y;
            for (int y = 0; y < back->height(); ++y)
                for (int x = 0; x < back->width(); ++x)
                    ASSERT_EQ(back->pixel(x, y), picture.pixel(left + x, top + y)) << name;
        }
    }
    std::string why;
    EXPECT_FALSE(easel::saveScreenRect(dir.file("off.png").c_str(), 500, 0, 10, 10, &why));
    EXPECT_TRUE(easel::saveScreen(dir.file("all.bmp").c_str(), &why)) << why;
    EXPECT_TRUE(*easel::loadImage(dir.file("all.bmp").c_str()) == picture);
}

}  // namespace
