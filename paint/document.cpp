#include "paint/document.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "paint/picture_file.h"
#include "paint/state.h"
#include "easel/display/input.h"
#include "easel/image/draw.h"
#include "easel/image/load.h"
#include "easel/image/save.h"

namespace paint {

namespace {

constexpr int canvasHeight = windowHeight - panelHeight;

bool saveCanvas(const std::string& path, std::string* why) {
    return easel::saveScreenRect(path.c_str(), 0, panelHeight, windowWidth, canvasHeight, why);
}

bool endsWithSavable(const std::string& name) {
    if (name.size() < 4) return false;
    std::string ending = name.substr(name.size() - 4);
    for (char& c : ending) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return ending == ".png" || ending == ".bmp";
}

}  // namespace

Document::Document() : history_(0, panelHeight, windowWidth, canvasHeight) {}

bool Document::open(int argc, char** argv) {
    const StartRequest request = readCommandLine(argc, argv);
    if (!request.error.empty()) {
        std::fprintf(stderr, "paint: %s\nusage: paint [FILE]\n", request.error.c_str());
        return false;
    }
    startFolder_ = request.startFolder;
    file_ = request.file;
    if (file_.empty()) return true;
    struct stat status {};
    if (::lstat(file_.c_str(), &status) != 0 && errno == ENOENT) {
        // A new picture: made by the first save, which needs a name it can write.
        if (endsWithSavable(file_)) return true;
        std::fprintf(stderr, "paint: cannot create '%s': the name must end in .png or .bmp\n",
                     file_.c_str());
        return false;
    }
    std::string why;
    opened_ = easel::loadImage(file_.c_str(), &why);
    if (!opened_) {
        std::fprintf(stderr, "paint: cannot open %s\n", why.c_str());
        return false;
    }
    return true;
}

void Document::show() {
    if (!opened_) return;
    easel::drawImage(*opened_, 0, panelHeight);
    opened_.reset();  // the screen holds it now
}

void Document::beforePass(const Pointer& pointer) {
    const Shortcut shortcut = readShortcut(easel::readKeys(), &latches_);
    if (shortcut != Shortcut::none) {
        history_.end();  // a change under way counts up to here
        if (shortcut == Shortcut::save) save();
        if (shortcut == Shortcut::undo) undo();
        if (shortcut == Shortcut::redo) redo();
    }
    if (pointer.left && !history_.changing()) history_.begin(currentTool);
}

void Document::afterPass(const Pointer& pointer) {
    if (!pointer.left) history_.end();
}

int Document::quit() {
    history_.end();
    if (!unsaved()) return 1;
    std::string why;
    const std::string folder = recoveryFolder(&why);
    const std::string path = folder.empty() ? "" : newRecoveryName(folder);
    if (!folder.empty() && saveCanvas(path, &why)) {
        pruneRecoveryFiles(folder);
        std::printf("Unsaved changes kept in %s\n", path.c_str());
    } else {
        std::fprintf(stderr, "paint: the unsaved changes are lost: %s\n", why.c_str());
    }
    std::fflush(stdout);
    return 1;
}

bool Document::save() {
    const std::string path = file_.empty() ? newPictureName(startFolder_) : file_;
    std::string why;
    if (!saveCanvas(path, &why)) {
        std::fprintf(stderr, "paint: not saved: %s\n", why.c_str());
        message_ = "not saved: " + why;
        return false;
    }
    file_ = path;
    savedState_ = history_.state();
    std::printf("Saved %s\n", path.c_str());
    message_ = "Saved " + path.substr(path.find_last_of('/') + 1);
    std::fflush(stdout);
    return true;
}

bool Document::undo() {
    ToolId toolBefore = pencilTool;
    if (!history_.undo(&toolBefore)) {
        message_ = "nothing more to undo";
        return false;
    }
    if (currentTool == clearTool) currentTool = toolBefore == clearTool ? pencilTool : toolBefore;
    return true;
}

bool Document::redo() {
    if (history_.redo()) return true;
    message_ = "nothing to redo";
    return false;
}

}  // namespace paint
