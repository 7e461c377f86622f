#include "easel/geometry/camera.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "easel/display/screen.h"
#include "geometry/geometry_support.h"
#include "support/screen_fixture.h"

namespace {

using easel::Camera;
using easel::Matrix3;
using easel::Vector3;
using easel_test::identity3;
using easel_test::matrixNear;
using easel_test::matrixSame;
using easel_test::vectorNear;
using easel_test::vectorSame;

constexpr double pi = 3.14159265358979323846;
const double nan = std::numeric_limits<double>::quiet_NaN();
const double inf = std::numeric_limits<double>::infinity();

bool allFinite(const Matrix3& a) {
    for (double e : a.m)
        if (!std::isfinite(e)) return false;
    return true;
}

bool anyFinite(const Vector3& v) {
    return std::isfinite(v.x) || std::isfinite(v.y) || std::isfinite(v.z);
}

// The cached matrices must belong to the current axes, exactly.
::testing::AssertionResult frameFollowsAxes(const Camera& c) {
    const Vector3 r = c.getRight();
    const Vector3 u = c.getUp();
    const Vector3 d = c.getDirection();
    const Matrix3 expected(r.x, u.x, d.x, r.y, u.y, d.y, r.z, u.z, d.z);
    ::testing::AssertionResult same = matrixSame(c.getFrame(), expected);
    if (!same) return same << " (frame)";
    return matrixSame(c.getInverseFrame(), easel::inverse(expected)) << " (inverse frame)";
}

// A camera at a random place with random, comfortably independent axes.
Camera randomCamera(easel_test::Random& random) {
    for (;;) {
        const Vector3 r = random.nonZeroVector(0.5);
        const Vector3 u = random.nonZeroVector(0.5);
        const Vector3 d = random.nonZeroVector(0.5);
        const double volume = std::fabs(easel::dot(easel::cross(r, u), d));
        if (volume < 0.3 * r.length() * u.length() * d.length()) continue;
        return Camera(random.vector(), r, u, d, 0.1, 1000.0);
    }
}

// An upright camera (right horizontal, axes perpendicular) with random lens.
Camera uprightCamera(easel_test::Random& random) {
    Camera c;
    c.setHorizontalZoom(random.uniform(0.3, 3.0));
    c.setVerticalZoom(random.uniform(0.3, 3.0));
    c.scaleAxes(random.uniform(0.2, 5.0));
    c.turnYaw(random.uniform(-3.0, 3.0));
    return c;
}

// ---------------------------------------------------------------- record

TEST(CameraFrame, DefaultCameraHasTheIdentityFrame) {
    const Camera c;
    EXPECT_EQ(c.nearClip, 0.1);
    EXPECT_EQ(c.farClip, 1000000.0);
    EXPECT_TRUE(vectorSame(c.getPosition(), {0, 0, 0}));
    EXPECT_TRUE(vectorSame(c.getRight(), {1, 0, 0}));
    EXPECT_TRUE(vectorSame(c.getUp(), {0, 1, 0}));
    EXPECT_TRUE(vectorSame(c.getDirection(), {0, 0, 1}));
    EXPECT_TRUE(matrixSame(c.getFrame(), identity3));
    EXPECT_TRUE(matrixSame(c.getInverseFrame(), identity3));
    EXPECT_TRUE(vectorSame(c.toCameraAxes({1, 2, 3}), {1, 2, 3}));
}

TEST(CameraFrame, FullConstructorStoresEverythingAndBuildsTheFrame) {
    const Camera c({1, 2, 3}, {2, 0, 0}, {0, 4, 0}, {0, 0, 8}, 0.5, 50.0);
    EXPECT_EQ(c.nearClip, 0.5);
    EXPECT_EQ(c.farClip, 50.0);
    EXPECT_TRUE(vectorSame(c.getPosition(), {1, 2, 3}));
    EXPECT_TRUE(frameFollowsAxes(c));
    EXPECT_TRUE(matrixSame(c.getInverseFrame(), {0.5, 0, 0, 0, 0.25, 0, 0, 0, 0.125}));
}

TEST(CameraFrame, SettersRebuildTheFrame) {
    Camera c;
    c.setRight({2, 0, 0});
    EXPECT_EQ(c.getFrame().m[0], 2.0);
    EXPECT_EQ(c.getInverseFrame().m[0], 0.5);
    EXPECT_TRUE(vectorSame(c.toCameraAxes({1, 0, 0}), {0.5, 0, 0}));

    c.setUp({0, 1, 1});
    EXPECT_TRUE(frameFollowsAxes(c));
    c.setDirection({1, 0, 3});
    EXPECT_TRUE(vectorSame(c.getRight(), {2, 0, 0}));  // the other axes stay
    EXPECT_TRUE(vectorSame(c.getUp(), {0, 1, 1}));
    EXPECT_TRUE(frameFollowsAxes(c));

    // setPosition does not touch the matrices.
    const Matrix3 frame = c.getFrame();
    const Matrix3 inverse = c.getInverseFrame();
    c.setPosition({5, 6, 7});
    EXPECT_TRUE(vectorSame(c.getPosition(), {5, 6, 7}));
    EXPECT_TRUE(matrixSame(c.getFrame(), frame));
    EXPECT_TRUE(matrixSame(c.getInverseFrame(), inverse));

    c.setFrame(identity3);
    EXPECT_TRUE(vectorSame(c.getRight(), {1, 0, 0}));
    EXPECT_TRUE(vectorSame(c.getUp(), {0, 1, 0}));
    EXPECT_TRUE(vectorSame(c.getDirection(), {0, 0, 1}));
}

TEST(CameraFrame, SetFrameTakesTheColumnsAsAxes) {
    easel_test::Random random(31);
    for (int n = 0; n < 200; ++n) {
        const Matrix3 m = random.wellConditioned();
        Camera c = randomCamera(random);
        c.setFrame(m);
        EXPECT_TRUE(vectorSame(c.getRight(), {m.m[0], m.m[3], m.m[6]}));
        EXPECT_TRUE(vectorSame(c.getUp(), {m.m[1], m.m[4], m.m[7]}));
        EXPECT_TRUE(vectorSame(c.getDirection(), {m.m[2], m.m[5], m.m[8]}));
        EXPECT_TRUE(matrixSame(c.getFrame(), m));
        EXPECT_TRUE(matrixSame(c.getInverseFrame(), easel::inverse(m)));
        // Camera coordinates recombine the axes into the world vector.
        const Vector3 w = random.vector();
        const Vector3 k = c.toCameraAxes(w);
        EXPECT_TRUE(
            vectorNear(k.x * c.getRight() + k.y * c.getUp() + k.z * c.getDirection(), w, 1e-12));
    }
}

TEST(CameraFrame, DependentAxesGiveANonFiniteInverseSilently) {
    Camera c;
    c.setUp({0, 0, 1});  // parallel to direction
    EXPECT_FALSE(allFinite(c.getInverseFrame()));
    EXPECT_TRUE(frameFollowsAxes(c));
}

TEST(CameraFrame, EveryAxisChangeKeepsTheCachedMatricesInStep) {
    // Each operation on a random camera must leave frame and inverse frame
    // belonging to the axes it leaves behind.
    using Op = void (*)(Camera&);
    const Op ops[] = {
        [](Camera& c) {
            c.setRight({1, 2, 0.5});
        },
        [](Camera& c) {
            c.setUp({0.3, 1, -0.2});
        },
        [](Camera& c) {
            c.setDirection({0.1, -0.2, 2});
        },
        [](Camera& c) {
            c.setFrame({2, 0, 1, 0, 3, 0, 1, 0, 4});
        },
        [](Camera& c) { c.zoom(1.5); },
        [](Camera& c) { c.zoomHorizontal(0.7); },
        [](Camera& c) { c.zoomVertical(1.3); },
        [](Camera& c) { c.setHorizontalZoom(2.0); },
        [](Camera& c) { c.setVerticalZoom(0.4); },
        [](Camera& c) { c.setHorizontalFov(1.0); },
        [](Camera& c) { c.setVerticalFov(0.8); },
        [](Camera& c) { c.setAspectRatio(1.6); },
        [](Camera& c) { c.setInverseAspectRatio(0.6); },
        [](Camera& c) { c.scaleAxes(1.7); },
        [](Camera& c) { c.rescaleAxes(0.9); },
        [](Camera& c) {
            c.rotate({1, 2, 3}, 0.4);
        },
        [](Camera& c) {
            c.pointAlong({1, -1, 2});
        },
        [](Camera& c) {
            c.lookAt({4, 5, 6});
        },
        [](Camera& c) { c.setYaw(0.3); },
        [](Camera& c) { c.turnYaw(0.2); },
        [](Camera& c) { c.turnAboutUp(-0.4); },
        [](Camera& c) { c.setPitch(0.25); },
        [](Camera& c) { c.turnPitch(-0.1); },
        [](Camera& c) { c.setRoll(0.5); },
        [](Camera& c) { c.turnRoll(0.6); },
        [](Camera& c) { c.orthogonalizeFromUp(); },
        [](Camera& c) { c.orthogonalizeFromRight(); },
    };
    easel_test::Random random(32);
    Camera c = randomCamera(random);
    for (int round = 0; round < 5; ++round) {
        for (size_t i = 0; i < sizeof ops / sizeof ops[0]; ++i) {
            ops[i](c);
            ASSERT_TRUE(frameFollowsAxes(c)) << "after operation " << i;
        }
    }
}

// ---------------------------------------------------------------- lens

TEST(CameraLens, DefaultLens) {
    const Camera c;
    EXPECT_EQ(c.getHorizontalZoom(), 1.0);
    EXPECT_EQ(c.getVerticalZoom(), 1.0);
    EXPECT_DOUBLE_EQ(c.getHorizontalFov(), pi / 2);
    EXPECT_DOUBLE_EQ(c.getVerticalFov(), pi / 2);
    EXPECT_EQ(c.getAspectRatio(), 1.0);
    EXPECT_EQ(c.getInverseAspectRatio(), 1.0);
    EXPECT_EQ(c.getDirectionLength(), 1.0);
}

TEST(CameraLens, LensExamples) {
    Camera z;
    z.zoom(2);
    EXPECT_TRUE(vectorSame(z.getRight(), {0.5, 0, 0}));
    EXPECT_TRUE(vectorSame(z.getUp(), {0, 0.5, 0}));
    EXPECT_EQ(z.getHorizontalZoom(), 2.0);
    EXPECT_EQ(z.getVerticalZoom(), 2.0);
    EXPECT_DOUBLE_EQ(z.getHorizontalFov(), 2 * std::atan(0.5));
    EXPECT_DOUBLE_EQ(z.getVerticalFov(), 2 * std::atan(0.5));

    Camera h;
    h.setHorizontalZoom(4);
    EXPECT_TRUE(vectorSame(h.getRight(), {0.25, 0, 0}));
    EXPECT_TRUE(vectorSame(h.getUp(), {0, 1, 0}));

    Camera f;
    f.setHorizontalFov(pi / 2);
    EXPECT_TRUE(vectorNear(f.getRight(), {1, 0, 0}, 1e-15));

    Camera zh;
    zh.zoomHorizontal(4);
    zh.zoomVertical(0.5);
    EXPECT_TRUE(vectorSame(zh.getRight(), {0.25, 0, 0}));
    EXPECT_TRUE(vectorSame(zh.getUp(), {0, 2, 0}));

    Camera a;
    a.setAspectRatio(2);
    EXPECT_TRUE(vectorSame(a.getUp(), {0, 0.5, 0}));
    Camera b({0, 0, 0}, {2, 0, 0}, {0, 3, 0}, {0, 0, 1}, 0.1, 10);
    b.setAspectRatio(2);
    EXPECT_TRUE(vectorSame(b.getUp(), {0, 1, 0}));
    EXPECT_TRUE(vectorSame(b.getRight(), {2, 0, 0}));
    Camera ia({0, 0, 0}, {2, 0, 0}, {0, 3, 0}, {0, 0, 1}, 0.1, 10);
    ia.setInverseAspectRatio(0.5);
    EXPECT_TRUE(vectorSame(ia.getRight(), {6, 0, 0}));
    EXPECT_TRUE(vectorSame(ia.getUp(), {0, 3, 0}));

    Camera s;
    s.zoom(2);
    s.scaleAxes(2);
    EXPECT_TRUE(vectorSame(s.getRight(), {1, 0, 0}));
    EXPECT_TRUE(vectorSame(s.getUp(), {0, 1, 0}));
    EXPECT_TRUE(vectorSame(s.getDirection(), {0, 0, 2}));
    EXPECT_EQ(s.getHorizontalZoom(), 2.0);
    EXPECT_EQ(s.getVerticalZoom(), 2.0);
    EXPECT_EQ(s.getAspectRatio(), 1.0);
    EXPECT_EQ(s.getDirectionLength(), 2.0);

    Camera r;
    r.rescaleAxes(2);  // k = 1 / 2
    EXPECT_TRUE(vectorSame(r.getRight(), {0.5, 0, 0}));
    EXPECT_TRUE(vectorSame(r.getUp(), {0, 0.5, 0}));
    EXPECT_TRUE(vectorSame(r.getDirection(), {0, 0, 0.5}));
    Camera r1;
    r1.rescaleAxes(1);
    EXPECT_TRUE(matrixSame(r1.getFrame(), identity3));
    Camera r3;
    r3.scaleAxes(3);
    r3.rescaleAxes(2);  // direction length 3 * 3 / 2
    EXPECT_DOUBLE_EQ(r3.getDirectionLength(), 4.5);
}

TEST(CameraLens, DegenerateLensValuesRaiseNothing) {
    Camera c;
    c.zoom(0);
    EXPECT_FALSE(anyFinite(c.getRight()));
    EXPECT_FALSE(anyFinite(c.getUp()));
    EXPECT_EQ(c.getRight().x, inf);
    EXPECT_TRUE(std::isnan(c.getRight().y));
    EXPECT_TRUE(frameFollowsAxes(c));

    // A zero up has infinite zoom; setting the zoom then gives NaN.
    Camera z({0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {0, 0, 1}, 0.1, 10);
    EXPECT_EQ(z.getVerticalZoom(), inf);
    z.setVerticalZoom(2);
    EXPECT_TRUE(std::isnan(z.getUp().y));
    // setAspectRatio leaves a zero up at zero.
    Camera a({0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {0, 0, 1}, 0.1, 10);
    a.setAspectRatio(2);
    EXPECT_TRUE(vectorSame(a.getUp(), {0, 0, 0}));
}

TEST(CameraLens, WideFieldOfViewReversesTheAxis) {
    for (double angle : {3.3, 4.0, 5.0, 6.0}) {
        Camera c;
        c.scaleAxes(2);
        c.setHorizontalFov(angle);
        c.setVerticalFov(angle);
        EXPECT_LT(c.getRight().x, 0.0) << angle;
        EXPECT_LT(c.getUp().y, 0.0) << angle;
        EXPECT_NEAR(c.getRight().length(), 2 * std::fabs(std::tan(angle / 2)), 1e-12);
        EXPECT_NEAR(c.getUp().length(), 2 * std::fabs(std::tan(angle / 2)), 1e-12);
    }
}

TEST(CameraLens, LensSettersReturnTheValueSet) {
    easel_test::Random random(33);
    for (int n = 0; n < 500; ++n) {
        Camera c = randomCamera(random);
        const Vector3 d = c.getDirection();
        const double zx = random.uniform(0.05, 20.0);
        const double zy = random.uniform(0.05, 20.0);
        c.setHorizontalZoom(zx);
        c.setVerticalZoom(zy);
        EXPECT_NEAR(c.getHorizontalZoom(), zx, 1e-12 * zx);
        EXPECT_NEAR(c.getVerticalZoom(), zy, 1e-12 * zy);
        const double before = c.getHorizontalZoom();
        c.zoom(1.5);
        EXPECT_NEAR(c.getHorizontalZoom(), 1.5 * before, 1e-12 * before);

        const double fx = random.uniform(0.05, pi - 0.05);
        const double fy = random.uniform(0.05, pi - 0.05);
        c.setHorizontalFov(fx);
        c.setVerticalFov(fy);
        EXPECT_NEAR(c.getHorizontalFov(), fx, 1e-12);
        EXPECT_NEAR(c.getVerticalFov(), fy, 1e-12);

        const double aspect = random.uniform(0.1, 10.0);
        const Vector3 right = c.getRight();
        c.setAspectRatio(aspect);
        EXPECT_NEAR(c.getAspectRatio(), aspect, 1e-12 * aspect);
        EXPECT_TRUE(vectorSame(c.getRight(), right));
        const Vector3 up = c.getUp();
        c.setInverseAspectRatio(aspect);
        EXPECT_NEAR(c.getInverseAspectRatio(), aspect, 1e-12 * aspect);
        EXPECT_TRUE(vectorSame(c.getUp(), up));

        // None of it touches the viewing direction; scaling keeps the lens.
        EXPECT_TRUE(vectorSame(c.getDirection(), d));
        const double hz = c.getHorizontalZoom();
        const double hf = c.getHorizontalFov();
        const double ar = c.getAspectRatio();
        c.scaleAxes(random.uniform(0.1, 10.0));
        EXPECT_NEAR(c.getHorizontalZoom(), hz, 1e-12 * hz);
        EXPECT_NEAR(c.getHorizontalFov(), hf, 1e-12);
        EXPECT_NEAR(c.getAspectRatio(), ar, 1e-12 * ar);
    }
}

// ---------------------------------------------------------------- orientation

TEST(CameraOrientation, TurningSensesOnTheDefaultCamera) {
    for (double a : {0.2, 0.5, 1.0, 2.0, 3.0}) {
        Camera yaw;
        yaw.turnYaw(a);
        EXPECT_TRUE(vectorNear(yaw.getDirection(), {-std::sin(a), 0, std::cos(a)}, 1e-15));
        EXPECT_NEAR(yaw.getYaw(), -a, 1e-15);

        Camera pitch;
        pitch.turnPitch(a);
        EXPECT_TRUE(vectorNear(pitch.getDirection(), {0, std::sin(a), std::cos(a)}, 1e-15));
        if (a < pi / 2) {
            EXPECT_NEAR(pitch.getPitch(), a, 1e-15);
        }

        Camera roll;
        roll.turnRoll(a);
        EXPECT_TRUE(vectorNear(roll.getRight(), {std::cos(a), -std::sin(a), 0}, 1e-15));
        EXPECT_TRUE(vectorNear(roll.getUp(), {std::sin(a), std::cos(a), 0}, 1e-15));
        EXPECT_NEAR(roll.getRoll(), a, 1e-7);

        Camera aboutUp;
        aboutUp.turnPitch(0.5);
        const Vector3 up = aboutUp.getUp();
        aboutUp.turnAboutUp(a);
        EXPECT_TRUE(vectorNear(aboutUp.getUp(), up, 1e-15));  // its own axis stays
        EXPECT_NEAR(easel::dot(aboutUp.getDirection(), up), 0.0, 1e-15);
    }
    Camera negative;
    negative.turnRoll(-0.4);
    EXPECT_NEAR(negative.getRoll(), -0.4, 1e-7);
    EXPECT_EQ(Camera().getYaw(), 0.0);
    EXPECT_EQ(Camera().getPitch(), 0.0);
    EXPECT_EQ(Camera().getRoll(), -0.0);
}

TEST(CameraOrientation, StraightUpOrDown) {
    Camera c;
    c.turnPitch(pi / 2);
    c.setDirection({0, 1, 0});  // exactly vertical
    EXPECT_EQ(c.getYaw(), 0.0);
    EXPECT_DOUBLE_EQ(c.getPitch(), pi / 2);
    EXPECT_DOUBLE_EQ(std::fabs(c.getRoll()), pi / 2);
}

TEST(CameraOrientation, SetThenGetYawPitchRoll) {
    Camera y;
    y.setYaw(0.5);
    EXPECT_NEAR(y.getYaw(), 0.5, 1e-12);
    Camera p;
    p.setPitch(-0.3);
    EXPECT_NEAR(p.getPitch(), -0.3, 1e-12);
    Camera r;
    r.setRoll(1);
    EXPECT_NEAR(r.getRoll(), 1.0, 1e-7);

    easel_test::Random random(34);
    for (int n = 0; n < 500; ++n) {
        Camera c = uprightCamera(random);
        const double lengths[3] = {c.getRight().length(), c.getUp().length(),
                                   c.getDirectionLength()};
        const double yaw = random.uniform(-3.1, 3.1);
        const double pitch = random.uniform(-1.5, 1.5);
        const double roll = random.uniform(-3.1, 3.1);
        c.setYaw(yaw);
        EXPECT_NEAR(c.getYaw(), yaw, 1e-12);
        c.setPitch(pitch);
        EXPECT_NEAR(c.getPitch(), pitch, 1e-12);
        EXPECT_NEAR(c.getYaw(), yaw, 1e-12);  // pitching about right keeps the yaw
        c.setRoll(roll);
        EXPECT_NEAR(c.getRoll(), roll, 1e-6);
        EXPECT_NEAR(c.getPitch(), pitch, 1e-12);  // rolling keeps the view
        EXPECT_NEAR(c.getYaw(), yaw, 1e-12);
        // Turning never changes the lens.
        EXPECT_NEAR(c.getRight().length(), lengths[0], 1e-12 * lengths[0]);
        EXPECT_NEAR(c.getUp().length(), lengths[1], 1e-12 * lengths[1]);
        EXPECT_NEAR(c.getDirectionLength(), lengths[2], 1e-12 * lengths[2]);
    }
}

TEST(CameraOrientation, PointAlongExamples) {
    Camera c;
    c.pointAlong({1, 0, 0});
    EXPECT_TRUE(vectorNear(c.getDirection(), {1, 0, 0}, 1e-15));
    EXPECT_TRUE(vectorNear(c.getRight(), {0, 0, -1}, 1e-15));
    EXPECT_TRUE(vectorNear(c.getUp(), {0, 1, 0}, 1e-15));
    EXPECT_NEAR(c.getYaw(), pi / 2, 1e-15);

    // Straight behind, zero and straight ahead: nothing turns.
    for (const Vector3& t : {Vector3(0, 0, -3), Vector3(0, 0, 0), Vector3(0, 0, 5)}) {
        Camera d;
        d.pointAlong(t);
        EXPECT_TRUE(matrixSame(d.getFrame(), identity3));
    }

    Camera ahead;
    ahead.setPosition({1, 2, 3});
    ahead.lookAt({1, 2, 10});
    EXPECT_TRUE(matrixSame(ahead.getFrame(), identity3));

    Camera look;
    look.setPosition({1, 0, 0});
    look.lookAt({2, 0, 0});
    EXPECT_TRUE(vectorNear(look.getDirection(), {1, 0, 0}, 1e-15));
    EXPECT_TRUE(vectorSame(look.getPosition(), {1, 0, 0}));
}

// Along a multiple of the direction the cross product can round to a tiny
// non-zero axis while the cosine rounds past +-1: clamped, it turns by 0 or
// by pi, never into NaN.
TEST(CameraOrientation, PointAlongClampsARoundedCosine) {
    const Vector3 d{0.1, 0.1, 2.5};
    ASSERT_GT(easel::cross(d, d * 3.0).length(), 0.0);
    ASSERT_GT(easel::dot(easel::normalized(d), easel::normalized(d * 3.0)), 1.0);
    ASSERT_LT(easel::dot(easel::normalized(d), easel::normalized(d * -3.0)), -1.0);

    Camera same;
    same.setDirection(d);
    const Matrix3 before = same.getFrame();
    same.pointAlong(d * 3.0);
    EXPECT_TRUE(matrixSame(same.getFrame(), before)) << "an angle of 0 turns nothing";

    Camera reversed;
    reversed.setDirection(d);
    reversed.pointAlong(d * -3.0);
    EXPECT_TRUE(allFinite(reversed.getFrame()));
    EXPECT_TRUE(vectorNear(reversed.getDirection(), -d, 1e-12)) << "turned by pi";
    EXPECT_NEAR(reversed.getRight().length(), 1.0, 1e-15);
    EXPECT_NEAR(reversed.getUp().length(), 1.0, 1e-15);
}

TEST(CameraOrientation, PointAlongAimsTheDirectionAndKeepsTheLengths) {
    easel_test::Random random(35);
    for (int n = 0; n < 1000; ++n) {
        Camera c = randomCamera(random);
        const Vector3 t = random.nonZeroVector();
        const Vector3 d = c.getDirection();
        if (easel::angleBetween(d, t) > -1e-3 || easel::angleBetween(d, t) < -pi + 1e-3)
            continue;  // nearly parallel or opposite
        const double lengths[3] = {c.getRight().length(), c.getUp().length(), d.length()};
        const Matrix3 before = c.getFrame();
        if (n % 2 == 0) {
            c.pointAlong(t);
        } else {
            c.lookAt(c.getPosition() + t);
        }
        EXPECT_TRUE(vectorNear(easel::normalized(c.getDirection()), easel::normalized(t), 1e-9));
        EXPECT_NEAR(c.getRight().length(), lengths[0], 1e-12 * lengths[0]);
        EXPECT_NEAR(c.getUp().length(), lengths[1], 1e-12 * lengths[1]);
        EXPECT_NEAR(c.getDirectionLength(), lengths[2], 1e-12 * lengths[2]);
        // The frame turned rigidly: the axes keep their mutual angles.
        const Matrix3 gram = easel::transposed(c.getFrame()) * c.getFrame();
        const Matrix3 gramBefore = easel::transposed(before) * before;
        EXPECT_TRUE(matrixNear(gram, gramBefore, 1e-9));
    }
}

TEST(CameraOrientation, RebuildingTheAxesKeepsTheLens) {
    Camera plain;
    plain.orthogonalizeFromUp();
    EXPECT_TRUE(matrixSame(plain.getFrame(), identity3));
    plain.orthogonalizeFromRight();
    EXPECT_TRUE(matrixSame(plain.getFrame(), identity3));

    Camera c;
    c.setUp({0, 1, 1});
    c.orthogonalizeFromUp();
    EXPECT_TRUE(vectorNear(c.getUp(), {0, std::sqrt(2.0), 0}, 1e-15));
    EXPECT_TRUE(vectorNear(c.getRight(), {1, 0, 0}, 1e-15));
    EXPECT_TRUE(vectorSame(c.getDirection(), {0, 0, 1}));

    Camera r;
    r.setRight({1, 0, 1});
    r.orthogonalizeFromRight();
    EXPECT_TRUE(vectorNear(r.getRight(), {std::sqrt(2.0), 0, 0}, 1e-15));
    EXPECT_TRUE(vectorNear(r.getUp(), {0, 1, 0}, 1e-15));

    easel_test::Random random(36);
    for (int n = 0; n < 500; ++n) {
        Camera a = randomCamera(random);
        const double zx = a.getHorizontalZoom();
        const double zy = a.getVerticalZoom();
        const Vector3 d = a.getDirection();
        const Vector3 upBefore = a.getUp();
        const Vector3 rightBefore = a.getRight();
        const bool fromUp = n % 2 == 0;
        if (fromUp) {
            a.orthogonalizeFromUp();
        } else {
            a.orthogonalizeFromRight();
        }
        EXPECT_TRUE(vectorSame(a.getDirection(), d));
        EXPECT_NEAR(a.getHorizontalZoom(), zx, 1e-12 * zx);
        EXPECT_NEAR(a.getVerticalZoom(), zy, 1e-12 * zy);
        const Vector3 r2 = a.getRight();
        const Vector3 u2 = a.getUp();
        const double scale = r2.length() * u2.length() * d.length();
        EXPECT_NEAR(easel::dot(r2, u2), 0.0, 1e-12 * scale);
        EXPECT_NEAR(easel::dot(r2, d), 0.0, 1e-12 * scale);
        EXPECT_NEAR(easel::dot(u2, d), 0.0, 1e-12 * scale);
        // The kept axis keeps its side: same sense as before, in the plane of
        // itself and the direction; the rebuilt order is right, up, direction.
        if (fromUp) {
            EXPECT_GT(easel::dot(u2, upBefore), 0.0);
        } else {
            EXPECT_GT(easel::dot(r2, rightBefore), 0.0);
        }
        EXPECT_GT(easel::dot(easel::cross(u2, d), r2), 0.0);
    }
}

TEST(CameraOrientation, RebuildingFromAnAxisAlongTheViewGivesNan) {
    Camera c;
    c.setUp({0, 0, 2});
    c.orthogonalizeFromUp();
    EXPECT_TRUE(std::isnan(c.getRight().x));
    EXPECT_TRUE(std::isnan(c.getUp().y));
}

// ---------------------------------------------------------------- position

TEST(CameraPosition, MovingTheEye) {
    Camera c;
    EXPECT_DOUBLE_EQ(c.distanceTo({3, 4, 0}), 5.0);
    c.moveTo({3, 4, 0});
    EXPECT_TRUE(vectorNear(c.getPosition(), {3, 4, 0}, 1e-15));
    c.moveTo(c.getPosition());
    EXPECT_TRUE(vectorNear(c.getPosition(), {3, 4, 0}, 1e-15));
    c.move({1, -1, 2});
    EXPECT_TRUE(vectorNear(c.getPosition(), {4, 3, 2}, 1e-15));
    EXPECT_TRUE(matrixSame(c.getFrame(), identity3));

    easel_test::Random random(37);
    for (int n = 0; n < 200; ++n) {
        Camera m = randomCamera(random);
        const Vector3 p = random.vector(-100, 100);
        m.moveTo(p);
        EXPECT_TRUE(vectorNear(m.getPosition(), p, 1e-12));
    }
}

// ---------------------------------------------------------------- projection

class CameraProjection : public easel_test::ScreenTest {};

// The angles the screen spans are where projected points meet its edges,
// and a sphere at distanceToFit touches the narrower pair of edges.
TEST_F(CameraProjection, ScreenAnglesAreWhereTheEdgesAreAndASphereFits) {
    Camera c;
    EXPECT_NEAR(c.getHorizontalScreenAngle(), 2.0 * std::atan(0.5), 1e-12);
    c.setHorizontalScreenAngle(1.2);
    c.setVerticalScreenAngle(0.8);
    EXPECT_NEAR(c.getHorizontalScreenAngle(), 1.2, 1e-12);
    EXPECT_NEAR(c.getVerticalScreenAngle(), 0.8, 1e-12);
    int x = 0, y = 0;
    c.project({std::tan(0.6) * 0.999, 0, 1}, x, y);
    EXPECT_EQ(x, 499);
    c.project({0, std::tan(0.4) * 0.999, 1}, x, y);
    EXPECT_EQ(y, 0);
    // The narrower (vertical) angle decides; the tangent ray at its edge
    // touches the sphere around (0, 0, d).
    const double d = c.distanceToFit(2.0);
    EXPECT_NEAR(d, 2.0 / std::sin(0.4), 1e-12);
    const double reach = std::sqrt(d * d - 4.0);  // from the eye to the tangent point
    const double edge = 0.4 * 0.9999;
    EXPECT_TRUE(c.project({0, -reach * std::sin(edge), reach * std::cos(edge)}, x, y));
    EXPECT_EQ(y, 499);
}

TEST_F(CameraProjection, DefaultCameraExamples) {
    struct Case {
        Vector3 point;
        int x;
        int y;
        double depth;
        bool visible;
    };
    const Case cases[] = {
        {{0, 0, 1}, 250, 250, 1, true},
        {{0.2, 0.1, 2}, 300, 225, 2, true},
        {{-0.5, 0, 1}, 0, 250, 1, true},
        {{0.5, 0, 1}, 500, 250, 1, false},
        {{0, 0.5, 1}, 250, 0, 1, true},
        {{0, -0.5, 1}, 250, 500, 1, false},
        {{0.001, 0, 1}, 250, 250, 1, true},
        {{-0.001, 0, 1}, 249, 250, 1, true},  // truncation towards zero
        {{0, 0.001, 1}, 250, 249, 1, true},
        {{0, 0, 0.05}, 250, 250, 0.05, false},  // nearer than nearClip
        {{0, 0, 0.1}, 250, 250, 0.1, true},     // exactly at nearClip
        {{0, 0, -1}, 250, 250, -1, false},      // behind
        {{0.3, 0, -1}, 100, 250, -1, false},
        {{0, 0, 0}, INT_MIN, INT_MIN, 0, false},  // 0 / 0
        {{1, 1, 0}, INT_MIN, INT_MIN, 0, false},  // +-infinity
    };
    const Camera c;
    for (const Case& k : cases) {
        int x = 7;
        int y = 7;
        double depth = 7;
        const bool visible = c.project(k.point, x, y, depth);
        EXPECT_EQ(visible, k.visible) << k.point.x << ", " << k.point.y << ", " << k.point.z;
        EXPECT_EQ(x, k.x) << k.point.x << ", " << k.point.y << ", " << k.point.z;
        EXPECT_EQ(y, k.y) << k.point.x << ", " << k.point.y << ", " << k.point.z;
        EXPECT_EQ(depth, k.depth);
        int x2 = 7;
        int y2 = 7;
        EXPECT_EQ(c.project(k.point, x2, y2), k.visible);
        EXPECT_EQ(x2, k.x);
        EXPECT_EQ(y2, k.y);
    }
}

TEST_F(CameraProjection, PositionIsSubtractedFirst) {
    Camera c;
    c.setPosition({0, 0, -1});
    int x = 0;
    int y = 0;
    double depth = 0;
    EXPECT_TRUE(c.project({0, 0, 0}, x, y, depth));
    EXPECT_EQ(x, 250);
    EXPECT_EQ(y, 250);
    EXPECT_EQ(depth, 1.0);
}

TEST_F(CameraProjection, CameraSpaceIgnoresPositionAndAxes) {
    easel_test::Random random(41);
    Camera cameras[] = {Camera(), randomCamera(random), randomCamera(random)};
    cameras[1].nearClip = 1.0;
    for (const Camera& c : cameras) {
        int x = 0;
        int y = 0;
        EXPECT_TRUE(c.projectCameraSpace(0.25, 0, 1, x, y));
        EXPECT_EQ(x, 375);
        EXPECT_EQ(y, 250);
    }
}

TEST_F(CameraProjection, TruncationAndTheIntRange) {
    const Camera c;
    struct Case {
        double cx;
        double cy;
        double cz;
        int x;
        int y;
        bool visible;
    };
    // With cz = 500 the screen position is exactly 250 + cx and 250 - cy.
    const Case cases[] = {
        {-0.5008, 0, 1, 0, 250, true},  // px = -0.4 truncates to 0
        {-250.4, 0, 500, 0, 250, true},
        {-251, 0, 500, -1, 250, false},
        {249.9, -249.9, 500, 499, 499, true},
        {2147483397.0, 0, 500, INT_MAX, 250, false},
        {2147483398.0, 0, 500, INT_MIN, 250, false},  // 2^31 does not fit
        {-2147483897.0, 0, 500, -2147483647, 250, false},
        {-2147483898.0, 0, 500, INT_MIN, 250, false},
        {-2147483898.5, 0, 500, INT_MIN, 250, false},  // truncates to INT_MIN
        {-2147483900.0, 0, 500, INT_MIN, 250, false},  // below the range
        {0, -2147483397.0, 500, 250, INT_MAX, false},
        {0, -2147483398.0, 500, 250, INT_MIN, false},
        {1e300, -1e300, 1, INT_MIN, INT_MIN, false},
        {nan, 0, 1, INT_MIN, 250, false},
        {0, inf, 1, 250, INT_MIN, false},
        {0, 0, nan, INT_MIN, INT_MIN, false},
        {0, 0, inf, 250, 250, true},  // 0 / infinity is 0
    };
    for (const Case& k : cases) {
        int x = 0;
        int y = 0;
        const bool visible = c.projectCameraSpace(k.cx, k.cy, k.cz, x, y);
        EXPECT_EQ(x, k.x) << k.cx << ", " << k.cy << ", " << k.cz;
        EXPECT_EQ(y, k.y) << k.cx << ", " << k.cy << ", " << k.cz;
        EXPECT_EQ(visible, k.visible) << k.cx << ", " << k.cy << ", " << k.cz;
    }
}

TEST_F(CameraProjection, NearClipDecidesVisibility) {
    Camera c;
    c.nearClip = 2.0;
    int x = 0;
    int y = 0;
    EXPECT_FALSE(c.project({0, 0, 1.999}, x, y));
    EXPECT_TRUE(c.project({0, 0, 2}, x, y));
    c.nearClip = -1.0;  // a negative near clip lets points behind through
    EXPECT_TRUE(c.project({0.1, 0, -0.5}, x, y));
    EXPECT_EQ(x, 150);
    // The far clip is never tested.
    c.farClip = 1.0;
    EXPECT_TRUE(c.project({0, 0, 1e9}, x, y));
}

TEST_F(CameraProjection, SingularFrameProjectsNothing) {
    Camera c;
    c.setUp({0, 0, 1});
    easel_test::Random random(42);
    for (int n = 0; n < 100; ++n) {
        int x = 0;
        int y = 0;
        double depth = 0;
        EXPECT_FALSE(c.project(random.vector(), x, y, depth));
        EXPECT_EQ(x, INT_MIN);
        EXPECT_EQ(y, INT_MIN);
    }
}

TEST_F(CameraProjection, ReadsTheScreenSizeAtEveryCall) {
    const Camera c;
    const int width = easel::Screen.width;
    const int height = easel::Screen.height;
    easel::Screen.width = 400;
    easel::Screen.height = 300;
    int x[3] = {};
    int y[3] = {};
    bool visible[3] = {};
    visible[0] = c.project({0, 0, 1}, x[0], y[0]);
    visible[1] = c.projectCameraSpace(0.3, -0.45, 1, x[1], y[1]);
    visible[2] = c.projectCameraSpace(0.5, 0, 1, x[2], y[2]);
    easel::Screen.width = width;
    easel::Screen.height = height;
    EXPECT_TRUE(visible[0]);
    EXPECT_EQ(x[0], 200);
    EXPECT_EQ(y[0], 150);
    EXPECT_TRUE(visible[1]);
    EXPECT_EQ(x[1], 320);
    EXPECT_EQ(y[1], 285);
    EXPECT_FALSE(visible[2]);  // x = 400 is the first column past the edge
    EXPECT_EQ(x[2], 400);
}

// After fitScreen a square seen face on spans as many pixels across as down,
// on screens of any shape, whatever the camera's lens was; right stays.
TEST_F(CameraProjection, FitScreenShowsSquaresSquareOnEveryScreenShape) {
    const int shapes[][2] = {{500, 500}, {640, 400}, {300, 600}, {1000, 10}, {7, 500}};
    for (const auto& shape : shapes) {
        SCOPED_TRACE(::testing::Message() << shape[0] << " x " << shape[1]);
        easel_test::ScopedScreen screen(easel::Screen.surface, shape[0], shape[1]);
        Camera c({0, 0, -6}, {1.5, 0, 0}, {0, 0.2, 0}, {0, 0, 1}, 0.1, 100);
        c.fitScreen();
        EXPECT_TRUE(vectorSame(c.getRight(), {1.5, 0, 0}));
        EXPECT_NEAR(c.getAspectRatio(), static_cast<double>(shape[0]) / shape[1], 1e-12);
        int left = 0, top = 0, right = 0, bottom = 0;
        c.project({-1, 1, 0}, left, top);
        c.project({1, -1, 0}, right, bottom);
        EXPECT_NEAR(right - left, bottom - top, 1) << "a 2 x 2 square at depth 6";
        EXPECT_GT(right - left, 0);
    }
}

TEST_F(CameraProjection, WorldAndCameraSpaceProjectionsAgree) {
    easel_test::Random random(43);
    int compared = 0;
    for (int n = 0; n < 5000; ++n) {
        const Camera c = randomCamera(random);
        const double cx = random.uniform(-0.7, 0.7);
        const double cy = random.uniform(-0.7, 0.7);
        const double cz = random.uniform(-2.0, 5.0);
        // Skip points whose screen position lies within rounding of a pixel
        // edge: there the two routes may truncate to neighbouring pixels.
        const double px = 250.0 + 500.0 * cx / cz;
        const double py = 250.0 - 500.0 * cy / cz;
        if (std::fabs(px - std::round(px)) < 1e-6 || std::fabs(py - std::round(py)) < 1e-6 ||
            std::fabs(cz) < 0.01 || std::fabs(cz - c.nearClip) < 1e-9 || std::fabs(px) > 1e9 ||
            std::fabs(py) > 1e9)
            continue;
        const Vector3 world =
            c.getPosition() + cx * c.getRight() + cy * c.getUp() + cz * c.getDirection();
        int x = 0;
        int y = 0;
        double depth = 0;
        const bool visible = c.project(world, x, y, depth);
        int xs = 0;
        int ys = 0;
        const bool visibleSpace = c.projectCameraSpace(cx, cy, cz, xs, ys);
        EXPECT_EQ(x, xs);
        EXPECT_EQ(y, ys);
        EXPECT_EQ(visible, visibleSpace);
        EXPECT_NEAR(depth, cz, 1e-9);
        // And against the screen rule written out: truncation, bounds, depth.
        EXPECT_EQ(xs, static_cast<int>(px));
        EXPECT_EQ(ys, static_cast<int>(py));
        EXPECT_EQ(visibleSpace, xs >= 0 && xs < 500 && ys >= 0 && ys < 500 && cz >= 0.1);
        ++compared;
    }
    EXPECT_GT(compared, 4000);
}

TEST(CameraPixelConversion, ScalarRuleTruncatesAndRejectsTheUnrepresentable) {
    using easel::detail::toPixel;
    struct Case {
        double v;
        int expected;
    };
    const Case cases[] = {
        {0.0, 0},
        {-0.0, 0},
        {0.999, 0},
        {-0.999, 0},
        {-1.0, -1},
        {249.5, 249},
        {-249.5, -249},
        {2147483647.0, INT_MAX},
        {2147483647.999, INT_MAX},
        {2147483648.0, INT_MIN},
        {-2147483648.0, INT_MIN},
        {-2147483648.999, INT_MIN},  // truncates to INT_MIN, which fits
        {-2147483649.0, INT_MIN},
        {1e300, INT_MIN},
        {-1e300, INT_MIN},
        {inf, INT_MIN},
        {-inf, INT_MIN},
        {nan, INT_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(toPixel(c.v), c.expected) << c.v;
}

TEST_F(CameraProjection, MatchesTheScalarRuleEverywhere) {
    // Whatever arithmetic the projection uses, its pixels must be those of
    // the scalar rule applied to W/2 + (W*cx)/cz and H/2 - (H*cy)/cz.
    using easel::detail::toPixel;
    const Camera c;
    easel_test::Random random(44);
    const double specials[] = {0.0, -0.0, 1e-300, -1e-300, 1e300, inf, -inf, nan, 4294967.0};
    for (int n = 0; n < 20000; ++n) {
        double k[3] = {random.uniform(-2, 2), random.uniform(-2, 2), random.uniform(-2, 2)};
        if (n % 3 == 0) k[n % 9 / 3] = specials[n % 9];
        if (n % 5 == 0) k[n % 2] *= 1e7;
        const double w = 500.0;
        const int px = toPixel(w * 0.5 + (w * k[0]) / k[2]);
        const int py = toPixel(w * 0.5 - (w * k[1]) / k[2]);
        int x = 0;
        int y = 0;
        const bool visible = c.projectCameraSpace(k[0], k[1], k[2], x, y);
        ASSERT_EQ(x, px) << k[0] << ", " << k[1] << ", " << k[2];
        ASSERT_EQ(y, py) << k[0] << ", " << k[1] << ", " << k[2];
        EXPECT_EQ(visible, px >= 0 && px < 500 && py >= 0 && py < 500 && k[2] >= 0.1);
    }
}

}  // namespace
