// The tool panel and its colour picker: drawPanel as the main loop calls it
// on every pass (icons read from disk each time), one icon file's read, the
// picker's 32768 integer HSV conversions alone, and the plain way of drawing
// the picker, one putPixel per pixel, for comparison.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "paint/panel.h"
#include "paint/state.h"
#include "easel/colour/convert.h"
#include "easel/display/screen.h"
#include "easel/text/detail/icon_streams.h"
#include "easel/text/detail/kept_icon_file.h"

namespace {

// Runs the enclosed benchmark in the assets folder, where the button images are.
class InAssets {
  public:
    InAssets() {
        if (getcwd(previous_, sizeof previous_) == nullptr) previous_[0] = '\0';
        const std::string assets = std::string(EASEL_SOURCE_DIR) + "/assets";
        if (chdir(assets.c_str()) != 0) std::abort();
    }
    ~InAssets() {
        if (previous_[0] != '\0' && chdir(previous_) != 0) std::abort();
    }
    InAssets(const InAssets&) = delete;
    InAssets& operator=(const InAssets&) = delete;

  private:
    char previous_[4096] = {};
};

void BM_DrawPanel(benchmark::State& state) {
    const InAssets inAssets;
    for (auto _ : state) paint::drawPanel(paint::pencilTool);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DrawPanel)->Unit(benchmark::kMicrosecond);

// One button image's file read whole, as drawPanel reads each of its four on
// every pass: opened, checked, read and closed each time, and kept open
// between reads while its name still leads to it.
void BM_ReadIconFile(benchmark::State& state) {
    const InAssets inAssets;
    unsigned char bytes[8192];
    for (auto _ : state) {
        benchmark::DoNotOptimize(easel::detail::readIconFile("pen1.bmp", bytes, sizeof bytes));
    }
}
BENCHMARK(BM_ReadIconFile)->Unit(benchmark::kMicrosecond);

void BM_KeptIconFileRead(benchmark::State& state) {
    const InAssets inAssets;
    easel::detail::KeptIconFile file;
    unsigned char bytes[8192];
    for (auto _ : state) benchmark::DoNotOptimize(file.read("pen1.bmp", bytes, sizeof bytes));
}
BENCHMARK(BM_KeptIconFileRead)->Unit(benchmark::kMicrosecond);

// drawPanel after every brightness change, as when the value bar is dragged:
// nothing kept can stand, so each call repaints the whole panel.
void BM_DrawPanelNewValue(benchmark::State& state) {
    const InAssets inAssets;
    const std::uint8_t before = paint::paletteValue;
    std::uint8_t value = 0;
    for (auto _ : state) {
        paint::paletteValue = value;
        value = static_cast<std::uint8_t>(value + 2);
        paint::drawPanel(paint::pencilTool);
    }
    paint::paletteValue = before;
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DrawPanelNewValue)->Unit(benchmark::kMicrosecond);

void BM_PickerConversions(benchmark::State& state) {
    int value = 255;
    for (auto _ : state) {
        int sum = 0;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 256; ++x) {
                const easel::RgbColor c = easel::hsvToRgb(easel::HsvColor(x, 2 * y, value));
                sum += c.r + c.g + c.b;
            }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(value);
    }
    state.SetItemsProcessed(state.iterations() * 32768);
}
BENCHMARK(BM_PickerConversions)->Unit(benchmark::kMicrosecond);

void BM_PlainPutPixelPicker(benchmark::State& state) {
    for (auto _ : state) {
        for (int x = 0; x < 256; ++x)
            for (int y = 0; y < 128; ++y)
                easel::putPixel(x, y,
                                easel::hsvToRgb(easel::HsvColor(x, 2 * y, paint::paletteValue)));
    }
    state.SetItemsProcessed(state.iterations() * 32768);
}
BENCHMARK(BM_PlainPutPixelPicker)->Unit(benchmark::kMicrosecond);

}  // namespace
