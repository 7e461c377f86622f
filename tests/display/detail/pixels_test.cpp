#include "easel/display/detail/pixels.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <ostream>
#include <random>

#include "support/screen_fixture.h"

namespace {

using easel::RgbColor;
using easel_test::ScopedScreen;
using easel_test::ScreenTest;

struct Format {
    const char* name;
    int bitsPerPixel;
    Uint32 r, g, b, a;
};

void PrintTo(const Format& f, std::ostream* os) {
    *os << f.name;
}

// The fast mapping must agree with SDL's own for every format SDL can give,
// including formats that lose bits and paletted ones.
const Format formats[] = {
    {"XRGB8888", 32, 0xFF0000u, 0xFF00u, 0xFFu, 0},
    {"XBGR8888", 32, 0xFFu, 0xFF00u, 0xFF0000u, 0},
    {"ARGB8888", 32, 0xFF0000u, 0xFF00u, 0xFFu, 0xFF000000u},
    {"RGBA8888", 32, 0xFF000000u, 0xFF0000u, 0xFF00u, 0xFFu},
    {"RGB565", 16, 0xF800u, 0x07E0u, 0x001Fu, 0},
    {"RGB555", 16, 0x7C00u, 0x03E0u, 0x001Fu, 0},
    {"RGB332", 8, 0xE0u, 0x1Cu, 0x03u, 0},
    {"paletted", 8, 0, 0, 0, 0},
};

using PixelWrapTest = ScreenTest;

class PixelFormatTest : public ScreenTest, public testing::WithParamInterface<Format> {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        const Format& f = GetParam();
        surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, f.bitsPerPixel, f.r, f.g, f.b, f.a);
        ASSERT_NE(surface, nullptr) << SDL_GetError();
    }
    void TearDown() override { SDL_FreeSurface(surface); }

    SDL_Surface* surface = nullptr;
};

TEST_P(PixelFormatTest, MapColorMatchesSdlMapRgb) {
    ScopedScreen screen(surface, 4, 4);
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> any(INT_MIN, INT_MAX);
    std::uniform_int_distribution<int> channel(-300, 600);
    for (int i = 0; i < 20000; ++i) {
        const bool wide = i % 4 == 0;
        const int r = wide ? any(rng) : channel(rng);
        const int g = wide ? any(rng) : channel(rng);
        const int b = wide ? any(rng) : channel(rng);
        const Uint32 sdl = SDL_MapRGB(surface->format, static_cast<Uint8>(r & 255),
                                      static_cast<Uint8>(g & 255), static_cast<Uint8>(b & 255));
        ASSERT_EQ(easel::detail::mapColor(r, g, b), sdl)
            << "(" << r << ", " << g << ", " << b << ")";
        ASSERT_EQ(easel::detail::mapColor(RgbColor::unmasked(r, g, b)), sdl);
    }
}

TEST_P(PixelFormatTest, UnmapColorMatchesSdlGetRgb) {
    ScopedScreen screen(surface, 4, 4);
    std::mt19937 rng(12);
    std::uniform_int_distribution<std::uint32_t> word(0, UINT32_MAX);
    const bool paletted = surface->format->palette != nullptr;
    const std::uint32_t limit =
        paletted ? static_cast<std::uint32_t>(surface->format->palette->ncolors) : 0;
    for (int i = 0; i < 20000; ++i) {
        // Paletted values must index the palette; others may be any word.
        const std::uint32_t value = paletted ? static_cast<std::uint32_t>(i) % limit : word(rng);
        Uint8 r = 0, g = 0, b = 0;
        SDL_GetRGB(value, surface->format, &r, &g, &b);
        ASSERT_EQ(easel::detail::unmapColor(value), RgbColor(r, g, b))
            << std::hex << "value " << value;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, PixelFormatTest, testing::ValuesIn(formats),
                         [](const testing::TestParamInfo<Format>& param) {
                             return std::string(param.param.name);
                         });

TEST_F(PixelWrapTest, WrapIsATrueModuloForEveryInt) {
    const int sizes[] = {500, 7, 1, 640};
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> any(INT_MIN, INT_MAX);
    for (const int size : sizes) {
        ScopedScreen screen(easel::Screen.surface, size, size);
        const int edges[] = {0,         1,       -1,      size,        -size,      size - 1,
                             -size - 1, INT_MIN, INT_MAX, INT_MIN + 1, INT_MAX - 1};
        for (int i = 0; i < 20000 + 11; ++i) {
            const int v = i < 11 ? edges[i] : any(rng);
            const std::int64_t expected = ((static_cast<std::int64_t>(v) % size) + size) % size;
            ASSERT_EQ(easel::detail::wrapX(v), expected) << v << " mod " << size;
            ASSERT_EQ(easel::detail::wrapY(v), expected) << v << " mod " << size;
        }
    }
}

}  // namespace
