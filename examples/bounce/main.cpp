// Bounce: a ball bouncing round the window at a steady 60 frames a second,
// with the frame rate it measures drawn in the corner.
//
// Each frame is paced with waitFrame. The frame's start does not come from
// the clock afresh each time but moves on by exactly one frame length:
// SDL's clock counts whole milliseconds, so a start read anew every frame
// would round each 16.67 ms frame up to 17 ms (58.8 frames a second), while
// a start that keeps the schedule averages the length asked for. Escape or
// closing the window ends the program (exit status 1, as everywhere in
// easel).
//
// Usage: example_bounce [--frames N] [--rate FPS] [--still N]
//   --frames N  stop after N frames with exit status 0 and print the rate
//               measured over them (the headless test runs it this way on
//               SDL's dummy video driver)
//   --rate FPS  frames a second to ask for, 1 to 1000 (default 60)
//   --still N   after N frames keep showing the last picture, still at the
//               same pace, until Escape (the README's picture is taken so)
#include <easel/easel.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int width = 400;
constexpr int height = 240;
constexpr int radius = 14;
constexpr int floorHeight = 6;
constexpr double rateSpan = 1000.0;  // ms over which the shown rate is measured

const easel::RgbColor sky{24, 28, 44};
const easel::RgbColor ground{70, 76, 100};

struct Options {
    long frames = 0;  // 0: until Escape
    int rate = 60;
    long still = 0;  // 0: never
};

// Reads the options; false on anything it does not know.
bool parseArguments(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc) return false;
        char* end = nullptr;
        const long value = std::strtol(argv[i + 1], &end, 10);
        if (*end != '\0' || value <= 0) return false;
        if (std::strcmp(argv[i], "--frames") == 0) {
            options->frames = value;
        } else if (std::strcmp(argv[i], "--rate") == 0 && value <= 1000) {
            options->rate = static_cast<int>(value);
        } else if (std::strcmp(argv[i], "--still") == 0) {
            options->still = value;
        } else {
            return false;
        }
    }
    return true;
}

// The ball's centre and its speed in pixels a frame.
struct Ball {
    int x = 60;
    int y = 50;
    int dx = 3;
    int dy = 2;
};

// Moves the ball one frame on, turning it back at each wall.
void move(Ball& ball) {
    const int right = width - 1 - radius;
    const int bottom = height - 1 - floorHeight - radius;
    ball.x += ball.dx;
    ball.y += ball.dy;
    if (ball.x < radius || ball.x > right) {
        ball.dx = -ball.dx;
        ball.x = ball.x < radius ? 2 * radius - ball.x : 2 * right - ball.x;
    }
    if (ball.y < radius || ball.y > bottom) {
        ball.dy = -ball.dy;
        ball.y = ball.y < radius ? 2 * radius - ball.y : 2 * bottom - ball.y;
    }
}

// The frame rate over the last span of frames: frames counted since the
// span began, divided by the time it took.
class RateMeter {
  public:
    explicit RateMeter(double now) : spanStart(now) {}
    void frameDone(double now) {
        ++frames;
        if (now - spanStart < rateSpan) return;
        shown = static_cast<double>(frames) * 1000.0 / (now - spanStart);
        frames = 0;
        spanStart = now;
    }
    // The rate of the last whole span; 0 until the first span has ended.
    double rate() const { return shown; }

  private:
    double spanStart = 0.0;
    long frames = 0;
    double shown = 0.0;
};

void drawFrame(const Ball& ball, double rate) {
    easel::clearScreen(sky.r, sky.g, sky.b);
    easel::fillRect(0, height - floorHeight, width - 1, height - 1, ground);
    easel::drawDisc(ball.x, ball.y, radius, easel::colors::orange);
    easel::drawDisc(ball.x - 4, ball.y - 4, 4, easel::colors::yellow);
    // The number, then its unit where the number ended.
    const easel::RgbColor ink = easel::colors::white;
    const int end = easel::drawReal(rate, 1, 8, 8, ink.r, ink.g, ink.b, false, 0, 0, 0, false, 0);
    const easel::TextPosition next = easel::unpackTextPosition(end);
    easel::drawText(" frames a second", next.x, next.y, ink.r, ink.g, ink.b, false, 0, 0, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseArguments(argc, argv, &options)) {
        std::fprintf(stderr, "usage: %s [--frames N] [--rate FPS] [--still N]\n", argv[0]);
        return 2;
    }

    easel::initScreen(width, height, false, "easel bounce");
    const double frameLength = 1000.0 / options.rate;
    Ball ball;
    const double firstStart = easel::readTicks();
    double frameStart = firstStart;
    RateMeter meter(firstStart);

    long frame = 0;
    for (; options.frames == 0 || frame < options.frames; ++frame) {
        if (options.still == 0 || frame < options.still) {
            move(ball);
            drawFrame(ball, meter.rate());
            easel::updateScreen();
        }
        // Waits out the frame; ends the program on Escape or a close request.
        easel::waitFrame(static_cast<float>(frameStart), static_cast<float>(frameLength));
        frameStart += frameLength;
        const double now = easel::readTicks();
        meter.frameDone(now);
        // Far behind (the machine was busy): start a new schedule from now
        // rather than rush through the missed frames.
        if (now - frameStart > frameLength) frameStart = now;
    }

    const double seconds = (easel::readTicks() - firstStart) / 1000.0;
    std::printf("bounce: %ld frames in %.3f s: %.2f frames a second (asked %d)\n", frame, seconds,
                static_cast<double>(frame) / seconds, options.rate);
    return 0;
}
