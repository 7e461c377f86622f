#include "easel/display/screen.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "easel/display/detail/pixels.h"
#include "support/screen_fixture.h"
#include "support/sdl_seams.h"

namespace {

using easel::RgbColor;
using easel_test::GuardedSurface;
using easel_test::Picture;
using easel_test::ScopedScreen;
using easel_test::screenHeight;
using easel_test::screenMatches;
using easel_test::ScreenTest;
using easel_test::screenWidth;

using PixelAccessTest = ScreenTest;
using ClearScreenTest = ScreenTest;
using BlitBufferTest = ScreenTest;

// The wrap rule, computed independently: a true modulo in 64 bits.
int trueMod(std::int64_t v, std::int64_t m) {
    return static_cast<int>(((v % m) + m) % m);
}

TEST_F(ScreenTest, WrittenPixelReadsBack) {
    easel::putPixel(10, 20, 1, 2, 3);
    EXPECT_EQ(easel::getPixel(10, 20), RgbColor(1, 2, 3));
}

TEST_F(ScreenTest, InitScreenKeepsTheRequestedSizeAndA32BitSurface) {
    ASSERT_NE(easel::Screen.surface, nullptr);
    EXPECT_EQ(easel::Screen.width, screenWidth);
    EXPECT_EQ(easel::Screen.height, screenHeight);
    EXPECT_EQ(easel::Screen.surface->format->BitsPerPixel, 32);
    char* title = nullptr;
    char* icon = nullptr;
    SDL_WM_GetCaption(&title, &icon);
    ASSERT_NE(title, nullptr);
    EXPECT_STREQ(title, "easel tests");
    EXPECT_EQ(icon, nullptr);
}

// Every coordinate, however far off the screen, lands on exactly one pixel:
// the one that the true modulo of each coordinate names.
TEST_F(PixelAccessTest, PutPixelWrapsEveryCoordinateOntoTheScreen) {
    const struct {
        int x, y;
    } cases[] = {
        {0, 0},
        {screenWidth, 0},
        {5, screenHeight},
        {7, screenHeight + 3},
        {screenWidth - 1, screenHeight - 1},
        {-1, 0},
        {0, -1},
        {-1, -1},
        {-screenWidth, 7},
        {-screenWidth - 1, 7},
        {3 * screenWidth + 4, 9},
        {INT_MIN, 0},
        {0, INT_MIN},
        {INT_MAX, INT_MAX},
        {INT_MIN, INT_MAX},
        {INT_MIN + 1, -2},
    };
    const RgbColor colour(12, 34, 56);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "putPixel(" << c.x << ", " << c.y << ")");
        Picture expected = easel_test::clearTo(RgbColor(0, 0, 0));
        const int ex = trueMod(c.x, screenWidth);
        const int ey = trueMod(c.y, screenHeight);
        expected.at(ex, ey) = colour;
        easel::putPixel(c.x, c.y, colour.r, colour.g, colour.b);
        EXPECT_TRUE(screenMatches(expected));
        EXPECT_EQ(easel::getPixel(c.x, c.y), colour);
        EXPECT_EQ(easel::getPixel(ex, ey), colour);
    }
}

// On a surface with padded rows and guard words around it, no coordinate
// reaches the padding or the guards, and each write touches exactly the word
// that the rule names. The addressing uses the size given to Screen (10 x 7),
// not the surface's own (12 x 9).
TEST_F(PixelAccessTest, PixelAccessNeverLeavesTheSurface) {
    GuardedSurface guarded(12, 9, 16);
    ASSERT_NE(guarded.surface(), nullptr);
    ScopedScreen screen(guarded.surface(), 10, 7);
    std::vector<std::uint32_t> expected = guarded.untouched();
    std::mt19937 rng(2024);
    std::uniform_int_distribution<int> any(INT_MIN, INT_MAX);
    std::uniform_int_distribution<int> near(-40, 40);
    for (int i = 0; i < 4000; ++i) {
        const int x = (i % 2 == 0) ? any(rng) : near(rng);
        const int y = (i % 3 == 0) ? any(rng) : near(rng);
        const RgbColor colour(i & 255, (i >> 8) & 255, 7);
        easel::putPixel(x, y, colour.r, colour.g, colour.b);
        expected[guarded.indexOf(trueMod(x, 10), trueMod(y, 7))] =
            (static_cast<std::uint32_t>(colour.r) << 16) |
            (static_cast<std::uint32_t>(colour.g) << 8) | static_cast<std::uint32_t>(colour.b);
        ASSERT_EQ(easel::getPixel(x, y), colour) << "at (" << x << ", " << y << ")";
    }
    EXPECT_EQ(guarded.memory(), expected);
}

