// Projecting 1,000,000 random world points: Camera::project against GLM, a
// dmat3 times the eye-relative vector, the perspective divide, the viewport
// and the truncation to pixels. Both sum the coordinates of the points that
// land on the screen in front of the eye, in the same branch-free way.
#include <cmath>
#include <glm/glm.hpp>

#include "easel/geometry/camera.h"
#include "versus.h"

namespace {

constexpr std::size_t pointCount = 1000000;

const std::vector<easel::Vector3>& points() {
    static const std::vector<easel::Vector3> cloud = [] {
        std::mt19937& e = versus::engine(41);
        std::uniform_real_distribution<double> across(-1.0, 1.0);
        std::uniform_real_distribution<double> depth(-0.5, 5.0);
        std::vector<easel::Vector3> v(pointCount);
        for (easel::Vector3& p : v) {
            const double x = across(e);
            const double y = across(e);
            const double z = depth(e);
            p = easel::Vector3(x, y, z);
        }
        return v;
    }();
    return cloud;
}

easel::Camera camera() {
    easel::Camera c;
    c.move(easel::Vector3(0.1, 0.2, -1.0));
    c.turnYaw(0.1);
    c.turnPitch(0.05);
    return c;
}

std::int64_t sumEasel(const easel::Camera& cam, const std::vector<easel::Vector3>& cloud) {
    std::int64_t sum = 0;
    for (const easel::Vector3& p : cloud) {
        int x = 0;
        int y = 0;
        const bool visible = cam.project(p, x, y);
        sum += visible ? x + y : 0;
    }
    return sum;
}

// The same camera as a GLM matrix: rows are the camera-space axes, so that
// M * (p - eye) gives the point's camera coordinates.
std::int64_t sumGlm(const easel::Camera& cam, const std::vector<easel::Vector3>& cloud) {
    const easel::Matrix3 inverse = cam.getInverseFrame();  // row-major
    glm::dmat3 toCamera(1.0);                              // column-major
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) toCamera[col][row] = inverse.m[3 * row + col];
    const glm::dvec3 eye(cam.position.x, cam.position.y, cam.position.z);
    const double w = 500.0;
    const double h = 500.0;
    const double nearClip = cam.nearClip;
    std::int64_t sum = 0;
    for (const easel::Vector3& p : cloud) {
        const glm::dvec3 c = toCamera * (glm::dvec3(p.x, p.y, p.z) - eye);
        const double sx = w * 0.5 + (w * c.x) / c.z;
        const double sy = h * 0.5 - (h * c.y) / c.z;
        // In range before the conversion, which is undefined outside it.
        const bool fits = std::fabs(sx) < 2147483648.0 && std::fabs(sy) < 2147483648.0;
        const int x = fits ? static_cast<int>(sx) : -1;
        const int y = fits ? static_cast<int>(sy) : -1;
        const bool visible = (c.z >= nearClip) & (x >= 0) & (x < 500) & (y >= 0) & (y < 500);
        sum += visible ? x + y : 0;
    }
    return sum;
}

void projectEasel(benchmark::State& state) {
    const std::vector<easel::Vector3>& cloud = points();
    const easel::Camera cam = camera();
    if (sumEasel(cam, cloud) != sumGlm(cam, cloud)) {
        state.SkipWithError("easel and GLM project the points differently");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(sumEasel(cam, cloud));
}

void projectGlm(benchmark::State& state) {
    const std::vector<easel::Vector3>& cloud = points();
    const easel::Camera cam = camera();
    for (auto _ : state) benchmark::DoNotOptimize(sumGlm(cam, cloud));
}
VERSUS_PAIR("projection 1M points", 1.0, projectEasel, "GLM", projectGlm);

}  // namespace
