// drawImage with alpha, whole and by source rectangle, against a plain
// per-pixel reference: every image pixel that lands on the screen, mixed by
// (image * a + screen * (255 - a)) / 255 rounded to the nearest.
#include "easel/image/draw.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "easel/display/screen.h"
#include "support/drawing_reference.h"
#include "support/screen_fixture.h"

namespace {

using easel::Image;
using easel::RgbColor;
using easel_test::Picture;

// Alphas of every kind: clear, opaque and between, the ends most often.
Image translucentImage(int w, int h, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> channel(0, 255);
    Image image(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int pick = channel(random);
            const int alpha = pick < 64 ? 0 : pick < 128 ? 255 : channel(random);
            image.setPixel(x, y, RgbColor(channel(random), channel(random), channel(random)),
                           alpha);
        }
    }
    return image;
}

int mixed(int image, int screen, int a) {
    const int sum = image * a + screen * (255 - a);
    return (2 * sum + 255) / 510;  // sum / 255, halves up
}

// A background with every channel value somewhere.
Picture background() {
    Picture p;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) p.at(x, y) = RgbColor(x & 255, y & 255, (x + y) & 255);
    easel_test::show(p);
    return p;
}

// Mixes the source rectangle (already inside the image) into the picture at
// (x, y); true when a pixel landed.
bool paintReference(Picture& p, const Image& image, easel::ImageRect r, int x, int y) {
    bool any = false;
    for (int j = 0; j < r.height; ++j) {
        for (int i = 0; i < r.width; ++i) {
            const long sx = static_cast<long>(x) + i, sy = static_cast<long>(y) + j;
            if (sx < 0 || sy < 0 || sx >= p.width || sy >= p.height) continue;
            any = true;
            const RgbColor s = image.pixel(r.x + i, r.y + j);
            const int a = image.alpha(r.x + i, r.y + j);
            RgbColor& d = p.at(static_cast<int>(sx), static_cast<int>(sy));
            d = RgbColor(mixed(s.r, d.r, a), mixed(s.g, d.g, a), mixed(s.b, d.b, a));
        }
    }
    return any;
}

class DrawImageTest : public easel_test::ScreenTest {};

const int places[][2] = {{0, 0},     {100, 200}, {-10, 50},  {480, 60},  {200, -7},
                         {300, 490}, {-36, -22}, {499, 499}, {-20, 480}, {470, -15},
                         {-37, 0},   {500, 0},   {0, -23},   {0, 500},   {INT_MIN, 3}};

TEST_F(DrawImageTest, AlphaMixesExactlyAtEveryEdge) {
    const Image image = translucentImage(37, 23, 11);
    for (const auto& p : places) {
        SCOPED_TRACE(::testing::Message() << "at " << p[0] << ", " << p[1]);
        Picture expected = background();
        const bool any = paintReference(expected, image, {0, 0, 37, 23}, p[0], p[1]);
        EXPECT_EQ(easel::drawImage(image, p[0], p[1]), any);
        EXPECT_TRUE(easel_test::screenMatches(expected));
    }
}

TEST_F(DrawImageTest, SourceRectanglesAreCutToTheImageAndTheScreen) {
    const Image sheet = translucentImage(64, 32, 12);
    const struct {
        easel::ImageRect source;
        easel::ImageRect inside;  // the part of it within the image
    } sources[] = {
        {{16, 0, 16, 16}, {16, 0, 16, 16}},
        {{48, 16, 16, 16}, {48, 16, 16, 16}},
        {{-5, -3, 10, 10}, {0, 0, 5, 7}},
        {{60, 28, 10, 10}, {60, 28, 4, 4}},
        {{0, 0, 64, 32}, {0, 0, 64, 32}},
        {{-100, -100, 400, 400}, {0, 0, 64, 32}},
        {{64, 0, 5, 5}, {0, 0, 0, 0}},
        {{10, 10, 0, 5}, {0, 0, 0, 0}},
        {{INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {0, 0, 0, 0}},
    };
    for (const auto& s : sources) {
        for (const auto& p : places) {
            SCOPED_TRACE(::testing::Message()
                         << "source " << s.source.x << "," << s.source.y << " " << s.source.width
                         << "x" << s.source.height << " at " << p[0] << ", " << p[1]);
            Picture expected = background();
            // The part inside the image keeps its place relative to the source.
            const long x = static_cast<long>(p[0]) + (s.inside.x - s.source.x);
            const long y = static_cast<long>(p[1]) + (s.inside.y - s.source.y);
            const bool inRange = x > INT_MIN && x < INT_MAX && y > INT_MIN && y < INT_MAX;
            const bool any =
                inRange && s.inside.width > 0 &&
                paintReference(expected, sheet, s.inside, static_cast<int>(x), static_cast<int>(y));
            EXPECT_EQ(easel::drawImage(sheet, s.source, p[0], p[1]), any);
            EXPECT_TRUE(easel_test::screenMatches(expected));
        }
    }
}

// A screen of another layout takes the mapped path with the same results.
TEST_F(DrawImageTest, OtherPixelLayoutsMixTheSame) {
    const Image image = translucentImage(40, 30, 13);
    Picture expected = background();
    paintReference(expected, image, {0, 0, 40, 30}, 480, -10);
    easel::drawImage(image, 480, -10);
    const Picture onXrgb = easel_test::capture();

    easel_test::GuardedSurface bgr(500, 500, 500, 0xFFu, 0xFF00u, 0xFF0000u);
    ASSERT_NE(bgr.surface(), nullptr);
    easel_test::ScopedScreen scoped(bgr.surface(), 500, 500);
    background();
    easel::drawImage(image, 480, -10);
    EXPECT_TRUE(easel_test::screenMatches(onXrgb));
    EXPECT_TRUE(easel_test::screenMatches(expected));
}

}  // namespace