TEST_F(PixelAccessTest, PutPixelKeepsTheLowEightBitsOfEachChannel) {
    const struct {
        int r, g, b;
        RgbColor stored;
    } cases[] = {
        {256, 0, 300, RgbColor(0, 0, 44)},
        {-1, -256, 511, RgbColor(255, 0, 255)},
        {255, 256 + 17, 1024 + 3, RgbColor(255, 17, 3)},
        {INT_MIN, INT_MAX, INT_MIN + 5, RgbColor(0, 255, 5)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.r << ", " << c.g << ", " << c.b << ")");
        easel::putPixel(3, 4, c.r, c.g, c.b);
        EXPECT_EQ(easel::getPixel(3, 4), c.stored);
        easel::putPixel(5, 6, RgbColor::unmasked(c.r, c.g, c.b));
        EXPECT_EQ(easel::getPixel(5, 6), c.stored);
    }
}

TEST_F(PixelAccessTest, EveryColourReadsBackAsWritten) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> channel(0, 255);
    std::uniform_int_distribution<int> coord(0, screenWidth - 1);
    for (int i = 0; i < 20000; ++i) {
        const RgbColor c(channel(rng), channel(rng), channel(rng));
        const int x = coord(rng);
        const int y = coord(rng);
        easel::putPixel(x, y, c);
        ASSERT_EQ(easel::getPixel(x, y), c) << "at (" << x << ", " << y << ")";
    }
}

TEST_F(ClearScreenTest, ClearScreenFillsEveryPixelWithThePlainPackedValue) {
    const RgbColor colours[] = {RgbColor(236, 233, 216), RgbColor(0, 0, 0), RgbColor(255, 255, 255),
                                RgbColor(1, 2, 3)};
    for (const RgbColor c : colours) {
        easel::clearScreen(c.r, c.g, c.b);
        EXPECT_TRUE(screenMatches(Picture(c)));
        const std::uint32_t packed = static_cast<std::uint32_t>((c.r * 256 + c.g) * 256 + c.b);
        EXPECT_EQ(*easel::detail::readPixelWord(0, 0), packed);
        EXPECT_EQ(*easel::detail::readPixelWord(screenWidth - 1, screenHeight - 1), packed);
    }
}

// On a surface that is not 0x00RRGGBB the fill still shows the colour asked
// for: it goes through the surface's format.
TEST_F(ClearScreenTest, ClearScreenMapsTheColourOnOtherFormats) {
    const struct {
        Uint32 r, g, b, a;
    } formats[] = {
        {0xFFu, 0xFF00u, 0xFF0000u, 0},            // 0x00BBGGRR
        {0xFF0000u, 0xFF00u, 0xFFu, 0xFF000000u},  // 0xAARRGGBB
        {0xFF000000u, 0xFF0000u, 0xFF00u, 0xFFu},  // 0xRRGGBBAA
    };
    for (const auto& f : formats) {
        SCOPED_TRACE(testing::Message() << std::hex << "R mask " << f.r << " A mask " << f.a);
        GuardedSurface guarded(6, 4, 6, f.r, f.g, f.b, f.a);
        ASSERT_NE(guarded.surface(), nullptr);
        ScopedScreen screen(guarded.surface(), 6, 4);
        easel::clearScreen(236, 233, 216);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x) EXPECT_EQ(easel::getPixel(x, y), RgbColor(236, 233, 216));
        EXPECT_EQ(guarded.memory()[guarded.indexOf(0, 0)],
                  SDL_MapRGB(guarded.surface()->format, 236, 233, 216));
    }
}

// The source is column-major: the word of (x, y) is src[x * height + y], and
// it lands on the surface unchanged.
TEST_F(BlitBufferTest, BlitBufferCopiesColumnByColumnUnchanged) {
    std::vector<std::uint32_t> src(static_cast<size_t>(screenWidth) * screenHeight);
    Picture expected;
    for (int x = 0; x < screenWidth; ++x) {
        for (int y = 0; y < screenHeight; ++y) {
            const RgbColor c(x & 255, y & 255, ((x >> 8) << 4) | (y >> 8));
            src[static_cast<size_t>(x) * screenHeight + y] = easel::detail::mapColor(c);
            expected.at(x, y) = c;
        }
    }
    easel::blitBuffer(src.data());
    EXPECT_TRUE(screenMatches(expected));
}

