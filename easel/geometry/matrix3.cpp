#include "easel/geometry/matrix3.h"

#include <utility>

namespace easel {

namespace {

// Applies op to each pair of elements of a and b, writing into a.
template <typename Op>
Matrix3 elementwise(Matrix3 a, const Matrix3& b, Op op) {
    for (int i = 0; i < 9; ++i) a.m[i] = op(a.m[i], b.m[i]);
    return a;
}

}  // namespace

void Matrix3::transpose() {
    std::swap(m[1], m[3]);
    std::swap(m[2], m[6]);
    std::swap(m[5], m[7]);
}

double Matrix3::determinant() const {
    return m[0] * m[4] * m[8] + m[1] * m[5] * m[6] + m[2] * m[3] * m[7] - m[2] * m[4] * m[6] -
           m[1] * m[3] * m[8] - m[0] * m[5] * m[7];
}

void Matrix3::invert() {
    const double det = determinant();
    const Matrix3 old = *this;
    const double* a = old.m;
    m[0] = (a[4] * a[8] - a[5] * a[7]) / det;
    m[1] = (a[2] * a[7] - a[1] * a[8]) / det;
    m[2] = (a[1] * a[5] - a[2] * a[4]) / det;
    m[3] = (a[5] * a[6] - a[3] * a[8]) / det;
    m[4] = (a[0] * a[8] - a[2] * a[6]) / det;
    m[5] = (a[2] * a[3] - a[0] * a[5]) / det;
    m[6] = (a[3] * a[7] - a[4] * a[6]) / det;
    m[7] = (a[1] * a[6] - a[0] * a[7]) / det;
    m[8] = (a[0] * a[4] - a[1] * a[3]) / det;
}

Matrix3 transposed(Matrix3 a) {
    a.transpose();
    return a;
}

double determinant(Matrix3 a) {
    return a.determinant();
}

Matrix3 inverse(Matrix3 a) {
    a.invert();
    return a;
}

Matrix3 operator+(Matrix3 a, Matrix3 b) {
    return elementwise(a, b, [](double p, double q) { return p + q; });
}

Matrix3 operator-(Matrix3 a, Matrix3 b) {
    return elementwise(a, b, [](double p, double q) { return p - q; });
}

Matrix3 operator*(Matrix3 a, double s) {
    for (double& e : a.m) e *= s;
    return a;
}

Matrix3 operator*(double s, Matrix3 a) {
    return a * s;
}

Matrix3 operator/(Matrix3 a, double s) {
    for (double& e : a.m) e /= s;
    return a;
}

Vector3 operator*(Matrix3 a, Vector3 v) {
    const double* m = a.m;
    return {m[0] * v.x + m[1] * v.y + m[2] * v.z, m[3] * v.x + m[4] * v.y + m[5] * v.z,
            m[6] * v.x + m[7] * v.y + m[8] * v.z};
}

Vector3 operator*(Vector3 v, Matrix3 a) {
    const double* m = a.m;
    return {v.x * m[0] + v.y * m[3] + v.z * m[6], v.x * m[1] + v.y * m[4] + v.z * m[7],
            v.x * m[2] + v.y * m[5] + v.z * m[8]};
}

Matrix3 operator*(Matrix3 a, Matrix3 b) {
    Matrix3 c;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            c.m[i * 3 + j] =
                a.m[i * 3] * b.m[j] + a.m[i * 3 + 1] * b.m[3 + j] + a.m[i * 3 + 2] * b.m[6 + j];
    return c;
}

}  // namespace easel
