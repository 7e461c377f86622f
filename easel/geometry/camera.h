/// @file
/// A viewing camera: an eye position, three axes (right, up, direction) whose
/// lengths are the lens, clip depths, and the cached frame matrix and inverse.
/// Axis changes always rebuild the matrices, so axes and matrices are private;
/// angles are radians, turns clockwise seen from their axis tip. Nothing is
/// checked: dependent axes give a non-finite inverse and no visible points.
/// Projection reads the global Screen's size at every call and draws nothing.
#pragma once

#include "easel/display/screen.h"
#include "easel/geometry/detail/projection.h"
#include "easel/geometry/matrix3.h"
#include "easel/geometry/vector3.h"

namespace easel {

/// A camera looking along +z from the origin, +x to the right, +y up.
class Camera {
  public:
    /// The smallest camera-space depth that a projection reports as visible.
    double nearClip = 0.1;
    /// Stored for callers; no operation of the camera reads it.
    double farClip = 1000000.0;
    /// The eye point in world coordinates.
    Vector3 position{};

  private:
    Vector3 right{1.0, 0.0, 0.0};
    Vector3 up{0.0, 1.0, 0.0};
    Vector3 direction{0.0, 0.0, 1.0};
    Matrix3 frame{};
    Matrix3 inverseFrame{};

  public:
    /// The default camera: identity frame at the origin, near 0.1, far 1e6.
    Camera();
    /// A camera with the given position, axes and clip depths.
    Camera(Vector3 eye, Vector3 rightAxis, Vector3 upAxis, Vector3 directionAxis, double nearDepth,
           double farDepth);

    // --- record and frame ---

    /// frame := the matrix with columns right, up, direction; inverseFrame :=
    /// its inverse (non-finite when the axes are linearly dependent).
    void updateFrame();
    /// A copy of the position.
    Vector3 getPosition() const { return position; }
    /// A copy of the right axis.
    Vector3 getRight() const { return right; }
    /// A copy of the up axis.
    Vector3 getUp() const { return up; }
    /// A copy of the viewing direction.
    Vector3 getDirection() const { return direction; }
    /// A copy of the frame (columns right, up, direction).
    Matrix3 getFrame() const { return frame; }
    /// A copy of the inverse frame.
    Matrix3 getInverseFrame() const { return inverseFrame; }
    /// Stores the position; the matrices are unchanged.
    void setPosition(Vector3 p) { position = p; }
    /// Stores the right axis and rebuilds the matrices.
    void setRight(Vector3 v);
    /// Stores the up axis and rebuilds the matrices.
    void setUp(Vector3 v);
    /// Stores the viewing direction alone (right and up stay) and rebuilds.
    void setDirection(Vector3 v);
    /// Takes right, up and direction from columns 0, 1 and 2 of f; rebuilds.
    void setFrame(const Matrix3& f);
    /// inverseFrame * w: the coefficients (cx, cy, cz) with which the axes sum
    /// to w. The position is not subtracted: this converts directions.
    Vector3 toCameraAxes(Vector3 w) const;

    // --- lens ---

    /// |direction| / |right|.
    double getHorizontalZoom() const;
    /// |direction| / |up|.
    double getVerticalZoom() const;
    /// Divides right and up by f: both zooms are multiplied by f.
    void zoom(double f);
    /// Divides right by f.
    void zoomHorizontal(double f);
    /// Divides up by f.
    void zoomVertical(double f);
    /// Divides right by (z / horizontal zoom): the horizontal zoom becomes z.
    void setHorizontalZoom(double z);
    /// Divides up by (z / vertical zoom): the vertical zoom becomes z.
    void setVerticalZoom(double z);
    /// 2 * atan2(|right|, |direction|).
    double getHorizontalFov() const;
    /// 2 * atan2(|up|, |direction|).
    double getVerticalFov() const;
    /// |right| := |direction| * tan(a / 2); for pi < a < 2pi right reverses.
    void setHorizontalFov(double a);
    /// |up| := |direction| * tan(a / 2); for pi < a < 2pi up reverses.
    void setVerticalFov(double a);
    /// The angle the screen's width actually spans, 2 * atan(|right| / 2 /
    /// |direction|) for perpendicular axes: the projection puts the left and
    /// right edges at x / depth = -+0.5, so this is narrower than
    /// getHorizontalFov (pi/2 there gives 2 * atan(0.5), about 53 degrees).
    double getHorizontalScreenAngle() const;
    /// The angle the screen's height actually spans, 2 * atan(|up| / 2 / |direction|).
    double getVerticalScreenAngle() const;
    /// Rescales right so that the screen's width spans the angle a (0 < a < pi).
    void setHorizontalScreenAngle(double a);
    /// Rescales up so that the screen's height spans the angle a (0 < a < pi).
    void setVerticalScreenAngle(double a);
    /// How far from the centre of a sphere of the given radius the camera must
    /// be for the sphere to just fit the screen: radius / sin(s / 2), with s
    /// the narrower of the two screen angles. To fit an object, take a sphere
    /// around it, call fitScreen() on a screen that is not square, then
    /// setPosition(centre - normalized(view) * distanceToFit(radius)) and
    /// lookAt(centre); a little more distance leaves a margin.
    double distanceToFit(double radius) const;
    /// |right| / |up|.
    double getAspectRatio() const;
    /// |up| / |right|.
    double getInverseAspectRatio() const;
    /// Rescales up (normalised first; a zero up stays zero) so that
    /// |right| / |up| is a; right is untouched.
    void setAspectRatio(double a);
    /// Rescales right (normalised first; a zero right stays zero) so that
    /// |up| / |right| is a; up is untouched.
    void setInverseAspectRatio(double a);
    /// setAspectRatio(width / height) with the Screen's size, so that a
    /// square in the world shows square on a screen of any shape: right (the
    /// horizontal field) stays and up is rescaled. Nothing before initScreen.
    void fitScreen();
    /// |direction|: the unit of depth.
    double getDirectionLength() const;
    /// Multiplies all three axes by f: the lens stays, the depth unit changes.
    void scaleAxes(double f);
    /// Multiplies all three axes by |direction| / x: the new direction length
    /// is |direction|^2 / x, so x equal to the current length changes nothing.
    void rescaleAxes(double x);