TEST_F(BlitBufferTest, BlitBufferKeepsRowPaddingAndStaysInside) {
    GuardedSurface guarded(5, 3, 8);
    ASSERT_NE(guarded.surface(), nullptr);
    ScopedScreen screen(guarded.surface(), 5, 3);
    std::vector<std::uint32_t> src(15);
    std::vector<std::uint32_t> expected = guarded.untouched();
    for (int x = 0; x < 5; ++x) {
        for (int y = 0; y < 3; ++y) {
            src[static_cast<size_t>(x) * 3 + y] =
                0xFF000000u | static_cast<std::uint32_t>(x * 16 + y);
            expected[guarded.indexOf(x, y)] = src[static_cast<size_t>(x) * 3 + y];
        }
    }
    easel::blitBuffer(src.data());
    EXPECT_EQ(guarded.memory(), expected);
}

TEST_F(ScreenTest, OnScreenIsTrueExactlyInsideTheRequestedSize) {
    const struct {
        int x, y;
        bool inside;
    } cases[] = {
        {0, 0, true},
        {screenWidth - 1, screenHeight - 1, true},
        {-1, 0, false},
        {0, -1, false},
        {screenWidth, 0, false},
        {0, screenHeight, false},
        {screenWidth - 1, 0, true},
        {0, screenHeight - 1, true},
        {INT_MIN, 0, false},
        {0, INT_MAX, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(easel::onScreen(c.x, c.y), c.inside) << "(" << c.x << ", " << c.y << ")";
    }
    ScopedScreen small(easel::Screen.surface, 10, 7);
    EXPECT_TRUE(easel::onScreen(9, 6));
    EXPECT_FALSE(easel::onScreen(10, 6));
    EXPECT_FALSE(easel::onScreen(9, 7));
}

// lockScreen and unlockScreen call SDL's lock and unlock exactly when
// SDL_MUSTLOCK says the surface must be locked: when it has a pixel offset or
// is a hardware, asynchronous-blit or RLE surface. The dummy screen need not
// be. What the lock itself does is SDL's: SDL 1.2.15 counts it in `locked`
// and moves `pixels` by the offset; sdl12-compat, over SDL2 surfaces that
// have no offset, does neither.
TEST_F(ScreenTest, LockScreenLocksOnlyASurfaceThatMustBeLocked) {
    {
        easel_test::LockCounter counter(easel::Screen.surface);
        easel::lockScreen();
        easel::unlockScreen();
        EXPECT_EQ(counter.locks(), 0) << "the dummy screen";
        EXPECT_EQ(counter.unlocks(), 0) << "the dummy screen";
    }
    GuardedSurface guarded(4, 4, 4);
    ASSERT_NE(guarded.surface(), nullptr);
    SDL_Surface* s = guarded.surface();
    ScopedScreen screen(s, 4, 4);
    const Uint32 flags = s->flags;
    const struct {
        const char* name;
        int offset;
        Uint32 flags;
        bool mustLock;
    } cases[] = {
        {"plain", 0, 0, false},
        {"pixel offset", 4, 0, true},
        {"hardware", 0, SDL_HWSURFACE, true},
        {"asynchronous blits", 0, SDL_ASYNCBLIT, true},
        {"RLE", 0, SDL_RLEACCEL, true},
        {"source colour key", 0, SDL_SRCCOLORKEY, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        s->offset = c.offset;
        s->flags = flags | c.flags;
        ASSERT_EQ(SDL_MUSTLOCK(s) != 0, c.mustLock);
        easel_test::LockCounter counter(s);
        easel::lockScreen();
        EXPECT_EQ(counter.locks(), c.mustLock ? 1 : 0);
        EXPECT_EQ(counter.unlocks(), 0);
        easel::unlockScreen();
        EXPECT_EQ(counter.locks(), c.mustLock ? 1 : 0);
        EXPECT_EQ(counter.unlocks(), c.mustLock ? 1 : 0);
    }
    s->offset = 0;
    s->flags = flags;
}

// The start-up failures print on standard output; the death tests send it to
// standard error, where the matcher looks.
TEST(ScreenStartDeathTest, NonPositiveSizeIsAFailedVideoStart) {
    const struct { int w, h; } sizes[] = {{0, 500}, {500, 0}, {-4, 10}, {10, INT_MIN}};
    for (const auto& s : sizes) {
        EXPECT_EXIT(
            {
                dup2(2, 1);
                easel::initScreen(s.w, s.h, false, "bad size");
            },
            testing::ExitedWithCode(1), "^Unable to set video: .+\n$")
            << s.w << " x " << s.h;
    }
}

TEST(ScreenStartDeathTest, NoVideoModeIsAFailedVideoStartWithSdlsError) {
    EXPECT_EXIT(
        {
            dup2(2, 1);
            easel_test::FakeVideoMode mode(nullptr, "no such mode");
            easel::initScreen(500, 500, false, "no mode");
        },
        testing::ExitedWithCode(1), "^Unable to set video: no such mode\n$");
}

// All addressing uses the size asked for, so a surface that is smaller in
// any way, or not 32 bits per pixel, would be written past its end: it
// counts as a failed start. A larger one is fine. SDL2 makes no surface whose
// rows are shorter than its width, so each surface is made with rows long
// enough and its record then states the case's pitch: initScreen reads the
// record and hands the surface to no SDL call before it fails.
TEST(ScreenStartDeathTest, SurfaceSmallerThanAskedIsAFailedVideoStart) {
    const struct {
        int w, h, bpp, pitch;
        bool fits;
    } surfaces[] = {
        {499, 500, 32, 1996, false}, {500, 499, 32, 2000, false}, {500, 500, 16, 1000, false},
        {500, 500, 32, 1996, false}, {500, 500, 24, 1500, false}, {500, 500, 32, 2000, true},
        {640, 512, 32, 2560, true},
    };
    for (const auto& s : surfaces) {
        const int fullPitch = std::max(s.pitch, s.w * s.bpp / 8);
        std::vector<std::uint32_t> memory(static_cast<size_t>(fullPitch) * s.h / 4 + 1);
        SDL_Surface* surface =
            SDL_CreateRGBSurfaceFrom(memory.data(), s.w, s.h, s.bpp, fullPitch, 0, 0, 0, 0);
        ASSERT_NE(surface, nullptr) << SDL_GetError();
        surface->pitch = static_cast<Uint16>(s.pitch);
        if (s.fits) {
            EXPECT_EXIT(
                {
                    easel_test::FakeVideoMode mode(surface);
                    easel::initScreen(500, 500, false, "fits");
                    easel::putPixel(499, 499, 1, 2, 3);
                    std::_Exit(easel::getPixel(499, 499) == RgbColor(1, 2, 3) ? 0 : 3);
                },
                testing::ExitedWithCode(0), "")
                << s.w << " x " << s.h;
        } else {
            EXPECT_EXIT(
                {
                    dup2(2, 1);
                    easel_test::FakeVideoMode mode(surface);
                    easel::initScreen(500, 500, false, "too small");
                },
                testing::ExitedWithCode(1), "^Unable to set video: .+\n$")
                << s.w << " x " << s.h << " at " << s.bpp << " bits, pitch " << s.pitch;
        }
        surface->pitch = static_cast<Uint16>(fullPitch);
        SDL_FreeSurface(surface);
    }
}

// The message is the program's words, then SDL's error as SDL gives it: the
// error's own words differ between SDL 1.2.15 and sdl12-compat.
TEST(ScreenStartDeathTest, FailedSdlStartPrintsSdlsError) {
    EXPECT_EXIT(
        {
            dup2(2, 1);
            easel_test::FakeInitFailure failure("no video today");
            easel::initScreen(64, 48, false, "no video");
        },
        testing::ExitedWithCode(1), "^Unable to init SDL: no video today\n$");
    EXPECT_EXIT(
        {
            dup2(2, 1);
            SDL_Quit();
            setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
            easel::initScreen(64, 48, false, "no driver");
        },
        testing::ExitedWithCode(1), "^Unable to init SDL: [^\n]+\n$");
}

TEST(ScreenStartDeathTest, FullScreenStartGivesTheRequestedSurface) {
    EXPECT_EXIT(
        {
            easel::initScreen(64, 48, true, "full");
            const SDL_Surface* s = easel::Screen.surface;
            const bool ok = s != nullptr && s->w == 64 && s->h == 48 &&
                            (s->flags & SDL_FULLSCREEN) != 0 && easel::Screen.width == 64 &&
                            easel::Screen.height == 48;
            std::_Exit(ok ? 0 : 3);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
