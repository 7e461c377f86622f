// Points the screen at a surface of another 32-bit pixel format for the
// lifetime of the object, so that drawing code can be checked on layouts that
// the dummy driver never gives (swapped channels, an alpha mask, fewer bits).
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>

#include "easel/display/screen.h"

namespace easel_test {

class OtherFormat {
  public:
    OtherFormat(std::uint32_t rMask, std::uint32_t gMask, std::uint32_t bMask, std::uint32_t aMask)
        : saved_(easel::Screen.surface),
          surface_(SDL_CreateRGBSurface(SDL_SWSURFACE, easel::Screen.width, easel::Screen.height,
                                        32, rMask, gMask, bMask, aMask)) {
        if (surface_ != nullptr) easel::Screen.surface = surface_;
    }
    ~OtherFormat() {
        easel::Screen.surface = saved_;
        if (surface_ != nullptr) SDL_FreeSurface(surface_);
    }
    OtherFormat(const OtherFormat&) = delete;
    OtherFormat& operator=(const OtherFormat&) = delete;

    bool ok() const { return surface_ != nullptr; }

  private:
    SDL_Surface* saved_;
    SDL_Surface* surface_;
};

// The formats worth checking besides the screen's own 0x00RRGGBB.
struct FormatMasks {
    const char* name;
    std::uint32_t r, g, b, a;
};
constexpr FormatMasks otherFormats[] = {
    {"BGR", 0x000000FFu, 0x0000FF00u, 0x00FF0000u, 0},
    {"RGBA", 0xFF000000u, 0x00FF0000u, 0x0000FF00u, 0x000000FFu},
    {"565 in 32 bits", 0xF800u, 0x07E0u, 0x001Fu, 0},
};

}  // namespace easel_test
