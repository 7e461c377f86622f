// The 256 x 128 colour picker at value 255, drawn into the screen: the
// panel's plain picker repaint (hsvToRgb and the screen's pixel mapping for
// every pixel) against OpenCV's cvtColor(COLOR_HSV2BGR_FULL) from the same
// hue / saturation / value image into a 4-channel cv::Mat laid over the same
// screen pixels. Information only: the picker is repainted only when the
// user picks a brightness, so its plain speed is not held to a goal.
#include <opencv2/imgproc.hpp>

#include "paint/panel.h"
#include "versus.h"

namespace {

constexpr int pickerWidth = 256;
constexpr int pickerHeight = 128;

// Hue x, saturation 2y, value 255, as three 8-bit channels.
const cv::Mat& hsvImage() {
    static const cv::Mat image = [] {
        cv::Mat m(pickerHeight, pickerWidth, CV_8UC3);
        for (int y = 0; y < pickerHeight; ++y)
            for (int x = 0; x < pickerWidth; ++x)
                m.at<cv::Vec3b>(y, x) =
                    cv::Vec3b(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(2 * y), 255);
        return m;
    }();
    return image;
}

void pickerEasel(benchmark::State& state) {
    for (auto _ : state) {
        paint::drawPicker(255);
        benchmark::ClobberMemory();
    }
}

void pickerOpenCv(benchmark::State& state) {
    SDL_Surface* s = versus::screen();
    cv::Mat target(pickerHeight, pickerWidth, CV_8UC4, s->pixels,
                   static_cast<std::size_t>(s->pitch));
    const cv::Mat& hsv = hsvImage();
    for (auto _ : state) {
        cv::cvtColor(hsv, target, cv::COLOR_HSV2BGR_FULL, 4);
        benchmark::ClobberMemory();
    }
    if (target.data != s->pixels) state.SkipWithError("cvtColor wrote elsewhere");
}
VERSUS_PAIR("colour picker", versus::informationOnly, pickerEasel, "OpenCV", pickerOpenCv);

}  // namespace
