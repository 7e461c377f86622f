// The picture as a document: one scroll step of a 4000 x 3000 picture (the
// canvas drawn again from it; goal 5 ms), Ctrl+S of a 4000 x 3000 picture
// as PNG, the worst pass while the recovery file of a 4000 x 3000 picture is
// written in the background (goal 5 ms), and the resident memory with a
// 16383 x 4096 picture open (counters rss_mib and peak_rss_mib).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "paint/autosave.h"
#include "paint/document.h"
#include "paint/view.h"
#include "easel/image/save.h"

namespace {

// A picture like a photograph: smooth gradients with fine detail, so that
// PNG compresses it neither too well nor too badly.
easel::Image photoLike(int width, int height) {
    easel::Image image(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = image.row(y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t r = static_cast<std::uint32_t>(x * 255 / width);
            const std::uint32_t g = static_cast<std::uint32_t>(y * 255 / height);
            const std::uint32_t b = static_cast<std::uint32_t>((x * 7 + y * 13) & 31) * 4;
            row[x] = 0xFF000000u | r << 16 | g << 8 | b;
        }
    }
    return image;
}

// Kibibytes of a /proc/self/status field ("VmRSS:", "VmHWM:").
double statusKib(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) return std::atof(line.c_str() + field.size());
    }
    return 0.0;
}

void BM_ScrollStep4000x3000(benchmark::State& state) {
    paint::View view;
    view.setPicture(photoLike(4000, 3000));
    view.draw();
    int way = 1;
    for (auto _ : state) {
        if (!view.scrollBy(way * paint::canvasWidth / 8, paint::canvasHeight / 8)) {
            way = -way;
            view.scrollTo(way > 0 ? 0 : 3500, 0);
        }
    }
}
BENCHMARK(BM_ScrollStep4000x3000)->Unit(benchmark::kMillisecond);

void BM_SavePng4000x3000(benchmark::State& state) {
    const easel::Image picture = photoLike(4000, 3000);
    char folder[] = "/tmp/easel_bench_XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = std::string(folder) + "/big.png";
    for (auto _ : state) {
        if (!easel::saveImage(picture, path.c_str())) state.SkipWithError("the save failed");
    }
    std::remove(path.c_str());
    ::rmdir(folder);
}
BENCHMARK(BM_SavePng4000x3000)->Unit(benchmark::kMillisecond)->Iterations(2);

// What the main thread does to the picture in a pass while the background
// copy runs: take the lock, change a 16 x 16 tile, poll. The counter is the
// longest such pass, in milliseconds, over the whole write.
void BM_WorstPassWhileAutosaving4000x3000(benchmark::State& state) {
    char folder[] = "/tmp/easel_bench_XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    setenv("XDG_STATE_HOME", folder, 1);
    easel::Image picture = photoLike(4000, 3000);
    double worst = 0.0;
    std::uint32_t now = 0;
    for (auto _ : state) {
        paint::Autosave autosave;
        {
            auto guard = autosave.guard();
            autosave.changed(now);
        }
        now += paint::Autosave::delayMilliseconds;
        autosave.poll(picture, true, now);  // starts the write
        while (!autosave.current()) {
            const auto start = std::chrono::steady_clock::now();
            {
                auto guard = autosave.guard();
                for (int y = 0; y < 16; ++y) std::fill_n(picture.row(1000 + y) + 2000, 16, 0xFF000000u);
            }
            autosave.poll(picture, true, ++now);
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            worst = std::max(worst, took.count());
            if (!autosave.current()) usleep(1000);
        }
        autosave.discard();
    }
    state.counters["worst_pass_ms"] = worst;
    unsetenv("XDG_STATE_HOME");
    const std::string easel = std::string(folder) + "/easel";
    ::rmdir(easel.c_str());
    ::rmdir(folder);
}
BENCHMARK(BM_WorstPassWhileAutosaving4000x3000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ResidentMemoryWith16383x4096PictureOpen(benchmark::State& state) {
    char folder[] = "/tmp/easel_bench_XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    // A BMP: a PNG of this many RGB pixels is refused as too slow to decode.
    const std::string path = std::string(folder) + "/huge.bmp";
    if (!easel::saveImage(easel::Image(16383, 4096, easel::RgbColor(90, 140, 200)), path.c_str())) {
        state.SkipWithError("the picture could not be written");
        return;
    }
    const double before = statusKib("VmRSS:");
    double rss = 0.0;
    for (auto _ : state) {
        paint::Document document;
        char* argv[] = {const_cast<char*>("paint"), const_cast<char*>(path.c_str())};
        if (!document.open(2, argv)) state.SkipWithError("the picture could not be opened");
        document.show();
        rss = statusKib("VmRSS:");
    }
    state.counters["rss_mib"] = rss / 1024.0;
    state.counters["added_rss_mib"] = (rss - before) / 1024.0;
    state.counters["peak_rss_mib"] = statusKib("VmHWM:") / 1024.0;
    std::remove(path.c_str());
    ::rmdir(folder);
}
BENCHMARK(BM_ResidentMemoryWith16383x4096PictureOpen)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
