#include "easel/geometry/matrix3.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geometry/geometry_support.h"

namespace {

using easel::Matrix3;
using easel::Vector3;
using easel_test::identity3;
using easel_test::matrixNear;
using easel_test::matrixSame;
using easel_test::vectorNear;
using easel_test::vectorSame;

constexpr Matrix3 oneToNine{1, 2, 3, 4, 5, 6, 7, 8, 9};

// Element (i, j) of a row-major matrix, by the textbook definition.
double at(const Matrix3& a, int i, int j) {
    return a.m[i * 3 + j];
}

// The determinant by cofactor expansion along row 0.
double cofactorDeterminant(const Matrix3& a) {
    return at(a, 0, 0) * (at(a, 1, 1) * at(a, 2, 2) - at(a, 1, 2) * at(a, 2, 1)) -
           at(a, 0, 1) * (at(a, 1, 0) * at(a, 2, 2) - at(a, 1, 2) * at(a, 2, 0)) +
           at(a, 0, 2) * (at(a, 1, 0) * at(a, 2, 1) - at(a, 1, 1) * at(a, 2, 0));
}

TEST(MatrixArithmetic, DefaultIsTheZeroMatrixAndValuesAreRowMajor) {
    const Matrix3 zero;
    for (double e : zero.m) EXPECT_EQ(e, 0.0);
    const Matrix3 a(1, 2, 3, 4, 5, 6, 7, 8, 9);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(a.m[i], i + 1.0);
}

TEST(MatrixArithmetic, TransposeSwapsTheMirroredPairs) {
    EXPECT_TRUE(matrixSame(easel::transposed(oneToNine), {1, 4, 7, 2, 5, 8, 3, 6, 9}));
    Matrix3 a = oneToNine;
    a.transpose();
    EXPECT_TRUE(matrixSame(a, {1, 4, 7, 2, 5, 8, 3, 6, 9}));

    easel_test::Random random(21);
    for (int n = 0; n < 200; ++n) {
        const Matrix3 b = random.matrix();
        const Matrix3 t = easel::transposed(b);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) EXPECT_EQ(at(t, i, j), at(b, j, i));
        EXPECT_TRUE(matrixSame(easel::transposed(t), b));
    }
}

TEST(MatrixDeterminant, MatchesCofactorExpansion) {
    EXPECT_EQ(easel::determinant(Matrix3()), 0.0);
    EXPECT_EQ(oneToNine.determinant(), 0.0);  // integer arithmetic: exactly 0
    EXPECT_EQ(easel::determinant(identity3), 1.0);
    EXPECT_EQ(easel::determinant({2, 0, 0, 0, 4, 0, 0, 0, 8}), 64.0);
    EXPECT_EQ(easel::determinant({0, 1, 0, 1, 0, 0, 0, 0, 1}), -1.0);  // a row swap
    EXPECT_EQ(easel::determinant({2, -3, 1, 2, 0, -1, 1, 4, 5}), 49.0);

    easel_test::Random random(22);
    for (int n = 0; n < 500; ++n) {
        const Matrix3 a = random.matrix();
        const Matrix3 b = random.matrix();
        EXPECT_NEAR(a.determinant(), cofactorDeterminant(a), 1e-9);
        EXPECT_NEAR(easel::determinant(easel::transposed(a)), a.determinant(), 1e-9);
        const double product = a.determinant() * b.determinant();
        EXPECT_NEAR(easel::determinant(a * b), product, 1e-9 * (1.0 + std::fabs(product)));
    }
}

TEST(MatrixInverse, InverseOfKnownMatrices) {
    EXPECT_TRUE(matrixSame(easel::inverse(identity3), identity3));
    EXPECT_TRUE(matrixSame(easel::inverse({2, 0, 0, 0, 4, 0, 0, 0, 8}),
                           {0.5, 0, 0, 0, 0.25, 0, 0, 0, 0.125}));
    EXPECT_TRUE(matrixNear(easel::inverse({2, -3, 1, 2, 0, -1, 1, 4, 5}),
                           Matrix3(4, 19, 3, -11, 9, 4, 8, -11, 6) / 49.0, 1e-15));
}

