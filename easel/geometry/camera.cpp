#include "easel/geometry/camera.h"

#include <algorithm>
#include <cmath>

namespace easel {

namespace {

// The world's vertical axis, about which yaw is measured.
constexpr Vector3 worldUp{0.0, 1.0, 0.0};

// Clamps a cosine into [-1, 1]; a NaN passes through unchanged.
double clampCosine(double d) {
    if (d > 1.0) d = 1.0;
    if (d < -1.0) d = -1.0;
    return d;
}

}  // namespace

Camera::Camera() {
    updateFrame();
}

Camera::Camera(Vector3 eye, Vector3 rightAxis, Vector3 upAxis, Vector3 directionAxis,
               double nearDepth, double farDepth)
    : nearClip(nearDepth),
      farClip(farDepth),
      position(eye),
      right(rightAxis),
      up(upAxis),
      direction(directionAxis) {
    updateFrame();
}

void Camera::updateFrame() {
    frame =
        Matrix3(right.x, up.x, direction.x, right.y, up.y, direction.y, right.z, up.z, direction.z);
    inverseFrame = inverse(frame);
}

void Camera::setRight(Vector3 v) {
    right = v;
    updateFrame();
}

void Camera::setUp(Vector3 v) {
    up = v;
    updateFrame();
}

void Camera::setDirection(Vector3 v) {
    direction = v;
    updateFrame();
}

void Camera::setFrame(const Matrix3& f) {
    right = {f.m[0], f.m[3], f.m[6]};
    up = {f.m[1], f.m[4], f.m[7]};
    direction = {f.m[2], f.m[5], f.m[8]};
    updateFrame();
}

Vector3 Camera::toCameraAxes(Vector3 w) const {
    return inverseFrame * w;
}

double Camera::getHorizontalZoom() const {
    return direction.length() / right.length();
}

double Camera::getVerticalZoom() const {
    return direction.length() / up.length();
}

void Camera::zoom(double f) {
    right = right / f;
    up = up / f;
    updateFrame();
}

void Camera::zoomHorizontal(double f) {
    right = right / f;
    updateFrame();
}

void Camera::zoomVertical(double f) {
    up = up / f;
    updateFrame();
}

void Camera::setHorizontalZoom(double z) {
    right = right / (z / getHorizontalZoom());
    updateFrame();
}

void Camera::setVerticalZoom(double z) {
    up = up / (z / getVerticalZoom());
    updateFrame();
}

double Camera::getHorizontalFov() const {
    return 2.0 * std::atan2(right.length(), direction.length());
}

double Camera::getVerticalFov() const {
    return 2.0 * std::atan2(up.length(), direction.length());
}

void Camera::setHorizontalFov(double a) {
    right = right / ((1.0 / std::tan(0.5 * a)) / getHorizontalZoom());
    updateFrame();
}

void Camera::setVerticalFov(double a) {
    up = up / ((1.0 / std::tan(0.5 * a)) / getVerticalZoom());
    updateFrame();
}

double Camera::getHorizontalScreenAngle() const {
    return 2.0 * std::atan2(0.5 * right.length(), direction.length());
}

double Camera::getVerticalScreenAngle() const {
    return 2.0 * std::atan2(0.5 * up.length(), direction.length());
}

// The screen spans half the lens's extent, so an angle a on the screen is
// the field of view 2 * atan(2 * tan(a / 2)).
void Camera::setHorizontalScreenAngle(double a) {
    setHorizontalFov(2.0 * std::atan(2.0 * std::tan(0.5 * a)));
}

void Camera::setVerticalScreenAngle(double a) {
    setVerticalFov(2.0 * std::atan(2.0 * std::tan(0.5 * a)));
}

double Camera::distanceToFit(double radius) const {
    const double narrower = std::min(getHorizontalScreenAngle(), getVerticalScreenAngle());
    return radius / std::sin(0.5 * narrower);
}

double Camera::getAspectRatio() const {
    return right.length() / up.length();
}

double Camera::getInverseAspectRatio() const {
    return up.length() / right.length();
}

void Camera::setAspectRatio(double a) {
    up.normalize();
    up = (up * right.length()) / a;
    updateFrame();
}

void Camera::setInverseAspectRatio(double a) {
    right.normalize();
    right = (right * up.length()) / a;
    updateFrame();
}

void Camera::fitScreen() {
    if (Screen.width <= 0 || Screen.height <= 0) return;
    setAspectRatio(static_cast<double>(Screen.width) / static_cast<double>(Screen.height));
}

double Camera::getDirectionLength() const {
    return direction.length();
}

void Camera::scaleAxes(double f) {
    direction = direction * f;
    right = right * f;
    up = up * f;
    updateFrame();
}

void Camera::rescaleAxes(double x) {
    const double k = direction.length() / x;
    direction = direction * k;
    right = right * k;
    up = up * k;
    updateFrame();
}

void Camera::rotate(Vector3 axis, double angle) {
    right = rotateAboutAxis(right, axis, angle);
    up = rotateAboutAxis(up, axis, angle);
    direction = rotateAboutAxis(direction, axis, angle);
    updateFrame();
}

void Camera::pointAlong(Vector3 t) {
    const Vector3 axis = cross(direction, t);
    if (axis.length() == 0.0) return;
    const double g = clampCosine(dot(normalized(direction), normalized(t)));
    const double a = -std::acos(g);
    if (a != 0.0) rotate(axis, a);
}

void Camera::lookAt(Vector3 p) {
    pointAlong(p - position);
}

double Camera::getYaw() const {
    return std::atan2(direction.x, direction.z);
}

void Camera::setYaw(double a) {
    rotate(worldUp, getYaw() - a);
}

void Camera::turnYaw(double a) {
    rotate(worldUp, a);
}

void Camera::turnAboutUp(double a) {
    rotate(up, a);
}

double Camera::getPitch() const {
    return std::atan2(direction.y,
                      std::sqrt(direction.x * direction.x + direction.z * direction.z));
}

void Camera::setPitch(double a) {
    rotate(right, a - getPitch());
}

void Camera::turnPitch(double a) {
    rotate(right, a);
}

double Camera::getRoll() const {
    const Vector3 h = normalized(cross(worldUp, direction));
    const Vector3 r = normalized(cross(up, direction));
    const double a = std::acos(clampCosine(dot(h, r)));
    return right.y < 0.0 ? a : -a;
}

void Camera::setRoll(double a) {
    rotate(direction, a - getRoll());
}

void Camera::turnRoll(double a) {
    rotate(direction, a);
}

void Camera::orthogonalizeFromUp() {
    const double zx = getHorizontalZoom();
    const double zy = getVerticalZoom();
    right = cross(up, direction);
    up = cross(direction, right);
    setHorizontalZoom(zx);
    setVerticalZoom(zy);
}

void Camera::orthogonalizeFromRight() {
    const double zx = getHorizontalZoom();
    const double zy = getVerticalZoom();
    up = cross(direction, right);
    right = cross(up, direction);
    setHorizontalZoom(zx);
    setVerticalZoom(zy);
}

void Camera::move(Vector3 delta) {
    position = position + delta;
}

double Camera::distanceTo(Vector3 p) const {
    return length(position - p);
}

void Camera::moveTo(Vector3 p) {
    const double s = length(position - p);
    const Vector3 u = normalized(p - position);
    position = position + u * s;
}

}  // namespace easel
