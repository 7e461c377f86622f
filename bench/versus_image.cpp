// Drawing a 500 x 500 image over the whole screen: drawImage against SDL 1.2's
// SDL_BlitSurface of the same pixels as a surface with per-pixel alpha
// (ARGB8888, SDL_SRCALPHA) onto the same screen surface. Once with every
// pixel opaque, once with alphas spread over 0-255 (a quarter clear, a
// quarter opaque, the rest between). SDL's mix divides by 256 where drawImage
// rounds the division by 255 exactly.
#include <SDL.h>

#include "easel/image/draw.h"
#include "versus.h"

namespace {

constexpr int side = 500;

easel::Image makeImage(bool translucent) {
    std::mt19937& e = versus::engine(41);
    std::uniform_int_distribution<int> channel(0, 255);
    easel::Image image(side, side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const int pick = channel(e);
            const int alpha = !translucent ? 255 : pick < 64 ? 0 : pick < 128 ? 255 : channel(e);
            image.setPixel(x, y, easel::RgbColor(channel(e), channel(e), channel(e)), alpha);
        }
    }
    return image;
}

const easel::Image& image(bool translucent) {
    static const easel::Image opaque = makeImage(false);
    static const easel::Image mixed = makeImage(true);
    return translucent ? mixed : opaque;
}

// The image's own words as an SDL surface with per-pixel alpha.
SDL_Surface* surfaceOf(const easel::Image& i) {
    SDL_Surface* s = SDL_CreateRGBSurfaceFrom(const_cast<std::uint32_t*>(i.pixels()), i.width(),
                                              i.height(), 32, i.width() * 4, 0x00FF0000u,
                                              0x0000FF00u, 0x000000FFu, 0xFF000000u);
    if (s != nullptr) SDL_SetAlpha(s, SDL_SRCALPHA, SDL_ALPHA_OPAQUE);
    return s;
}

void drawEasel(benchmark::State& state, bool translucent) {
    const easel::Image& i = image(translucent);
    for (auto _ : state) {
        easel::drawImage(i, 0, 0);
        benchmark::ClobberMemory();
    }
}

void blitSdl(benchmark::State& state, bool translucent) {
    SDL_Surface* s = surfaceOf(image(translucent));
    if (s == nullptr) {
        state.SkipWithError("SDL made no surface of the image");
        return;
    }
    for (auto _ : state) {
        SDL_Rect at{};
        SDL_BlitSurface(s, nullptr, versus::screen(), &at);
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(s);
}

void opaqueEasel(benchmark::State& state) { drawEasel(state, false); }
void opaqueSdl(benchmark::State& state) { blitSdl(state, false); }
void mixedEasel(benchmark::State& state) { drawEasel(state, true); }
void mixedSdl(benchmark::State& state) { blitSdl(state, true); }

VERSUS_PAIR("image 500x500 opaque", 1.0, opaqueEasel, "SDL_BlitSurface", opaqueSdl);
VERSUS_PAIR("image 500x500 alpha", 1.0, mixedEasel, "SDL_BlitSurface", mixedSdl);

}  // namespace
