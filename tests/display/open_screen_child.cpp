// A program that opens a small screen and says which video driver SDL
// started, run by video_driver_test.cpp with the environment it chooses.
#include <easel/easel.h>

#include <cstdio>

int main() {
    easel::initScreen(64, 48, false, "driver check");
    char name[64] = {};
    std::printf("opened %s\n", SDL_VideoDriverName(name, sizeof name) != nullptr ? name : "?");
    return 0;
}