TEST(MatrixInverse, SingularInverseIsNonFiniteAndRaisesNothing) {
    // 0 / 0 in every element.
    const Matrix3 z = easel::inverse(Matrix3());
    for (double e : z.m) EXPECT_TRUE(std::isnan(e));
    Matrix3 in = Matrix3();
    in.invert();
    for (double e : in.m) EXPECT_TRUE(std::isnan(e));
    // A singular matrix with non-zero cofactors gives infinities.
    const Matrix3 s = easel::inverse({1, 0, 0, 0, 1, 0, 0, 0, 0});
    EXPECT_TRUE(std::isnan(s.m[0]));  // 1*0 - 0*0 = 0, 0 / 0
    EXPECT_EQ(s.m[8], std::numeric_limits<double>::infinity());
    for (double e : easel::inverse(oneToNine).m) EXPECT_FALSE(std::isfinite(e));
}

TEST(MatrixInverse, InverseProperties) {
    easel_test::Random random(23);
    for (int n = 0; n < 1000; ++n) {
        const Matrix3 a = random.wellConditioned();
        const Matrix3 inv = easel::inverse(a);
        EXPECT_TRUE(matrixNear(a * inv, identity3, 1e-13));
        EXPECT_TRUE(matrixNear(inv * a, identity3, 1e-13));
        EXPECT_TRUE(matrixNear(easel::inverse(inv), a, 1e-13));
        // In place uses the values from before the call, exactly like the copy.
        Matrix3 b = a;
        b.invert();
        EXPECT_TRUE(matrixSame(b, inv));
    }
    // Any regular matrix, not only well-conditioned ones, inverts back to rounding.
    for (int n = 0; n < 1000; ++n) {
        const Matrix3 a = random.matrix();
        if (std::fabs(a.determinant()) < 1.0) continue;
        EXPECT_TRUE(matrixNear(easel::inverse(easel::inverse(a)), a, 1e-9));
    }
}

TEST(MatrixArithmetic, ElementwiseArithmetic) {
    const Matrix3 b(9, 8, 7, 6, 5, 4, 3, 2, 1);
    EXPECT_TRUE(matrixSame(oneToNine + b, Matrix3(10, 10, 10, 10, 10, 10, 10, 10, 10)));
    EXPECT_TRUE(matrixSame(oneToNine - b, Matrix3(-8, -6, -4, -2, 0, 2, 4, 6, 8)));
    EXPECT_TRUE(matrixSame(oneToNine * 0.5, Matrix3(0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5)));
    EXPECT_TRUE(matrixSame(0.5 * oneToNine, Matrix3(0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5)));
    EXPECT_TRUE(matrixSame(oneToNine / 2.0, Matrix3(0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5)));
    const Matrix3 d = Matrix3(1, -1, 0, 0, 0, 0, 0, 0, 0) / 0.0;
    EXPECT_EQ(d.m[0], std::numeric_limits<double>::infinity());
    EXPECT_EQ(d.m[1], -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(d.m[2]));
}

TEST(MatrixProducts, ProductsWithVectorsAndMatrices) {
    const Vector3 v{1, 2, 3};
    EXPECT_TRUE(vectorSame(oneToNine * v, {14, 32, 50}));
    EXPECT_TRUE(vectorSame(v * oneToNine, {30, 36, 42}));
    EXPECT_TRUE(matrixSame(oneToNine * Matrix3(9, 8, 7, 6, 5, 4, 3, 2, 1),
                           {30, 24, 18, 84, 69, 54, 138, 114, 90}));

    easel_test::Random random(24);
    for (int n = 0; n < 500; ++n) {
        const Matrix3 a = random.matrix();
        const Matrix3 b = random.matrix();
        const Vector3 w = random.vector();
        // The row form is the column form of the transpose.
        EXPECT_TRUE(vectorNear(w * a, easel::transposed(a) * w, 1e-12));
        // Products associate.
        EXPECT_TRUE(vectorNear((a * b) * w, a * (b * w), 1e-10));
        EXPECT_TRUE(vectorNear(w * (a * b), (w * a) * b, 1e-10));
        // The matrix product by its definition.
        const Matrix3 p = a * b;
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                double sum = 0.0;
                for (int k = 0; k < 3; ++k) sum += at(a, i, k) * at(b, k, j);
                EXPECT_NEAR(at(p, i, j), sum, 1e-12);
            }
        }
    }
}

}  // namespace
