/// @file
/// Three-component vectors of doubles: arithmetic, lengths, products, angles
/// and rotation about an axis. Angles are radians; only the degree conversions
/// use degrees, with the full turn taken as 6.28318. Nothing is checked: zero
/// or non-finite vectors follow IEEE rules, and normalisation leaves a zero
/// length alone. The member cross puts its argument on the LEFT:
/// a.cross(b) == cross(b, a).
#pragma once

namespace easel {

/// A plain value vector; the default is (0, 0, 0).
struct Vector3 {
    /// The first component.
    double x = 0.0;
    /// The second component.
    double y = 0.0;
    /// The third component.
    double z = 0.0;

    /// (0, 0, 0).
    constexpr Vector3() = default;
    /// The three components as given.
    constexpr Vector3(double xValue, double yValue, double zValue)
        : x(xValue), y(yValue), z(zValue) {}

    /// sqrt(x*x + y*y + z*z).
    double length() const;
    /// Divides each component by the length; leaves a zero vector unchanged
    /// (a NaN length is not zero, so it gives NaN components).
    void normalize();
    /// The length of the difference between this vector and p.
    double distanceTo(const Vector3& p) const;
    /// x*v.x + y*v.y + z*v.z.
    double dot(const Vector3& v) const;
    /// v x this: the argument stands on the left, so a.cross(b) == cross(b, a).
    Vector3 cross(const Vector3& v) const;
};

/// The componentwise sum.
constexpr Vector3 operator+(Vector3 a, Vector3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
/// The componentwise difference.
constexpr Vector3 operator-(Vector3 a, Vector3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
/// Each component negated.
constexpr Vector3 operator-(Vector3 v) {
    return {-v.x, -v.y, -v.z};
}
/// Each component multiplied by s.
constexpr Vector3 operator*(Vector3 v, double s) {
    return {v.x * s, v.y * s, v.z * s};
}
/// Each component multiplied by s.
constexpr Vector3 operator*(double s, Vector3 v) {
    return {v.x * s, v.y * s, v.z * s};
}
/// Each component divided by s; s = 0 gives infinite or NaN components.
constexpr Vector3 operator/(Vector3 v, double s) {
    return {v.x / s, v.y / s, v.z / s};
}

/// sqrt(x*x + y*y + z*z).
double length(Vector3 v);
/// v divided by its length; v itself when its length is 0.
Vector3 normalized(Vector3 v);
/// The length of a - b.
double distance(Vector3 a, Vector3 b);
/// a.x*b.x + a.y*b.y + a.z*b.z.
double dot(Vector3 a, Vector3 b);
/// a x b = (a.y*b.z - a.z*b.y, a.z*b.x - a.x*b.z, a.x*b.y - a.y*b.x).
Vector3 cross(Vector3 a, Vector3 b);

/// -acos of the clamped dot product of the normalised vectors: in [-pi, 0],
/// never positive. Parallel gives 0, opposite -pi, a zero vector -pi/2; NaN
/// passes through. Rotating a about cross(a, b) by this angle turns a onto b.
double angleBetween(Vector3 a, Vector3 b);

/// v rotated about axis by angle, clockwise seen from the axis tip for a
/// positive angle: (1, 0, 0) about (0, 0, 1) by +pi/2 is (0, -1, 0). The
/// result has exactly v's length; a zero v gives (0, 0, 0), a zero axis gives
/// v scaled by the sign of cos(angle).
Vector3 rotateAboutAxis(Vector3 v, Vector3 axis, double angle);

/// (360 * r) / 6.28318.
double radiansToDegrees(double r);
/// (6.28318 * d) / 360: degreesToRadians(180) is 3.14159, not pi.
double degreesToRadians(double d);

}  // namespace easel
