// Loads one picture file with loadImage, as a program of its own, so that
// /usr/bin/time -v can report the time and peak memory of a single load:
//   load_one FILE [REPEATS]
// Prints the size and a hash of the pixel words (to compare two builds'
// pixels) or the refusal and, with REPEATS, the mean wall time of a load in
// milliseconds. Limits are loadImage's defaults. Exit status 0 when
// the file loaded, 1 when it was refused.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "easel/image/load.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: load_one FILE [REPEATS]\n");
        return 2;
    }
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    bool loaded = false;
    std::string why;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; ++i) {
        const std::optional<easel::Image> image = easel::loadImage(argv[1], &why);
        loaded = image.has_value();
        if (!loaded || i > 0) continue;
        std::uint64_t hash = 14695981039346656037u;  // FNV-1a over the words
        for (int y = 0; y < image->height(); ++y) {
            for (int x = 0; x < image->width(); ++x)
                hash = (hash ^ image->row(y)[x]) * 1099511628211u;
        }
        std::printf("loaded %d x %d, pixels %016llx\n", image->width(), image->height(),
                    static_cast<unsigned long long>(hash));
    }
    const std::chrono::duration<double, std::milli> spent =
        std::chrono::steady_clock::now() - start;
    if (!loaded) std::printf("refused: %s\n", why.c_str());
    if (argc > 2) std::printf("%.3f ms a load over %d loads\n", spent.count() / repeats, repeats);
    return loaded ? 0 : 1;
}
