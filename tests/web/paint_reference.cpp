// The native side of the browser tests: runs the Paint Program's passes on
// SDL's dummy driver for a script of pointer steps, exactly as paint/main.cpp
// does, and saves the screen as a BMP at each "snap". The browser test plays
// the same script into the page and compares its canvas with these files.
//
//   paint_reference SCRIPT OUT_DIR
//
// Script lines: "move X Y", "down X Y", "drag X Y", "up X Y" for the left
// button, "rdown X Y" and "rup X Y" for the right, "snap NAME"; "#" starts
// a comment. Each pointer step runs three passes, as a page pass
// may see a position more than once; a position seen again changes nothing.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "easel/display/screen.h"
#include "easel/image/save.h"
#include "paint/document.h"
#include "paint/pass.h"
#include "paint/state.h"

namespace {

constexpr int passesPerStep = 3;

void runStep(paint::Document& document, const paint::Pointer& pointer) {
    for (int i = 0; i < passesPerStep; ++i) {
        easel::updateScreen();
        document.beforePass(pointer);
        const paint::PassResult result = paint::runPass(pointer);
        document.afterPass(pointer);
        if (result == paint::PassResult::clearCanvas) {
            paint::startCanvas();
            document.canvasCleared();
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: paint_reference SCRIPT OUT_DIR\n");
        return 2;
    }
    std::ifstream script(argv[1]);
    if (!script) {
        std::fprintf(stderr, "paint_reference: cannot read %s\n", argv[1]);
        return 2;
    }
    const std::string outDir = argv[2];
    char program[] = "paint";
    char* args[] = {program, nullptr};
    paint::Document document;
    if (!document.open(1, args)) return 2;
    easel::initScreen(paint::windowWidth, paint::windowHeight, false, "Paint Program");
    paint::startCanvas();
    document.show();
    std::string line;
    while (std::getline(script, line)) {
        std::istringstream words(line);
        std::string verb;
        if (!(words >> verb) || verb[0] == '#') continue;
        if (verb == "snap") {
            std::string name, why;
            words >> name;
            if (!easel::saveScreen((outDir + "/" + name + ".bmp").c_str(), &why)) {
                std::fprintf(stderr, "paint_reference: %s\n", why.c_str());
                return 1;
            }
            continue;
        }
        paint::Pointer pointer;
        words >> pointer.x >> pointer.y;
        pointer.left = verb == "down" || verb == "drag";
        pointer.right = verb == "rdown";
        runStep(document, pointer);
    }
    return 0;
}
