// Images and keeping work: saving the paint program's canvas as PNG and as
// BMP (the whole atomic save, sync included), loading a 500 x 372 PNG and a
// 4000 x 3000 JPEG (a photograph's size, written here with libjpeg), the
// undo bookkeeping a pass adds while painting, the end of one change, and the
// memory that 100 ordinary strokes keep in the undo history.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "easel/display/screen.h"
#include "easel/image/load.h"
#include "easel/image/save.h"
#include "easel/raster/shapes.h"
#include "paint/document.h"
#include "paint/pass.h"
#include "paint/state.h"
#include "paint/stroke.h"

namespace {

constexpr int canvasTop = paint::panelHeight;
constexpr int canvasHeight = paint::windowHeight - paint::panelHeight;

// A folder of its own for the files written; each benchmark removes its
// file, and the folder goes at exit.
struct BenchFolder {
    std::string path;
    BenchFolder() {
        char pattern[] = "/tmp/easel_bench_XXXXXX";
        const char* made = mkdtemp(pattern);
        path = made != nullptr ? made : "/tmp";
    }
    ~BenchFolder() { ::rmdir(path.c_str()); }
};

const std::string& benchFolder() {
    static const BenchFolder folder;
    return folder.path;
}

// A canvas like one after a session: white with strokes and discs.
void paintedCanvas() {
    paint::resetState();
    paint::startCanvas();
    paint::currentTool = paint::brushTool;
    for (int i = 0; i < 12; ++i) {
        paint::selectedColor = easel::RgbColor(20 * i, 200 - 15 * i, 90);
        paint::strokePass(paint::brushTool, 30 + 35 * i, 150, true);
        paint::strokePass(paint::brushTool, 60 + 30 * i, 450, true);
        paint::strokePass(paint::brushTool, 60 + 30 * i, 450, false);
        easel::drawDisc(40 * i + 20, 300, 15, easel::RgbColor(240, 20 * i, 30));
    }
}

void saveCanvas(benchmark::State& state, const char* name) {
    paintedCanvas();
    const std::string path = benchFolder() + "/" + name;
    for (auto _ : state) {
        const bool saved =
            easel::saveScreenRect(path.c_str(), 0, canvasTop, paint::windowWidth, canvasHeight);
        if (!saved) state.SkipWithError("the save failed");
    }
    std::remove(path.c_str());
}

void BM_SaveCanvasPng(benchmark::State& state) {
    saveCanvas(state, "canvas.png");
}
BENCHMARK(BM_SaveCanvasPng)->Unit(benchmark::kMillisecond);

void BM_SaveCanvasBmp(benchmark::State& state) {
    saveCanvas(state, "canvas.bmp");
}
BENCHMARK(BM_SaveCanvasBmp)->Unit(benchmark::kMillisecond);

void BM_LoadCanvasPng(benchmark::State& state) {
    paintedCanvas();
    const std::string path = benchFolder() + "/load.png";
    easel::saveScreenRect(path.c_str(), 0, canvasTop, paint::windowWidth, canvasHeight);
    for (auto _ : state) {
        const std::optional<easel::Image> image = easel::loadImage(path.c_str());
        if (!image) state.SkipWithError("the load failed");
        benchmark::DoNotOptimize(image->pixels());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadCanvasPng)->Unit(benchmark::kMillisecond);

// A 4000 x 3000 baseline JPEG at quality 90, 4:2:0, of smooth colour with
// detail: what a camera writes.
bool writePhotoJpeg(const std::string& path) {
    constexpr int width = 4000, height = 3000;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return false;
    jpeg_compress_struct c{};
    jpeg_error_mgr errors{};
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, out);
    c.image_width = width;
    c.image_height = height;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(width * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<JSAMPLE>(x * 255 / width);
            row[3 * x + 1] = static_cast<JSAMPLE>(y * 255 / height ^ (x * y & 15));
            row[3 * x + 2] = static_cast<JSAMPLE>((x + y) & 255);
        }
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&c, &p, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    return std::fclose(out) == 0;
}

void BM_LoadPhotoJpeg(benchmark::State& state) {
    const std::string path = benchFolder() + "/photo.jpg";
    if (!writePhotoJpeg(path)) state.SkipWithError("the JPEG could not be written");
    for (auto _ : state) {
        const std::optional<easel::Image> image = easel::loadImage(path.c_str());
        if (!image) state.SkipWithError("the load failed");
        benchmark::DoNotOptimize(image->pixels());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadPhotoJpeg)->Unit(benchmark::kMillisecond);

// What a pass adds while a stroke is under way: reading the shortcut keys
// and the checks before and after the tool (the tool itself not included).
void BM_UndoBookkeepingPerPass(benchmark::State& state) {
    paintedCanvas();
    paint::Document document;
    const paint::Pointer held{250, 300, true, false};
    document.beforePass(held);  // the press: the canvas is copied once
    for (auto _ : state) {
        document.beforePass(held);
        document.afterPass(held);
    }
    document.afterPass(paint::Pointer{250, 300, false, false});
}
BENCHMARK(BM_UndoBookkeepingPerPass)->Unit(benchmark::kNanosecond);

// The press and the release of one ordinary Brush stroke: copying the
// canvas, then finding and keeping the changed tiles (one allocation).
void BM_UndoChangeBeginAndEnd(benchmark::State& state) {
    paintedCanvas();
    paint::Document document;
    int shift = 0;
    for (auto _ : state) {
        const paint::Pointer down{100, 300, true, false};
        document.beforePass(down);
        state.PauseTiming();
        paint::strokePass(paint::brushTool, 100 + shift, 300, true);
        paint::strokePass(paint::brushTool, 300 + shift, 320, true);
        paint::strokePass(paint::brushTool, 300 + shift, 320, false);
        shift = (shift + 1) % 100;
        state.ResumeTiming();
        document.afterPass(paint::Pointer{300, 320, false, false});
    }
}
BENCHMARK(BM_UndoChangeBeginAndEnd)->Unit(benchmark::kMicrosecond);

// The memory held by 100 ordinary strokes (200-pixel Brush drags): reported
// as counters, bytes in all and per step; the time is that of making them.
void BM_UndoMemoryFor100Strokes(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        paintedCanvas();
        paint::Document document;
        for (int i = 0; i < paint::UndoHistory::maxSteps; ++i) {
            const int y = 140 + (i * 13) % 340;
            document.beforePass(paint::Pointer{50 + i, y, true, false});
            paint::strokePass(paint::brushTool, 50 + i, y, true);
            paint::strokePass(paint::brushTool, 150 + i, y + 20, true);
            paint::strokePass(paint::brushTool, 250 + i, y, true);
            paint::strokePass(paint::brushTool, 250 + i, y, false);
            document.afterPass(paint::Pointer{250 + i, y, false, false});
        }
        bytes = document.history().stepBytes();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["bytes_per_step"] = static_cast<double>(bytes) / paint::UndoHistory::maxSteps;
}
BENCHMARK(BM_UndoMemoryFor100Strokes)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
