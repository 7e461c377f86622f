#include "easel/geometry/vector3.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geometry/geometry_support.h"

namespace {

using easel::Vector3;
using easel_test::vectorNear;
using easel_test::vectorSame;

constexpr double pi = 3.14159265358979323846;

// Rodrigues' formula with the right-hand rule, written independently of the
// library: the library turns the other way, so it must match this at -angle.
Vector3 rightHandTurn(Vector3 v, Vector3 k, double angle) {
    const double n = std::sqrt(k.x * k.x + k.y * k.y + k.z * k.z);
    k = {k.x / n, k.y / n, k.z / n};
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const Vector3 kxv{k.y * v.z - k.z * v.y, k.z * v.x - k.x * v.z, k.x * v.y - k.y * v.x};
    const double kv = k.x * v.x + k.y * v.y + k.z * v.z;
    return {v.x * c + kxv.x * s + k.x * kv * (1 - c), v.y * c + kxv.y * s + k.y * kv * (1 - c),
            v.z * c + kxv.z * s + k.z * kv * (1 - c)};
}

TEST(VectorArithmetic, ConstructionAndArithmetic) {
    EXPECT_TRUE(vectorSame(Vector3(), {0, 0, 0}));
    const Vector3 a{1, -2, 4};
    const Vector3 b{0.5, 3, -8};
    EXPECT_TRUE(vectorSame(a + b, {1.5, 1, -4}));
    EXPECT_TRUE(vectorSame(a - b, {0.5, -5, 12}));
    EXPECT_TRUE(vectorSame(-a, {-1, 2, -4}));
    EXPECT_TRUE(vectorSame(a * 2.5, {2.5, -5, 10}));
    EXPECT_TRUE(vectorSame(2.5 * a, {2.5, -5, 10}));
    EXPECT_TRUE(vectorSame(a / 4.0, {0.25, -0.5, 1}));
    EXPECT_DOUBLE_EQ(a.dot(b), -37.5);
    EXPECT_DOUBLE_EQ(easel::dot(a, b), -37.5);
    EXPECT_DOUBLE_EQ(Vector3(2, 3, 6).length(), 7.0);
    EXPECT_DOUBLE_EQ(easel::length({2, 3, 6}), 7.0);
    EXPECT_DOUBLE_EQ(Vector3(1, 1, 1).distanceTo({3, 4, 7}), 7.0);
    EXPECT_DOUBLE_EQ(easel::distance({3, 4, 7}, {1, 1, 1}), 7.0);
}

TEST(VectorArithmetic, DivisionByZeroGivesNonFiniteComponents) {
    const Vector3 v = Vector3(1, -1, 0) / 0.0;
    EXPECT_EQ(v.x, std::numeric_limits<double>::infinity());
    EXPECT_EQ(v.y, -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(v.z));
}

TEST(VectorArithmetic, NormalisationLeavesZeroAloneAndSpreadsNan) {
    Vector3 zero;
    zero.normalize();
    EXPECT_TRUE(vectorSame(zero, {0, 0, 0}));
    EXPECT_TRUE(vectorSame(easel::normalized({0, 0, 0}), {0, 0, 0}));

    Vector3 v{0, 3, -4};
    v.normalize();
    EXPECT_TRUE(vectorNear(v, {0, 0.6, -0.8}, 1e-15));
    EXPECT_TRUE(vectorNear(easel::normalized({0, 3, -4}), {0, 0.6, -0.8}, 1e-15));

    // A NaN length is not zero: the division happens and gives NaN.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Vector3 n = easel::normalized({nan, 1, 2});
    EXPECT_TRUE(std::isnan(n.x) && std::isnan(n.y) && std::isnan(n.z));
}

TEST(VectorArithmetic, MemberCrossPutsItsArgumentOnTheLeft) {
    const Vector3 x{1, 0, 0};
    const Vector3 y{0, 1, 0};
    EXPECT_TRUE(vectorSame(x.cross(y), {0, 0, -1}));
    EXPECT_TRUE(vectorSame(easel::cross(x, y), {0, 0, 1}));

    easel_test::Random random(11);
    for (int i = 0; i < 500; ++i) {
        const Vector3 a = random.vector();
        const Vector3 b = random.vector();
        const Vector3 c = easel::cross(a, b);
        EXPECT_TRUE(vectorSame(a.cross(b), -c));
        // a x b is perpendicular to both and has length |a||b| sin(angle).
        const double scale = a.length() * b.length();
        EXPECT_NEAR(easel::dot(c, a) / scale, 0.0, 1e-12);
        EXPECT_NEAR(easel::dot(c, b) / scale, 0.0, 1e-12);
        const double cosine = easel::dot(a, b) / scale;
        EXPECT_NEAR(c.length() / scale, std::sqrt(1.0 - cosine * cosine), 1e-7);
    }
}

TEST(VectorTurning, AngleBetweenIsNeverPositive) {
    struct Case {
        Vector3 a;
        Vector3 b;
        double angle;
    };
    const Case cases[] = {
        {{1, 0, 0}, {5, 0, 0}, 0.0},  // a dot rounded above 1 is clamped
        {{0.1, 0.2, 0.3}, {0.3, 0.6, 0.9}, 0.0},
        {{1, 0, 0}, {-2, 0, 0}, -pi},
        {{1, 0, 0}, {0, 7, 0}, -pi / 2},
        {{0, 0, 0}, {1, 2, 3}, -pi / 2},  // a zero vector on either side
        {{1, 2, 3}, {0, 0, 0}, -pi / 2},
        {{1, 0, 0}, {1, 1, 0}, -pi / 4},
        {{1, 1, 0}, {1, 0, 0}, -pi / 4},
    };
    for (const Case& c : cases) {
        const double angle = easel::angleBetween(c.a, c.b);
        EXPECT_FALSE(std::isnan(angle));
        EXPECT_NEAR(angle, c.angle, 1e-7) << c.a.x << "," << c.a.y << "," << c.a.z;
    }
    EXPECT_TRUE(std::isnan(easel::angleBetween({std::nan(""), 0, 0}, {1, 0, 0})));

    // Opposite vectors whose normalised dot rounds below -1: clamped, not NaN.
    const Vector3 p{0.1, 0.1, 13 * 0.1};
    const Vector3 q = p * -3.0;
    ASSERT_LT(easel::dot(easel::normalized(p), easel::normalized(q)), -1.0);
    EXPECT_EQ(easel::angleBetween(p, q), -pi);

    easel_test::Random random(12);
    for (int i = 0; i < 1000; ++i) {
        const Vector3 a = random.nonZeroVector();
        const Vector3 b = random.nonZeroVector();
        const double angle = easel::angleBetween(a, b);
        ASSERT_LE(angle, 0.0);
        ASSERT_GE(angle, -pi);
        EXPECT_DOUBLE_EQ(angle, easel::angleBetween(b, a));
        // Rotating a about a x b by the angle turns it onto b's direction.
        const Vector3 turned = easel::rotateAboutAxis(a, easel::cross(a, b), angle);
        EXPECT_TRUE(vectorNear(easel::normalized(turned), easel::normalized(b), 1e-6));
    }
}

TEST(VectorTurning, RotationTurnsClockwiseSeenFromTheAxisTip) {
    struct Case {
        Vector3 v;
        Vector3 axis;
        double angle;
        Vector3 expected;
    };
    const Case cases[] = {
        {{1, 0, 0}, {0, 0, 1}, pi / 2, {0, -1, 0}}, {{1, 0, 0}, {0, 0, 9}, -pi / 2, {0, 1, 0}},
        {{0, 0, 1}, {0, 1, 0}, pi / 2, {-1, 0, 0}}, {{0, 1, 0}, {1, 0, 0}, pi / 2, {0, 0, -1}},
        {{0, 0, 1}, {1, 0, 0}, pi / 2, {0, 1, 0}},  {{2, 0, 0}, {0, 0, 1}, pi, {-2, 0, 0}},
        {{0, 0, 3}, {0, 0, 1}, 1.234, {0, 0, 3}},  // along the axis: unchanged
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(vectorNear(easel::rotateAboutAxis(c.v, c.axis, c.angle), c.expected, 1e-12))
            << "angle " << c.angle;
    }
}

TEST(VectorTurning, RotationMatchesRodriguesTurnedTheOtherWay) {
    easel_test::Random random(13);
    for (int i = 0; i < 1000; ++i) {
        const Vector3 v = random.vector();
        const Vector3 axis = random.nonZeroVector();
        const double angle = random.uniform(-10.0, 10.0);
        const Vector3 r = easel::rotateAboutAxis(v, axis, angle);
        EXPECT_TRUE(vectorNear(r, rightHandTurn(v, axis, -angle), 1e-9));
        // The length is restored to rounding, whatever the angle.
        EXPECT_NEAR(r.length(), v.length(), 1e-14 * v.length());
    }
}

TEST(VectorTurning, RepeatedRotationDoesNotDriftInLength) {
    Vector3 v{3, 0, 0};
    for (int i = 0; i < 10000; ++i) {
        v = easel::rotateAboutAxis(v, {0.3, 1, 5}, 0.01 * (i % 7));
        ASSERT_NEAR(v.length(), 3.0, 1e-13);
    }
    for (double angle = -7.0; angle < 7.0; angle += 0.05)
        EXPECT_NEAR(easel::length(easel::rotateAboutAxis({3, 0, 0}, {0, 0, 5}, angle)), 3.0, 1e-14);
}

TEST(VectorTurning, RotationDegenerateInputs) {
    // A zero vector stays zero, for any axis and angle (even a zero axis).
    for (const Vector3& axis : {Vector3(0, 0, 1), Vector3(), Vector3(std::nan(""), 0, 0)})
        EXPECT_TRUE(vectorSame(easel::rotateAboutAxis({0, 0, 0}, axis, 0.7), {0, 0, 0}));
    // A zero axis scales v by the sign of cos(angle).
    const Vector3 v{1, -2, 3};
    EXPECT_TRUE(vectorNear(easel::rotateAboutAxis(v, {}, 0.5), v, 1e-14));
    EXPECT_TRUE(vectorNear(easel::rotateAboutAxis(v, {}, 3.0), -v, 1e-14));
    EXPECT_TRUE(vectorNear(easel::rotateAboutAxis(v, {}, -2.0), -v, 1e-14));
}

TEST(DegreeConversion, UsesItsOwnFullTurn) {
    EXPECT_DOUBLE_EQ(easel::radiansToDegrees(6.28318), 360.0);
    EXPECT_DOUBLE_EQ(easel::degreesToRadians(360.0), 6.28318);
    EXPECT_DOUBLE_EQ(easel::degreesToRadians(180.0), 3.14159);
    EXPECT_GT(std::fabs(easel::degreesToRadians(180.0) - pi), 1e-6);
    EXPECT_DOUBLE_EQ(easel::radiansToDegrees(3.14159), 180.0);
    // Multiply first, then divide: exactly these roundings.
    for (double d : {1.0, 7.0, 45.0, -33.3, 1e300}) {
        EXPECT_EQ(easel::degreesToRadians(d), (6.28318 * d) / 360.0);
        EXPECT_EQ(easel::radiansToDegrees(d), (360.0 * d) / 6.28318);
    }
}

}  // namespace
