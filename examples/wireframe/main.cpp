// Wireframe: a cube and an axis cross seen through a Camera.
//
// The window is wider than high, so the camera's lens is fitted to it with
// fitScreen. The camera circles the cube looking at its centre: the left and right
// arrow keys turn it by yaw, up and down by pitch, Page Up and Page Down move
// it nearer and farther. Each frame projects the eight corners and the axis
// ends onto the screen, clips each edge to the screen with clipLine (so that
// edges running off it are still drawn) and draws it with drawLine. Escape
// ends the program (exit status 1, as everywhere in easel).
//
// Usage: example_wireframe [--frames N]
//   --frames N  stop after N frames with exit status 0 (the headless test
//               runs it this way on SDL's dummy video driver)
#include <easel/easel.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int width = 600;
constexpr int height = 400;
constexpr float frameMilliseconds = 30.0f;
constexpr double turnStep = 0.04;    // radians per frame while a key is held
constexpr double pitchLimit = 1.45;  // just short of straight up or down
constexpr double zoomStep = 1.03;    // distance factor per frame
constexpr double nearest = 2.2;      // every corner stays in front of the eye
constexpr double farthest = 14.0;

const easel::RgbColor background{18, 22, 34};
const easel::RgbColor cubeColour{225, 228, 240};
const easel::RgbColor axisColours[3] = {{235, 70, 70}, {80, 210, 110}, {80, 140, 255}};
const easel::RgbColor hintColour{130, 136, 160};

// The cube's corners: bit 0 of the index picks x, bit 1 y, bit 2 z.
easel::Vector3 corner(int i) {
    return {(i & 1) != 0 ? 1.0 : -1.0, (i & 2) != 0 ? 1.0 : -1.0, (i & 4) != 0 ? 1.0 : -1.0};
}

// A projected point: its pixel (possibly off the screen) and whether it lies
// in front of the eye, at least the camera's near clip depth away.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool inFront = false;
};

ScreenPoint project(const easel::Camera& camera, easel::Vector3 p) {
    ScreenPoint s;
    double depth = 0.0;
    camera.project(p, s.x, s.y, depth);
    s.inFront = depth >= camera.nearClip;
    return s;
}

// drawLine draws only segments whose two ends are on the screen, so each
// edge is clipped to the screen first; an edge wholly off it draws nothing.
void drawEdge(const ScreenPoint& a, const ScreenPoint& b, easel::RgbColor colour) {
    if (!a.inFront || !b.inFront) return;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (easel::clipLine(a.x, a.y, b.x, b.y, &x0, &y0, &x1, &y1))
        easel::drawLine(x0, y0, x1, y1, colour);
}

// Where the camera looks from: yaw and pitch of its viewing direction, and
// its distance from the cube's centre.
struct Orbit {
    double yaw = -0.55;
    double pitch = -0.42;
    double distance = 6.2;
};

// The arrow keys held now turn the orbit.
void steer(Orbit& orbit, const Uint8* keys) {
    if (keys == nullptr) return;
    if (keys[SDLK_LEFT] != 0) orbit.yaw += turnStep;
    if (keys[SDLK_RIGHT] != 0) orbit.yaw -= turnStep;
    if (keys[SDLK_UP] != 0) orbit.pitch -= turnStep;
    if (keys[SDLK_DOWN] != 0) orbit.pitch += turnStep;
    if (keys[SDLK_PAGEUP] != 0) orbit.distance /= zoomStep;
    if (keys[SDLK_PAGEDOWN] != 0) orbit.distance *= zoomStep;
    if (orbit.pitch > pitchLimit) orbit.pitch = pitchLimit;
    if (orbit.pitch < -pitchLimit) orbit.pitch = -pitchLimit;
    if (orbit.distance < nearest) orbit.distance = nearest;
    if (orbit.distance > farthest) orbit.distance = farthest;
}

// Turns the camera to the orbit's yaw and pitch (it stays upright: yaw turns
// about the world's vertical, pitch about the camera's horizontal right
// axis) and puts the eye on the line of sight through the cube's centre.
// The lens is fitted to the wide window, or the cube would be squashed.
void aim(easel::Camera& camera, const Orbit& orbit) {
    camera = easel::Camera();  // from the default each time: no drift
    camera.fitScreen();
    camera.setYaw(orbit.yaw);
    camera.setPitch(orbit.pitch);
    camera.setPosition(-easel::normalized(camera.getDirection()) * orbit.distance);
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

    easel::drawText("arrows: turn   page up/down: near/far   esc: quit", 8, height - 16, hintColour.r,
                    hintColour.g, hintColour.b, false, 0, 0, 0, 0);
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

    easel::initScreen(width, height, false, "easel wireframe");
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
