#include "easel/geometry/camera.h"

#include <climits>
#include <cmath>

#include "easel/display/screen.h"

namespace easel {

namespace {

// The world's vertical axis, about which yaw is measured.
constexpr Vector3 worldUp{0.0, 1.0, 0.0};

// The value a pixel coordinate takes when it cannot be represented.
constexpr int offScreenCoordinate = INT_MIN;

// Clamps a cosine into [-1, 1]; a NaN passes through unchanged.
double clampCosine(double d) {
    if (d > 1.0) d = 1.0;
    if (d < -1.0) d = -1.0;
    return d;
}

// Truncates towards zero. Anything that is not finite or whose truncation
// does not fit in an int gives INT_MIN; the range test comes first because
// converting such a double to int is undefined. Both bounds are exact doubles.
int toPixel(double v) {
    if (!(v > -2147483649.0 && v < 2147483648.0)) return offScreenCoordinate;
    return static_cast<int>(v);
}

// Steps 3 to 6 of every projection: screen position from camera coordinates,
// then the on-screen test (0 <= x < width, 0 <= y < height, as onScreen) and
// the near-clip test. A NaN depth fails the comparison and is not visible.
inline bool projectToScreen(double cx, double cy, double cz, double nearClip, int& x, int& y) {
    const int width = Screen.width;
    const int height = Screen.height;
    const double w = static_cast<double>(width);
    const double h = static_cast<double>(height);
    x = toPixel(w * 0.5 + (w * cx) / cz);
    y = toPixel(h * 0.5 - (h * cy) / cz);
    return x >= 0 && x < width && y >= 0 && y < height && cz >= nearClip;
}

}  // namespace

Camera::Camera() { updateFrame(); }

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
    frame = Matrix3(right.x, up.x, direction.x, right.y, up.y, direction.y, right.z, up.z,
                    direction.z);
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

Vector3 Camera::toCameraAxes(Vector3 w) const { return inverseFrame * w; }

double Camera::getHorizontalZoom() const { return direction.length() / right.length(); }

double Camera::getVerticalZoom() const { return direction.length() / up.length(); }

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

double Camera::getHorizontalFov() const { return 2.0 * std::atan2(right.length(), direction.length()); }

double Camera::getVerticalFov() const { return 2.0 * std::atan2(up.length(), direction.length()); }

void Camera::setHorizontalFov(double a) {
    right = right / ((1.0 / std::tan(0.5 * a)) / getHorizontalZoom());
    updateFrame();
}

void Camera::setVerticalFov(double a) {
    up = up / ((1.0 / std::tan(0.5 * a)) / getVerticalZoom());
    updateFrame();
}

double Camera::getAspectRatio() const { return right.length() / up.length(); }

double Camera::getInverseAspectRatio() const { return up.length() / right.length(); }

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

double Camera::getDirectionLength() const { return direction.length(); }

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

void Camera::lookAt(Vector3 p) { pointAlong(p - position); }

double Camera::getYaw() const { return std::atan2(direction.x, direction.z); }

void Camera::setYaw(double a) { rotate(worldUp, getYaw() - a); }

void Camera::turnYaw(double a) { rotate(worldUp, a); }

void Camera::turnAboutUp(double a) { rotate(up, a); }

double Camera::getPitch() const {
    return std::atan2(direction.y, std::sqrt(direction.x * direction.x + direction.z * direction.z));
}

void Camera::setPitch(double a) { rotate(right, a - getPitch()); }

void Camera::turnPitch(double a) { rotate(right, a); }

double Camera::getRoll() const {
    const Vector3 h = normalized(cross(worldUp, direction));
    const Vector3 r = normalized(cross(up, direction));
    const double a = std::acos(clampCosine(dot(h, r)));
    return right.y < 0.0 ? a : -a;
}

void Camera::setRoll(double a) { rotate(direction, a - getRoll()); }

void Camera::turnRoll(double a) { rotate(direction, a); }

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

void Camera::move(Vector3 delta) { position = position + delta; }

double Camera::distanceTo(Vector3 p) const { return length(position - p); }

void Camera::moveTo(Vector3 p) {
    const double s = length(position - p);
    const Vector3 u = normalized(p - position);
    position = position + u * s;
}

bool Camera::project(Vector3 point, int& x, int& y, double& depth) const {
    const double dx = point.x - position.x;
    const double dy = point.y - position.y;
    const double dz = point.z - position.z;
    const double* m = inverseFrame.m;
    const double cx = m[0] * dx + m[1] * dy + m[2] * dz;
    const double cy = m[3] * dx + m[4] * dy + m[5] * dz;
    const double cz = m[6] * dx + m[7] * dy + m[8] * dz;
    depth = cz;
    return projectToScreen(cx, cy, cz, nearClip, x, y);
}

bool Camera::project(Vector3 point, int& x, int& y) const {
    double depth = 0.0;
    return project(point, x, y, depth);
}

bool Camera::projectCameraSpace(double cx, double cy, double cz, int& x, int& y) const {
    return projectToScreen(cx, cy, cz, nearClip, x, y);
}

}  // namespace easel