    // --- orientation ---

    /// Rotates right, up and direction about axis by angle (clockwise seen
    /// from the axis tip), keeping each length.
    void rotate(Vector3 axis, double angle);
    /// Turns the frame by the smallest angle so that direction points along
    /// t; does nothing when t is zero, parallel or opposite to direction.
    void pointAlong(Vector3 t);
    /// pointAlong(p - position).
    void lookAt(Vector3 p);
    /// atan2(direction.x, direction.z): 0 looking along +z.
    double getYaw() const;
    /// Rotates about world y so that the yaw becomes a.
    void setYaw(double a);
    /// Rotates about world y by a: the yaw decreases by a.
    void turnYaw(double a);
    /// Rotates about the camera's own up axis by a.
    void turnAboutUp(double a);
    /// atan2(direction.y, horizontal length of direction): positive upwards.
    double getPitch() const;
    /// Rotates about right so that the pitch becomes a.
    void setPitch(double a);
    /// Rotates about right by a: on an upright camera the pitch increases by a.
    void turnPitch(double a);
    /// The angle in [-pi, pi] between the horizontal and the camera's sideways
    /// vector, positive when right points downwards; +-pi/2 looking straight
    /// up or down.
    double getRoll() const;
    /// Rotates about direction so that the roll becomes a.
    void setRoll(double a);
    /// Rotates about direction by a: on an upright camera the roll increases.
    void turnRoll(double a);
    /// Rebuilds right from up x direction, then up from direction x right,
    /// restoring both zooms. NaN axes when up is zero or along direction.
    void orthogonalizeFromUp();
    /// Rebuilds up from direction x right, then right from up x direction,
    /// restoring both zooms. NaN axes when right is zero or along direction.
    void orthogonalizeFromRight();

    // --- position and projection ---

    /// position := position + delta.
    void move(Vector3 delta);
    /// |position - p|.
    double distanceTo(Vector3 p) const;
    /// Moves position onto p along the line of sight (p to rounding).
    void moveTo(Vector3 p);
    /// Projects a world point: x = trunc(W/2 + W*cx/cz), y = trunc(H/2 -
    /// H*cy/cz) with (cx, cy, cz) the point's camera coordinates and W, H the
    /// Screen size; a non-finite or out-of-int-range value gives -2147483648.
    /// Writes x, y and depth = cz in every case; true only when (x, y) is on
    /// the screen and cz >= nearClip.
    bool project(Vector3 point, int& x, int& y, double& depth) const;
    /// The same projection without the depth.
    bool project(Vector3 point, int& x, int& y) const;
    /// The same for a point already in camera coordinates (no position or
    /// frame applied); writes x and y in every case.
    bool projectCameraSpace(double cx, double cy, double cz, int& x, int& y) const;
};

/// The projection is defined here so that loops over many points inline it.
inline bool Camera::project(Vector3 point, int& x, int& y, double& depth) const {
    const double dx = point.x - position.x;
    const double dy = point.y - position.y;
    const double dz = point.z - position.z;
    const double* m = inverseFrame.m;
    const double cx = m[0] * dx + m[1] * dy + m[2] * dz;
    const double cy = m[3] * dx + m[4] * dy + m[5] * dz;
    const double cz = m[6] * dx + m[7] * dy + m[8] * dz;
    depth = cz;
    return detail::toScreen(cx, cy, cz, nearClip, x, y);
}

inline bool Camera::project(Vector3 point, int& x, int& y) const {
    double depth = 0.0;
    return project(point, x, y, depth);
}

inline bool Camera::projectCameraSpace(double cx, double cy, double cz, int& x, int& y) const {
    return detail::toScreen(cx, cy, cz, nearClip, x, y);
}

}  // namespace easel
