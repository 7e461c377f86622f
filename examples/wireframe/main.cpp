// Wireframe: a cube and an axis cross seen through a Camera.
//
// The camera circles the cube: the left and right arrow keys turn it by yaw,
// up and down by pitch, and it stays at a fixed distance looking at the
// centre. Each frame projects the eight corners and the axis ends onto the
// screen and draws the edges with drawLine. Escape ends the program (exit
// status 1, as everywhere in easel).
//
// Usage: example_wireframe [--frames N]
//   --frames N  stop after N frames with exit status 0 (the headless test
//               runs it this way on SDL's dummy video driver)
#include <easel/easel.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int side = 500;
constexpr float frameMilliseconds = 30.0f;
constexpr double turnStep = 0.04;      // radians per frame while a key is held
constexpr double pitchLimit = 1.45;    // just short of straight up or down
constexpr double orbitDistance = 5.5;  // from the eye to the cube's centre

const easel::RgbColor background{18, 22, 34};
const easel::RgbColor cubeColour{225, 228, 240};
const easel::RgbColor axisColours[3] = {{235, 70, 70}, {80, 210, 110}, {80, 140, 255}};
const easel::RgbColor hintColour{130, 136, 160};

// The cube's corners: bit 0 of the index picks x, bit 1 y, bit 2 z.
easel::Vector3 corner(int i) {
    return {(i & 1) != 0 ? 1.0 : -1.0, (i & 2) != 0 ? 1.0 : -1.0, (i & 4) != 0 ? 1.0 : -1.0};
}

// A point on the screen, or not.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool visible = false;
};

ScreenPoint project(const easel::Camera& camera, easel::Vector3 p) {
    ScreenPoint s;
    s.visible = camera.project(p, s.x, s.y);
    return s;
}

// drawLine draws only segments whose two ends are on the screen, so an edge
// is drawn when both of its ends are visible and skipped otherwise.
void drawEdge(const ScreenPoint& a, const ScreenPoint& b, easel::RgbColor colour) {
    if (a.visible && b.visible) easel::drawLine(a.x, a.y, b.x, b.y, colour);
}

// Where the camera looks from: yaw and pitch of its viewing direction.
struct Orbit {
    double yaw = -0.55;
    double pitch = -0.42;
};

// The arrow keys held now turn the orbit.
void steer(Orbit& orbit, const Uint8* keys) {
    if (keys == nullptr) return;
    if (keys[SDLK_LEFT] != 0) orbit.yaw += turnStep;
    if (keys[SDLK_RIGHT] != 0) orbit.yaw -= turnStep;
    if (keys[SDLK_UP] != 0) orbit.pitch -= turnStep;
    if (keys[SDLK_DOWN] != 0) orbit.pitch += turnStep;
    if (orbit.pitch > pitchLimit) orbit.pitch = pitchLimit;
    if (orbit.pitch < -pitchLimit) orbit.pitch = -pitchLimit;
}

// Turns the camera to the orbit's yaw and pitch (it stays upright: yaw turns
// about the world's vertical, pitch about the camera's horizontal right
// axis) and puts the eye on the line of sight through the cube's centre.
void aim(easel::Camera& camera, const Orbit& orbit) {
    camera = easel::Camera();  // from the default each time: no drift
    camera.setYaw(orbit.yaw);
    camera.setPitch(orbit.pitch);
    camera.setPosition(-easel::normalized(camera.getDirection()) * orbitDistance);
}

void drawScene(const easel::Camera& camera) {
    easel::clearScreen(background.r, background.g, background.b);

    const easel::Vector3 axisEnds[3] = {{1.7, 0, 0}, {0, 1.7, 0}, {0, 0, 1.7}};
    for (int axis = 0; axis < 3; ++axis) {
        drawEdge(project(camera, -axisEnds[axis]), project(camera, axisEnds[axis]),
                 axisColours[axis]);
    }

    ScreenPoint corners[8];
    for (int i = 0; i < 8; ++i) corners[i] = project(camera, corner(i));
    // Twelve edges: each corner joined to the corners one bit away from it.
    for (int i = 0; i < 8; ++i)
        for (int bit = 1; bit < 8; bit <<= 1)
            if ((i & bit) == 0) drawEdge(corners[i], corners[i | bit], cubeColour);

    easel::drawText("arrows: turn   esc: quit", 8, side - 16, hintColour.r, hintColour.g,
                    hintColour.b, false, 0, 0, 0, 0);
}

// Reads --frames N; false on anything else.
bool parseArguments(int argc, char** argv, long* frames) {
    *frames = 0;
    if (argc == 1) return true;
    if (argc != 3 || std::strcmp(argv[1], "--frames") != 0) return false;
    char* end = nullptr;
    *frames = std::strtol(argv[2], &end, 10);
    return *end == '\0' && *frames > 0;
}

}  // namespace

int main(int argc, char** argv) {
    long frames = 0;
    if (!parseArguments(argc, argv, &frames)) {
        std::fprintf(stderr, "usage: %s [--frames N]\n", argv[0]);
        return 2;
    }

    easel::initScreen(side, side, false, "easel wireframe");
    easel::Camera camera;
    Orbit orbit;

    for (long frame = 0; frames == 0 || frame < frames; ++frame) {
        const float start = static_cast<float>(easel::readTicks());
        steer(orbit, easel::readKeys());
        aim(camera, orbit);
        drawScene(camera);
        easel::updateScreen();
        // Paces the loop; ends the program when Escape is held or the
        // window is closed.
        easel::waitFrame(start, frameMilliseconds);
    }
    return 0;
}
