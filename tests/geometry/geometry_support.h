// Comparisons and random inputs shared by the geometry tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "easel/geometry/matrix3.h"
#include "easel/geometry/vector3.h"

namespace easel_test {

inline bool sameDouble(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

// Passes when every component is within tolerance of the expected one.
inline ::testing::AssertionResult vectorNear(const easel::Vector3& actual,
                                             const easel::Vector3& expected, double tolerance) {
    const double d[3] = {actual.x - expected.x, actual.y - expected.y, actual.z - expected.z};
    for (double e : d) {
        if (!(std::fabs(e) <= tolerance)) {
            return ::testing::AssertionFailure()
                   << "got (" << actual.x << ", " << actual.y << ", " << actual.z << "), expected ("
                   << expected.x << ", " << expected.y << ", " << expected.z << ") within "
                   << tolerance;
        }
    }
    return ::testing::AssertionSuccess();
}

// Passes when the components are identical (NaN matching NaN).
inline ::testing::AssertionResult vectorSame(const easel::Vector3& actual,
                                             const easel::Vector3& expected) {
    if (sameDouble(actual.x, expected.x) && sameDouble(actual.y, expected.y) &&
        sameDouble(actual.z, expected.z))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got (" << actual.x << ", " << actual.y << ", " << actual.z << "), expected ("
           << expected.x << ", " << expected.y << ", " << expected.z << ")";
}

// Passes when every element is within tolerance of the expected one.
inline ::testing::AssertionResult matrixNear(const easel::Matrix3& actual,
                                             const easel::Matrix3& expected, double tolerance) {
    for (int i = 0; i < 9; ++i) {
        if (!(std::fabs(actual.m[i] - expected.m[i]) <= tolerance)) {
            return ::testing::AssertionFailure()
                   << "element " << i << " is " << actual.m[i] << ", expected " << expected.m[i]
                   << " within " << tolerance;
        }
    }
    return ::testing::AssertionSuccess();
}

// Passes when the elements are identical (NaN matching NaN).
inline ::testing::AssertionResult matrixSame(const easel::Matrix3& actual,
                                             const easel::Matrix3& expected) {
    for (int i = 0; i < 9; ++i) {
        if (!sameDouble(actual.m[i], expected.m[i])) {
            return ::testing::AssertionFailure()
                   << "element " << i << " is " << actual.m[i] << ", expected " << expected.m[i];
        }
    }
    return ::testing::AssertionSuccess();
}

constexpr easel::Matrix3 identity3{1, 0, 0, 0, 1, 0, 0, 0, 1};

// A seeded source of random vectors and matrices, so failures repeat.
class Random {
  public:
    explicit Random(unsigned seed) : engine(seed) {}

    double uniform(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(engine);
    }
    easel::Vector3 vector(double lo = -10.0, double hi = 10.0) {
        const double x = uniform(lo, hi);
        const double y = uniform(lo, hi);
        const double z = uniform(lo, hi);
        return {x, y, z};
    }
    // A vector of length at least minimum, in a random direction.
    easel::Vector3 nonZeroVector(double minimum = 0.1) {
        for (;;) {
            const easel::Vector3 v = vector();
            if (v.length() >= minimum) return v;
        }
    }
    // Any matrix with elements in [-10, 10].
    easel::Matrix3 matrix() {
        easel::Matrix3 a;
        for (double& e : a.m) e = uniform(-10.0, 10.0);
        return a;
    }
    // A diagonally dominant matrix, comfortably invertible.
    easel::Matrix3 wellConditioned() {
        easel::Matrix3 a;
        for (double& e : a.m) e = uniform(-1.0, 1.0);
        for (int i = 0; i < 9; i += 4) a.m[i] += (a.m[i] < 0 ? -4.0 : 4.0);
        return a;
    }

  private:
    std::mt19937 engine;
};

}  // namespace easel_test
