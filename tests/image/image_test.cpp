#include "easel/image/image.h"

#include <gtest/gtest.h>

using easel::Image;
using easel::RgbColor;

TEST(Image, SizeAndPixelsAreSetTogether) {
    const int sizes[][2] = {{0, 0}, {-3, 4}, {4, -3}, {0, 7}, {7, 0}, {1, 1}, {5, 3}};
    for (const auto& s : sizes) {
        const Image image(s[0], s[1]);
        const bool real = s[0] > 0 && s[1] > 0;
        EXPECT_EQ(image.empty(), !real);
        EXPECT_EQ(image.width(), real ? s[0] : 0) << s[0] << " x " << s[1];
        EXPECT_EQ(image.height(), real ? s[1] : 0) << s[0] << " x " << s[1];
        EXPECT_EQ(image.pixels() == nullptr, !real);
    }
}

TEST(Image, WordsAreAlphaRedGreenBlueAndOpaqueByDefault) {
    Image image(3, 2, RgbColor(1, 2, 3));
    EXPECT_EQ(image.pixels()[5], 0xFF010203u);
    image.setPixel(2, 1, RgbColor(0x1AB, 0x2CD, -1));
    EXPECT_EQ(image.row(1)[2], 0xFFABCDFFu) << "low 8 bits of each channel";
    image.setPixel(0, 1, RgbColor(10, 20, 30), 128);
    EXPECT_EQ(image.pixels()[3], 0x800A141Eu);
    EXPECT_EQ(image.alpha(0, 1), 128);
    image.setPixel(1, 1, RgbColor(10, 20, 30), 400);
    EXPECT_EQ(image.alpha(1, 1), 255) << "alpha is cut to 0-255";
    image.setPixel(1, 0, RgbColor(10, 20, 30), -5);
    EXPECT_EQ(image.alpha(1, 0), 0);
    EXPECT_EQ(image.pixel(0, 1), RgbColor(10, 20, 30));
    EXPECT_EQ(easel::packPixel(RgbColor(10, 20, 30), 128), 0x800A141Eu);
}

TEST(Image, AccessOutsideReadsBlackTransparentAndWritesNothing) {
    Image image(2, 2, RgbColor(9, 9, 9));
    const Image before = image;
    const int outside[][2] = {{-1, 0}, {0, -1}, {2, 0}, {0, 2}, {-100000, 100000}};
    for (const auto& p : outside) {
        EXPECT_EQ(image.pixel(p[0], p[1]), RgbColor(0, 0, 0));
        EXPECT_EQ(image.alpha(p[0], p[1]), 0);
        image.setPixel(p[0], p[1], RgbColor(1, 1, 1));
        image.setPixel(p[0], p[1], RgbColor(1, 1, 1), 7);
    }
    EXPECT_TRUE(image == before);
    image.setPixel(1, 1, RgbColor(9, 9, 9), 254);
    EXPECT_TRUE(image != before) << "the alpha is part of the picture";
    EXPECT_TRUE(Image(2, 1) != Image(1, 2));
}
