#include "support/screen_fixture.h"

#include <SDL.h>

#include <cstdlib>
#include <sstream>

#include "app/state.h"
#include "easel/display/input.h"
#include "easel/display/screen.h"

namespace easel_test {

namespace {

// The screen is opened once per process, before any test runs.
class ScreenEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        easel::initScreen(screenWidth, screenHeight, false, "easel tests");
    }
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

void ScreenTest::SetUp() {
    easel::clearScreen(0, 0, 0);
    releaseAllKeys();
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
    }
    easel::keyState = nullptr;
    paint::resetState();
}

}  // namespace easel_test

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new easel_test::ScreenEnvironment);
    return RUN_ALL_TESTS();
}
