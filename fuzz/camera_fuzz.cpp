// The camera moved, turned and zoomed by arbitrary doubles (NaN, infinities,
// huge and tiny values), then projecting arbitrary points: no undefined
// behaviour (a double outside the int range must never be converted), and a
// point reported visible lands on the screen, where it is drawn.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "easel/display/screen.h"
#include "easel/geometry/camera.h"
#include "easel/raster/line.h"
#include "support/fuzz_screen.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

easel::Vector3 takeVector(easel_fuzz::ByteReader& in) {
    const double x = in.take<double>();
    const double y = in.take<double>();
    const double z = in.take<double>();
    return easel::Vector3(x, y, z);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    easel_fuzz::ensureScreen();
    easel_fuzz::ByteReader in(data, size);
    easel::Camera camera;
    int lastX = -1, lastY = -1;
    while (!in.empty()) {
        const int op = in.takeBelow(16);
        switch (op) {
            case 0:
                camera.move(takeVector(in));
                break;
            case 1:
                camera.moveTo(takeVector(in));
                break;
            case 2: {
                const easel::Vector3 axis = takeVector(in);
                camera.rotate(axis, in.take<double>());
                break;
            }
            case 3:
                camera.zoom(in.take<double>());
                break;
            case 4:
                camera.setHorizontalFov(in.take<double>());
                break;
            case 5:
                camera.setAspectRatio(in.take<double>());
                break;
            case 6:
                camera.lookAt(takeVector(in));
                break;
            case 7:
                camera.setYaw(in.take<double>());
                break;
            case 8:
                camera.turnPitch(in.take<double>());
                break;
            case 9:
                camera.turnRoll(in.take<double>());
                break;
            case 10:
                camera.scaleAxes(in.take<double>());
                break;
            case 11:
                camera.orthogonalizeFromUp();
                break;
            case 12:
                camera.nearClip = in.take<double>();
                break;
            default: {
                int x = 0, y = 0;
                double depth = 0.0;
                if (camera.project(takeVector(in), x, y, depth)) {
                    check(easel::onScreen(x, y));
                    easel::putPixel(x, y, 255, 0, 0);
                    if (lastX >= 0)
                        check(easel::drawLine(lastX, lastY, x, y, easel::RgbColor(0, 0, 255)));
                    lastX = x;
                    lastY = y;
                }
                break;
            }
        }
    }
    return 0;
}
