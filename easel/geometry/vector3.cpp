#include "easel/geometry/vector3.h"

#include <cmath>

namespace easel {

namespace {

// The full turn as the degree conversions take it.
constexpr double fullTurn = 6.28318;

// Clamps a cosine into [-1, 1]; a NaN passes through unchanged.
double clampCosine(double d) {
    if (d > 1.0) d = 1.0;
    if (d < -1.0) d = -1.0;
    return d;
}

}  // namespace

double Vector3::length() const {
    return std::sqrt(x * x + y * y + z * z);
}

void Vector3::normalize() {
    const double l = length();
    if (l == 0.0) return;
    x /= l;
    y /= l;
    z /= l;
}

double Vector3::distanceTo(const Vector3& p) const {
    return easel::length(*this - p);
}

double Vector3::dot(const Vector3& v) const {
    return easel::dot(*this, v);
}

Vector3 Vector3::cross(const Vector3& v) const {
    return easel::cross(v, *this);
}

double length(Vector3 v) {
    return v.length();
}

Vector3 normalized(Vector3 v) {
    v.normalize();
    return v;
}

double distance(Vector3 a, Vector3 b) {
    return length(a - b);
}

double dot(Vector3 a, Vector3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vector3 cross(Vector3 a, Vector3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double angleBetween(Vector3 a, Vector3 b) {
    const double d = clampCosine(dot(normalized(a), normalized(b)));
    return -std::acos(d);
}

Vector3 rotateAboutAxis(Vector3 v, Vector3 axis, double angle) {
    if (v.x == 0.0 && v.y == 0.0 && v.z == 0.0) return {};
    const Vector3 k = normalized(axis);
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double t = 1.0 - c;
    Vector3 r{v.x * (c + k.x * k.x * t) + v.y * (k.x * k.y * t + k.z * s) +
                  v.z * (k.x * k.z * t - k.y * s),
              v.x * (k.x * k.y * t - k.z * s) + v.y * (c + k.y * k.y * t) +
                  v.z * (k.y * k.z * t + k.x * s),
              v.x * (k.x * k.z * t + k.y * s) + v.y * (k.y * k.z * t - k.x * s) +
                  v.z * (c + k.z * k.z * t)};
    // Put the input's length back exactly, so that repeated turns never drift.
    const double rotatedLength = r.length();
    if (rotatedLength != 0.0) r = r / rotatedLength;
    return r * v.length();
}

double radiansToDegrees(double r) {
    return (360.0 * r) / fullTurn;
}

double degreesToRadians(double d) {
    return (fullTurn * d) / 360.0;
}

}  // namespace easel
