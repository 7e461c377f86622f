#include "support/screen_fixture.h"

#include <SDL.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "easel/display/input.h"
#include "easel/display/screen.h"

namespace easel_test {

namespace {

// The screen is opened once per process, before any test runs.
class ScreenEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { easel::initScreen(screenWidth, screenHeight, false, "easel tests"); }
};

}  // namespace

Picture capture() {
    Picture p;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) p.at(x, y) = easel::getPixel(x, y);
    return p;
}

Picture clearTo(easel::RgbColor c) {
    easel::clearScreen(c.r, c.g, c.b);
    return Picture(c);
}

::testing::AssertionResult screenMatches(const Picture& expected) {
    const Picture actual = capture();
    int differing = 0;
    std::ostringstream first;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const easel::RgbColor a = actual.at(x, y);
            const easel::RgbColor e = expected.at(x, y);
            if (a == e) continue;
            if (differing++ == 0) {
                first << "first at (" << x << ", " << y << "): got (" << a.r << ", " << a.g << ", "
                      << a.b << "), expected (" << e.r << ", " << e.g << ", " << e.b << ")";
            }
        }
    }
    if (differing == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " pixels differ; " << first.str();
}

void releaseAllKeys() {
    int count = 0;
    Uint8* keys = SDL_GetKeyState(&count);
    for (int i = 0; i < count; ++i) keys[i] = 0;
}

ScopedScreen::ScopedScreen(SDL_Surface* surface, int width, int height)
    : savedSurface(easel::Screen.surface),
      savedWidth(easel::Screen.width),
      savedHeight(easel::Screen.height) {
    easel::Screen.surface = surface;
    easel::Screen.width = width;
    easel::Screen.height = height;
}

ScopedScreen::~ScopedScreen() {
    easel::Screen.surface = savedSurface;
    easel::Screen.width = savedWidth;
    easel::Screen.height = savedHeight;
}

GuardedSurface::GuardedSurface(int w, int h, int pitchWords, Uint32 rmask, Uint32 gmask,
                               Uint32 bmask, Uint32 amask)
    : pitch(pitchWords), words(static_cast<size_t>(pitchWords) * h + 2 * guardWords, sentinel) {
    sdlSurface = SDL_CreateRGBSurfaceFrom(words.data() + guardWords, w, h, 32, pitchWords * 4,
                                          rmask, gmask, bmask, amask);
}

GuardedSurface::~GuardedSurface() {
    SDL_FreeSurface(sdlSurface);
}

size_t GuardedSurface::indexOf(int x, int y) const {
    return static_cast<size_t>(guardWords) + static_cast<size_t>(y) * pitch + x;
}

bool RefusedLayouts::made(const GuardedSurface& guarded, const PixelLayout& layout) {
    if (guarded.surface() != nullptr) return true;
    const std::string refusal = std::string(layout.name) + " (\"" + SDL_GetError() + "\")";
    if (refusals.find(refusal) == std::string::npos)
        refusals += (refusals.empty() ? "" : ", ") + refusal;
    return false;
}

std::string RefusedLayouts::reason() const {
    return "not checked on " + refusals +
           ": SDL made no such surface. SDL2, under sdl12-compat, has no 32-bit pixel format "
           "with the masks of another depth; SDL 1.2.15 makes one.";
}

void ScreenTest::SetUp() {
    easel::clearScreen(0, 0, 0);
    releaseAllKeys();
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
    }
    easel::keyState = nullptr;
}

}  // namespace easel_test

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new easel_test::ScreenEnvironment);
    return RUN_ALL_TESTS();
}
