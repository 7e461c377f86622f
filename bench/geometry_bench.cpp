// Camera::project over 1,000,000 world points against the usual GLM loop
// (view-projection matrix, divide by w, viewport), both counting the points
// that land on a 500 x 500 screen in front of the eye.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <random>
#include <vector>

#include "easel/display/screen.h"
#include "easel/geometry/camera.h"

namespace {

constexpr int pointCount = 1000000;
constexpr int side = 500;

// Points in a box in front of an eye at (0.1, 0.2, -1), about 80% on screen.
const std::vector<easel::Vector3>& points() {
    static const std::vector<easel::Vector3> cloud = [] {
        std::mt19937 engine(7);
        std::uniform_real_distribution<double> across(-1.0, 1.0);
        std::uniform_real_distribution<double> depth(0.5, 5.0);
        std::vector<easel::Vector3> v(pointCount);
        for (easel::Vector3& p : v) {
            const double x = across(engine);
            const double y = across(engine);
            const double z = depth(engine);
            p = {x, y, z};
        }
        return v;
    }();
    return cloud;
}

// The projection reads only the Screen's size: no video mode is needed.
void setScreenSize() {
    easel::Screen.width = side;
    easel::Screen.height = side;
}

void BM_CameraProject(benchmark::State& state) {
    setScreenSize();
    const std::vector<easel::Vector3>& cloud = points();
    easel::Camera camera;
    camera.setPosition({0.1, 0.2, -1.0});
    camera.turnYaw(0.1);
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (const easel::Vector3& p : cloud) {
            int x = 0;
            int y = 0;
            if (camera.project(p, x, y)) sum += x + y;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * pointCount);
}
BENCHMARK(BM_CameraProject)->Unit(benchmark::kMillisecond);

template <typename Real>
void glmProject(benchmark::State& state) {
    using Vec3 = glm::vec<3, Real>;
    using Vec4 = glm::vec<4, Real>;
    const std::vector<easel::Vector3>& cloud = points();
    const Vec3 eye(Real(0.1), Real(0.2), Real(-1));
    const glm::mat<4, 4, Real> viewProjection =
        glm::perspective(Real(1.0), Real(1), Real(0.1), Real(1e6)) *
        glm::lookAt(eye, eye + Vec3(Real(-0.1), Real(0), Real(1)), Vec3(Real(0), Real(1), Real(0)));
    const Real half = Real(side) * Real(0.5);
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (const easel::Vector3& p : cloud) {
            const Vec4 clip = viewProjection * Vec4(Real(p.x), Real(p.y), Real(p.z), Real(1));
            if (!(clip.w >= Real(0.1))) continue;
            const int x = static_cast<int>(half + half * clip.x / clip.w);
            const int y = static_cast<int>(half - half * clip.y / clip.w);
            if (x >= 0 && x < side && y >= 0 && y < side) sum += x + y;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * pointCount);
}

void BM_GlmProjectDouble(benchmark::State& state) {
    glmProject<double>(state);
}
BENCHMARK(BM_GlmProjectDouble)->Unit(benchmark::kMillisecond);

void BM_GlmProjectFloat(benchmark::State& state) {
    glmProject<float>(state);
}
BENCHMARK(BM_GlmProjectFloat)->Unit(benchmark::kMillisecond);

}  // namespace
