#include "easel/text/number.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "easel/display/screen.h"
#include "easel/text/text.h"
#include "support/screen_fixture.h"

namespace {

using easel::RgbColor;
using easel_test::Picture;
using easel_test::ScreenTest;

const RgbColor base(40, 50, 60);
constexpr int x0 = 24;
constexpr int y0 = 32;

class NumberTest : public ScreenTest {
  protected:
    // Draws `text` at (x, y) with drawText, keeps the picture and position,
    // then runs the operation on a fresh screen and expects the same.
    void expectDrawnAs(const std::string& text, int x, int y, bool background, int minLength,
                       const std::function<int()>& draw) {
        SCOPED_TRACE("expected text \"" + text + "\" at x " + std::to_string(x));
        easel::clearScreen(base.r, base.g, base.b);
        const int packed =
            easel::drawText(text.c_str(), x, y, 255, 255, 0, background, 0, 0, 128, minLength);
        const Picture expected = easel_test::capture();
        easel::clearScreen(base.r, base.g, base.b);
        EXPECT_EQ(draw(), packed);
        EXPECT_TRUE(easel_test::screenMatches(expected));
    }

    void expectReal(double value, int decimals, const std::string& text, bool signColumn = false,
                    int shift = 0) {
        SCOPED_TRACE("value " + std::to_string(value) + ", decimals " + std::to_string(decimals));
        expectDrawnAs(text, x0 + shift, y0, true, 0, [&] {
            return easel::drawReal(value, decimals, x0, y0, 255, 255, 0, true, 0, 0, 128,
                                   signColumn, 0);
        });
    }
};

// What "%.Nf" would give without any length limit.
std::string unlimitedFixed(double value, int decimals) {
    std::vector<char> text(1000);
    std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    return text.data();
}

std::string general(double value) {
    char text[64] = {};
    std::snprintf(text, sizeof text, "%.16g", value);
    return text;
}

TEST_F(NumberTest, RealTextFollowsTheDecimals) {
    struct Case {
        double value;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {3.14159, 2, "3.14"},
        {3.14159, 0, "3.14159"},
        {3.14159, 16, "3.14159"},
        {3.14159, -1, "3.14159"},
        {3.14159, INT_MIN, "3.14159"},
        {1.0 / 3.0, 0, "0.3333333333333333"},
        {2.0, 3, "2.000"},
        {0.1, 15, "0.100000000000000"},
        {-2.25, 1, "-2.2"},
        {0.0, 0, "0"},
        {-1234.5, 0, "-1234.5"},
        {-7.0, 99, "-7"},
        {1e20, 0, "1e+20"},
        {1e-7, 16, "1e-07"},
        {std::numeric_limits<double>::infinity(), 3, "inf"},
        {-std::numeric_limits<double>::infinity(), 0, "-inf"},
    };
    for (const Case& c : cases) expectReal(c.value, c.decimals, c.text);
}

TEST_F(NumberTest, FixedTextTooLongForTheBufferFallsBackToGeneral) {
    expectReal(1e300, 15, "1e+300");
    expectReal(-1e300, 15, "-1e+300");
    expectReal(1e308, 1, "1e+308");
    // Around the limit: texts of up to 255 characters are drawn as they are.
    int fitted = 0;
    int replaced = 0;
    const struct {
        double value;
        int decimals;
    } edges[] = {{1e237, 15}, {1e238, 15}, {1e239, 15}, {1e240, 15},
                 {1e251, 1},  {1e252, 1},  {1e253, 1},  {1e254, 1}};
    for (const auto& e : edges) {
        const std::string fixed = unlimitedFixed(e.value, e.decimals);
        const bool fits = fixed.size() <= 255;
        (fits ? fitted : replaced)++;
        expectReal(e.value, e.decimals, fits ? fixed : general(e.value));
    }
    EXPECT_GT(fitted, 0);
    EXPECT_GT(replaced, 0);
}

TEST_F(NumberTest, SignColumnShiftsNonNegativeNumbers) {
    struct Case {
        const char* name;
        std::function<int(int x, bool flag)> draw;
        const char* text;
        bool shifted;
    };
    auto intDraw = [](int v) {
        return [v](int x, bool flag) {
            return easel::drawInt(v, x, y0, 255, 255, 0, true, 0, 0, 128, flag, 0);
        };
    };
    auto unsignedDraw = [](unsigned v) {
        return [v](int x, bool flag) {
            return easel::drawUnsigned(v, x, y0, 255, 255, 0, true, 0, 0, 128, flag, 0);
        };
    };
    auto realDraw = [](double v, int decimals) {
        return [v, decimals](int x, bool flag) {
            return easel::drawReal(v, decimals, x, y0, 255, 255, 0, true, 0, 0, 128, flag, 0);
        };
    };
    const Case cases[] = {
        {"int -5", intDraw(-5), "-5", false},
        {"int 5", intDraw(5), "5", true},
        {"int 0", intDraw(0), "0", true},
        {"int min", intDraw(INT_MIN), "-2147483648", false},
        {"int max", intDraw(INT_MAX), "2147483647", true},
        {"unsigned 7", unsignedDraw(7u), "7", true},
        {"unsigned -1", unsignedDraw(static_cast<unsigned>(-1)), "4294967295", true},
        {"real -1.5", realDraw(-1.5, 1), "-1.5", false},
        {"real 2.5", realDraw(2.5, 1), "2.5", true},
        {"real 0", realDraw(0.0, 2), "0.00", true},
        {"real -0", realDraw(-0.0, 2), "-0.00", true},
        {"real nan", realDraw(std::nan(""), 0), "nan", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectDrawnAs(c.text, x0 + (c.shifted ? 8 : 0), y0, true, 0,
                      [&] { return c.draw(x0, true); });
        expectDrawnAs(c.text, x0, y0, true, 0, [&] { return c.draw(x0, false); });
    }
}

TEST_F(NumberTest, ColoursFlagAndMinimumLengthPassThrough) {
    expectDrawnAs("42", x0 + 8, y0, false, 5, [] {
        return easel::drawInt(42, x0, y0, 255, 255, 0, false, 0, 0, 128, true, 5);
    });
    expectDrawnAs("42", x0, y0, true, 5, [] {
        return easel::drawUnsigned(42u, x0, y0, 255, 255, 0, true, 0, 0, 128, false, 5);
    });
    expectDrawnAs("0.5", x0, y0, true, 6, [] {
        return easel::drawReal(0.5, 1, x0, y0, 255, 255, 0, true, 0, 0, 128, false, 6);
    });
    // The packed position comes back from drawText after any padding.
    const int packed = easel::drawInt(7, 100, 20, 1, 2, 3, true, 4, 5, 6, true, 4);
    EXPECT_EQ(packed, (100 + 8 + 4 * 8) * easel_test::screenHeight + 20);
}

TEST_F(NumberTest, NumbersWrapAtTheScreenEdgeLikeText) {
    expectDrawnAs("-123456", 480, 100, true, 0, [] {
        return easel::drawInt(-123456, 480, 100, 255, 255, 0, true, 0, 0, 128, true, 0);
    });
    expectDrawnAs(general(1.0 / 7.0), 488, 100, true, 0, [] {
        return easel::drawReal(1.0 / 7.0, 0, 480, 100, 255, 255, 0, true, 0, 0, 128, true, 0);
    });
}

}  // namespace
