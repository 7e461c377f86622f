#include "paint/document.h"

#include <SDL.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <utility>

#include "paint/picture_file.h"
#include "paint/state.h"
#include "easel/display/input.h"
#include "easel/image/load.h"
#include "easel/image/save.h"

namespace paint {

namespace {

bool report(bool saved, const std::string& why) {
    if (!saved) std::fprintf(stderr, "paint: not saved: %s\n", why.c_str());
    return saved;
}

}  // namespace

Document::Document() = default;

bool Document::open(int argc, char** argv) {
    const StartRequest request = readCommandLine(argc, argv);
    if (!request.error.empty()) {
        std::fprintf(stderr, "paint: %s\nusage: paint [--recover] [FILE]\n", request.error.c_str());
        return false;
    }
    startFolder_ = request.startFolder;
    file_ = request.file;
    const std::string newest = newestRecoveryFile();
    if (request.recover) {
        if (newest.empty()) {
            std::fprintf(stderr, "paint: there is no recovery file to open\n");
            return false;
        }
        std::string why;
        std::optional<easel::Image> recovered = easel::loadImage(newest.c_str(), &why);
        if (!recovered) {
            std::fprintf(stderr, "paint: cannot open %s\n", why.c_str());
            return false;
        }
        std::fprintf(stderr, "paint: opened %s as a new picture\n", newest.c_str());
        view_.setPicture(std::move(*recovered));
        savedState_ = ~std::uint64_t{0};  // unsaved until saved
        return true;
    }
    if (!newest.empty()) {
        std::fprintf(stderr, "paint: unsaved work was kept in %s (paint --recover opens it)\n",
                     newest.c_str());
    }
    if (file_.empty()) return true;
    struct stat status {};
    if (::lstat(file_.c_str(), &status) != 0 && errno == ENOENT) {
        // A new picture: made by the first save, which needs a name it can write.
        if (isSavedOver(file_)) return true;
        std::fprintf(stderr, "paint: cannot create '%s': the name must end in .png or .bmp\n",
                     file_.c_str());
        return false;
    }
    std::string why;
    std::optional<easel::Image> opened = easel::loadImage(file_.c_str(), &why);
    if (!opened) {
        std::fprintf(stderr, "paint: cannot open %s\n", why.c_str());
        return false;
    }
    view_.setPicture(std::move(*opened));
    return true;
}

void Document::show() { view_.draw(); }

bool Document::openPicture(const std::string& file) { return takePicture(file, file, false); }

bool Document::openKeptWork(const std::string& file, const std::string& name) {
    return takePicture(file, name, true);
}

bool Document::takePicture(const std::string& file, const std::string& name, bool unsaved) {
    std::string why;
    std::optional<easel::Image> opened = easel::loadImage(file.c_str(), &why);
    if (!opened) {
        std::fprintf(stderr, "paint: cannot open %s\n", why.c_str());
        return false;
    }
    {
        std::unique_lock<std::mutex> guard = autosave_.guard();
        history_ = UndoHistory(&view_);
        view_.setPicture(std::move(*opened));
        file_ = name;
        savedState_ = unsaved ? ~std::uint64_t{0} : history_.state();  // unsaved until saved
    }
    startCanvas();
    show();
    canvasCleared();
    return true;
}

void Document::endChange() {
    if (!history_.changing()) return;
    const std::uint64_t before = history_.state();
    std::unique_lock<std::mutex> guard = autosave_.guard();
    history_.end();
    if (history_.state() != before) autosave_.changed(SDL_GetTicks());
}

void Document::scroll(Scroll request) {
    endChange();  // a change under way counts up to here
    if (request.home) view_.scrollTo(0, 0);
    view_.scrollBy(request.stepsX * view_.shownWidth() / scrollStepsPerView,
                   request.stepsY * view_.shownHeight() / scrollStepsPerView);
}

void Document::beforePass(const Pointer& pointer) {
    const Uint8* keys = easel::readKeys();
    const Shortcut shortcut = readShortcut(keys, &latches_);
    if (shortcut != Shortcut::none) {
        endChange();  // a change under way counts up to here
        if (shortcut == Shortcut::save) save();
        if (shortcut == Shortcut::saveCopy) saveCopy();
        if (shortcut == Shortcut::undo) undo();
        if (shortcut == Shortcut::redo) redo();
    }
    Scroll request = readScrollKeys(keys, SDL_GetTicks(), &scrollLatches_);
    request.stepsX += wheel_.stepsX;
    request.stepsY += wheel_.stepsY;
    wheel_ = Scroll{};
    if (request.any()) scroll(request);
    if (pointer.left && !history_.changing()) history_.begin(currentTool);
}

void Document::afterPass(const Pointer& pointer) {
    if (!pointer.left) endChange();
    view_.wipeOutside();
    autosave_.poll(view_.picture(), unsaved(), SDL_GetTicks());
}

void Document::canvasCleared() { view_.wipeOutside(); }

// Writes the picture to this run's recovery file, or to a new one in the
// first recovery folder that takes it; says why earlier folders did not.
bool Document::writeRecovery(std::string* path) {
    std::string why;
    *path = autosave_.file();
    if (!path->empty() && easel::saveImage(view_.picture(), path->c_str(), &why)) return true;
    std::string reasons = why;
    for (const std::string& folder : recoveryFolderCandidates()) {
        std::string reason;
        if (usableRecoveryFolder(folder, &reason)) {
            *path = newRecoveryName(folder);
            if (easel::saveImage(view_.picture(), path->c_str(), &reason)) {
                if (!reasons.empty()) std::fprintf(stderr, "paint: %s\n", reasons.c_str());
                return true;
            }
        }
        reasons += (reasons.empty() ? "" : "; ") + reason;
    }
    std::fprintf(stderr, "paint: the unsaved changes are lost: %s\n", reasons.c_str());
    return false;
}

int Document::quit() {
    endChange();
    autosave_.finish();
    if (!unsaved()) {
        autosave_.discard();
        return 1;
    }
    std::string path;
    if (writeRecovery(&path)) {
        pruneRecoveryFiles(path.substr(0, path.rfind('/')), path);
        std::printf("Unsaved changes kept in %s\n", path.c_str());
    }
    std::fflush(stdout);
    return 1;
}

bool Document::save() {
    endChange();
    std::string path = file_;
    if (path.empty()) path = newPictureName(startFolder_);
    if (!isSavedOver(path)) path = freePictureName(withoutEnding(file_), 1);
    std::string why;
    // A name not yet the picture's is taken exclusively (the next free one
    // when another program took it first).
    const bool saved =
        path == file_ ? easel::saveImage(view_.picture(), path.c_str(), &why)
                      : !(path = easel::saveNewImage(view_.picture(), path.c_str(), &why)).empty();
    if (!report(saved, why)) {
        message_ = "not saved: " + why;
        return false;
    }
    if (path != file_ && !file_.empty()) {
        std::printf("Saved %s (%s is not written over)\n", path.c_str(), file_.c_str());
    } else {
        std::printf("Saved %s\n", path.c_str());
    }
    std::fflush(stdout);
    file_ = path;
    savedState_ = history_.state();
    autosave_.discard();
    message_ = "Saved " + path.substr(path.find_last_of('/') + 1);
    return true;
}

bool Document::saveCopy() {
    endChange();
    const std::string path = file_.empty() ? newPictureName(startFolder_)
                                           : freePictureName(withoutEnding(file_), 2);
    std::string why;
    const std::string saved = easel::saveNewImage(view_.picture(), path.c_str(), &why);
    if (!report(!saved.empty(), why)) {
        message_ = "not saved: " + why;
        return false;
    }
    std::printf("Saved a copy as %s\n", saved.c_str());
    message_ = "Saved " + saved.substr(saved.find_last_of('/') + 1);
    std::fflush(stdout);
    return true;
}

bool Document::undo() {
    ToolId toolBefore = pencilTool;
    {
        std::unique_lock<std::mutex> guard = autosave_.guard();
        if (!history_.undo(&toolBefore)) {
            message_ = "nothing more to undo";
            return false;
        }
        autosave_.changed(SDL_GetTicks());
    }
    if (currentTool == clearTool) currentTool = toolBefore == clearTool ? pencilTool : toolBefore;
    return true;
}

bool Document::redo() {
    std::unique_lock<std::mutex> guard = autosave_.guard();
    if (!history_.redo()) {
        message_ = "nothing to redo";
        return false;
    }
    autosave_.changed(SDL_GetTicks());
    return true;
}

}  // namespace paint
