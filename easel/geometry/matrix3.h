/// @file
/// 3 x 3 matrices of doubles: transposition, determinant, inversion,
/// elementwise arithmetic and products with vectors and matrices.
///
/// The nine elements are stored row-major in m (m[0..2] is row 0), and the
/// default matrix is the zero matrix, not the identity. Nothing is checked:
/// inverting a matrix whose determinant is 0 gives infinite or NaN elements
/// (one that rounds to a tiny determinant gives huge ones), and division by 0
/// follows IEEE rules.
#pragma once

#include "easel/geometry/vector3.h"

namespace easel {

/// A plain value matrix, row-major; all zeros by default.
struct Matrix3 {
    /// The elements row by row: m[3 * row + column].
    double m[9] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0};

    /// The zero matrix.
    constexpr Matrix3() = default;
    /// The nine values in row-major order: the first three are row 0.
    constexpr Matrix3(double m00, double m01, double m02, double m10, double m11, double m12,
                      double m20, double m21, double m22)
        : m{m00, m01, m02, m10, m11, m12, m20, m21, m22} {}

    /// Transposes in place: swaps m[1]/m[3], m[2]/m[6], m[5]/m[7] exactly.
    void transpose();
    /// The determinant by the rule of Sarrus, as determinant(a) below; rounding
    /// can leave a singular matrix's slightly off 0.
    double determinant() const;
    /// Replaces the matrix by adjugate / determinant, every element computed
    /// from the old values; a zero determinant gives infinite or NaN elements.
    void invert();
};

/// A transposed copy.
Matrix3 transposed(Matrix3 a);
/// m0*m4*m8 + m1*m5*m6 + m2*m3*m7 - m2*m4*m6 - m1*m3*m8 - m0*m5*m7.
double determinant(Matrix3 a);
/// Adjugate / determinant, as a copy; no test for a zero determinant.
Matrix3 inverse(Matrix3 a);

/// The elementwise sum.
Matrix3 operator+(Matrix3 a, Matrix3 b);
/// The elementwise difference.
Matrix3 operator-(Matrix3 a, Matrix3 b);
/// Every element multiplied by s.
Matrix3 operator*(Matrix3 a, double s);
/// Every element multiplied by s.
Matrix3 operator*(double s, Matrix3 a);
/// Every element divided by s; s = 0 gives infinite or NaN elements.
Matrix3 operator/(Matrix3 a, double s);
/// Matrix times column vector: component i is row i . v.
Vector3 operator*(Matrix3 a, Vector3 v);
/// Row vector times matrix: component j is v . column j.
Vector3 operator*(Vector3 v, Matrix3 a);
/// The matrix product: element (i, j) is the sum over k of a(i, k) * b(k, j).
Matrix3 operator*(Matrix3 a, Matrix3 b);

}  // namespace easel
