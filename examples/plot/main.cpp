// Plot: a function plot with axes, ticks and labels, saved as a PNG.
//
// Two curves, sin(x) and a damped cosine, over 0 ... 4 pi, drawn with
// drawLineClipped so that a curve leaving the plot area is simply cut; the
// tick labels are centred with textWidth; bars of |sin| along the bottom use
// fillRectSized. The picture is saved with saveScreen and shown until a key
// is pressed (Escape or closing the window ends it, exit status 1).
//
// Usage: example_plot [--no-wait] [FILE]
//   FILE       where to save the PNG (default plot.png)
//   --no-wait  save and end at once, for scripts and CI runs
#include <easel/easel.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int width = 560;
constexpr int height = 360;
constexpr double pi = 3.14159265358979323846;

// The plot area in pixels and the ranges it shows.
constexpr int left = 56, right = width - 16, top = 40, bottom = height - 48;
constexpr double xMax = 4 * pi, yMin = -1.25, yMax = 1.25;

const easel::RgbColor paper{250, 250, 245};
const easel::RgbColor ink{30, 30, 40};
const easel::RgbColor grid{220, 222, 230};

int toX(double x) {
    return left + static_cast<int>(std::lround(x / xMax * (right - left)));
}
int toY(double y) {
    return bottom - static_cast<int>(std::lround((y - yMin) / (yMax - yMin) * (bottom - top)));
}

void drawAxes() {
    // Grid lines and tick labels every pi on x and every 0.5 on y.
    for (int k = 0; k <= 4; ++k) {
        const int x = toX(k * pi);
        easel::drawVerticalLine(x, top, bottom, grid);
        const std::string label = k == 0 ? "0" : k == 1 ? "pi" : std::to_string(k) + "pi";
        easel::drawText(label.c_str(), x - easel::textWidth(label.c_str()) / 2, bottom + 6, ink);
    }
    for (int k = -2; k <= 2; ++k) {
        const double value = 0.5 * k;
        const int y = toY(value);
        easel::drawHorizontalLine(y, left, right, grid);
        easel::drawReal(value, 1, left - 6 - easel::textWidth(value, 1), y - 4, ink);
    }
    easel::drawLineClipped(left, toY(0), right, toY(0), ink);  // the x axis
    easel::drawLineClipped(left, top, left, bottom, ink);      // the y axis
}

// The function sampled at every pixel column, joined by clipped lines.
template <typename Function>
void drawCurve(Function f, easel::RgbColor colour) {
    int lastX = left, lastY = toY(f(0.0));
    for (int x = left + 1; x <= right; ++x) {
        const double t = (x - left) * xMax / (right - left);
        const int y = toY(f(t));
        easel::drawLineClipped(lastX, lastY, x, y, colour);
        lastX = x;
        lastY = y;
    }
}

void drawPlot() {
    easel::clearScreen(paper.r, paper.g, paper.b);
    const char* title = "sin(x) and 1.6 cos(x) e^(-x/8)";
    easel::drawText(title, (width - easel::textWidth(title)) / 2, 14, ink);
    // Bars of |sin x| every quarter pi, standing on the bottom edge.
    for (int k = 0; k < 16; ++k) {
        const double t = (k + 0.5) * pi / 4;
        const int h = static_cast<int>(std::fabs(std::sin(t)) * 20);
        easel::fillRectSized(toX(k * pi / 4) + 2, bottom - h, toX(pi / 4) - left - 3, h,
                             easel::RgbColor(200, 215, 240));
    }
    drawAxes();
    drawCurve([](double t) { return std::sin(t); }, easel::RgbColor(200, 40, 40));
    // Leaves the plot at the top: the clipped lines simply stop at the edge.
    drawCurve([](double t) { return 1.6 * std::cos(t) * std::exp(-t / 8); },
              easel::RgbColor(40, 90, 200));
    easel::updateScreen();
}

}  // namespace

int main(int argc, char** argv) {
    bool wait = true;
    const char* file = "plot.png";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-wait") == 0) {
            wait = false;
        } else {
            file = argv[i];
        }
    }
    easel::initScreen(width, height, false, "Plot");
    drawPlot();
    std::string why;
    if (!easel::saveScreen(file, &why)) {
        std::printf("plot: not saved: %s\n", why.c_str());
        return 2;
    }
    std::printf("plot: saved %s\n", file);
    if (wait) easel::waitForKey();
    return 0;
}
