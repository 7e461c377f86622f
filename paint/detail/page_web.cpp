// The Paint Program's side of its page (web/paint_page.js). The page puts a
// request in Module.easelPaintRequest: {open: PATH} for a picture it wrote
// into the program's file system, {save: true} for Ctrl+S or its Download
// button, {keep: PATH, name: NAME} for unsaved work it kept in the browser's
// storage and wrote to PATH. The program takes it here, between passes, and
// answers a save by calling Module.easelPaintDownload(PATH).
//
// What the program tells the page: Module.easelPaintUnsaved, whether the
// picture holds unsaved work; Module.easelPaintFile, its file;
// Module.easelPaintPicture, where its pixels are ({pixels, width, height,
// version}: words 0xAARRGGBB row after row at byte address pixels, and a
// number that grows whenever the picture may have changed), which the page keeps when it is closed with
// unsaved work; Module.easelPasses, the passes of the main loop so far.
#include <emscripten.h>

#include <cstdint>

#include "paint/detail/page.h"

namespace paint::detail {

namespace {

// What takePageRequest returns besides 0, no request.
constexpr int openRequest = 1, saveRequest = 2, keptWorkRequest = 3;

// Takes the page's request, if any; an open or kept-work request's path goes
// to path, a kept work's name to name.
EM_JS(int, takePageRequest, (char* path, char* name, int capacity), {
    const request = Module['easelPaintRequest'];
    if (!request) return 0;
    Module['easelPaintRequest'] = null;
    if (request.open) {
        stringToUTF8(request.open, path, capacity);
        return 1;
    }
    if (request.keep) {
        stringToUTF8(request.keep, path, capacity);
        stringToUTF8(request.name || "", name, capacity);
        return 3;
    }
    return request.save ? 2 : 0;
});

EM_JS(void, offerDownload, (const char* path), { Module['easelPaintDownload'](UTF8ToString(path)); });

EM_JS(void, tellUnsaved, (int unsaved), { Module['easelPaintUnsaved'] = unsaved !== 0; });

// The picture's file in the program's file system, once one is opened or saved.
EM_JS(void, tellFile, (const char* path), { Module['easelPaintFile'] = UTF8ToString(path); });

EM_JS(void, tellPicture, (const std::uint32_t* pixels, int width, int height, int version), {
    Module['easelPaintPicture'] = {pixels: pixels, width: width, height: height, version: version};
});

EM_JS(void, countPass, (), { Module['easelPasses'] = (Module['easelPasses'] || 0) + 1; });

// What was told last, so that the page hears only of changes.
struct Told {
    int unsaved = -1;
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::uint64_t state = 0;
    int version = 0;
};
Told told;

void tellChanges(const Document& document) {
    const int unsaved = document.unsaved() ? 1 : 0;
    if (unsaved != told.unsaved) {
        tellUnsaved(unsaved);
        told.unsaved = unsaved;
    }
    const easel::Image& picture = document.view().picture();
    const std::uint64_t state = document.history().state();
    if (picture.pixels() != told.pixels || picture.width() != told.width ||
        picture.height() != told.height || state != told.state) {
        told = Told{unsaved, picture.pixels(), picture.width(), picture.height(), state, told.version + 1};
        tellPicture(told.pixels, told.width, told.height, told.version);
    }
}

}  // namespace

void servePage(Document& document) {
    countPass();
    char path[1024] = {};
    char name[1024] = {};
    const int request = takePageRequest(path, name, static_cast<int>(sizeof path));
    if (request == openRequest && document.openPicture(path)) tellFile(document.file().c_str());
    if (request == keptWorkRequest && document.openKeptWork(path, name)) tellFile(document.file().c_str());
    if (request == saveRequest && document.save()) {
        tellFile(document.file().c_str());
        offerDownload(document.file().c_str());
    }
    tellChanges(document);
}

bool hasThreads() { return false; }

}  // namespace paint::detail
