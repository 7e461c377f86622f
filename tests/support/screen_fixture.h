// Shared test support: one 500 x 500 dummy-driver screen per test process,
// a fixture that resets it, and pixel comparisons that say where they fail.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "easel/colour/color.h"

namespace easel_test {

constexpr int screenWidth = 500;
constexpr int screenHeight = 500;

// A copy of the screen's colours, row by row: at(x, y).
struct Picture {
    int width = screenWidth;
    int height = screenHeight;
    std::vector<easel::RgbColor> pixels;

    Picture() : pixels(static_cast<size_t>(width) * height) {}
    explicit Picture(easel::RgbColor fill) : pixels(static_cast<size_t>(width) * height, fill) {}
    easel::RgbColor& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const easel::RgbColor& at(int x, int y) const {
        return pixels[static_cast<size_t>(y) * width + x];
    }
};

// Reads every pixel of the screen through getPixel.
Picture capture();

// Fills the screen with a colour (through clearScreen) and returns the copy.
Picture clearTo(easel::RgbColor c);

// Compares the screen with an expected picture; the failure message counts
// the differing pixels and names the first one.
::testing::AssertionResult screenMatches(const Picture& expected);

// Resets the screen to black, the key-state array to all keys up and drains
// the event queue.
class ScreenTest : public ::testing::Test {
  protected:
    void SetUp() override;
};

// Sets every entry of SDL's key-state array to 0 (all keys up).
void releaseAllKeys();

// Points Screen at another surface and size for the life of the object, then
// puts the real screen back. The surface is not freed.
class ScopedScreen {
  public:
    ScopedScreen(SDL_Surface* surface, int width, int height);
    ~ScopedScreen();
    ScopedScreen(const ScopedScreen&) = delete;
    ScopedScreen& operator=(const ScopedScreen&) = delete;

  private:
    SDL_Surface* savedSurface = nullptr;
    int savedWidth = 0;
    int savedHeight = 0;
};

// The channel masks of a 32-bit pixel layout.
struct PixelLayout {
    const char* name;
    Uint32 r, g, b, a;
};

// 16-bit masks in a 32-bit word: five bits of red, so (1, 0, 0) reads back as
// black. SDL 1.2.15 makes such a surface; SDL2 (under sdl12-compat) does not.
constexpr PixelLayout rgb565In32 = {"565 in 32 bits", 0xF800u, 0x07E0u, 0x001Fu, 0};

// 32-bit layouts the dummy driver never gives, on which results must still be
// those of getPixel and putPixel.
constexpr PixelLayout otherLayouts[] = {
    {"BGR", 0x000000FFu, 0x0000FF00u, 0x00FF0000u, 0},
    {"RGBA", 0xFF000000u, 0x00FF0000u, 0x0000FF00u, 0x000000FFu},
    rgb565In32,
};

// A 32-bit surface over memory of the test's own: rows of pitchWords words
// (at least w), with guardWords spare words before and after. Every word
// starts as `sentinel`, so a test can compare the whole memory, guards and
// row padding included, with what it expects.
class GuardedSurface {
  public:
    static constexpr int guardWords = 64;
    static constexpr std::uint32_t sentinel = 0xA5A5A5A5u;

    GuardedSurface(int w, int h, int pitchWords, Uint32 rmask = 0xFF0000u, Uint32 gmask = 0xFF00u,
                   Uint32 bmask = 0xFFu, Uint32 amask = 0);
    ~GuardedSurface();
    GuardedSurface(const GuardedSurface&) = delete;
    GuardedSurface& operator=(const GuardedSurface&) = delete;

    SDL_Surface* surface() const { return sdlSurface; }
    // Index into memory() of the word of pixel (x, y) of the surface.
    size_t indexOf(int x, int y) const;
    const std::vector<std::uint32_t>& memory() const { return words; }
    // The memory as it was made: every word the sentinel.
    std::vector<std::uint32_t> untouched() const {
        return std::vector<std::uint32_t>(words.size(), sentinel);
    }

  private:
    int pitch = 0;
    std::vector<std::uint32_t> words;
    SDL_Surface* sdlSurface = nullptr;
};

// The layouts that the SDL at hand made no surface of. SDL 1.2.15 makes a
// 32-bit surface with any masks; SDL2, which sdl12-compat runs on, has no
// 32-bit pixel format with the masks of another depth and refuses one. A test
// over several layouts checks every layout it gets a surface of, then skips
// with reason() if any was refused, so that the refusal shows.
class RefusedLayouts {
  public:
    // True when the surface was made; otherwise notes the layout and SDL's error.
    bool made(const GuardedSurface& guarded, const PixelLayout& layout);
    bool any() const { return !refusals.empty(); }
    // Which layouts went unchecked, with SDL's error for each, and why.
    std::string reason() const;

  private:
    std::string refusals;
};

}  // namespace easel_test
