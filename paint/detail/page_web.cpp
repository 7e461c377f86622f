// The Paint Program's side of its page (web/paint_page.js). The page puts a
// request in Module.easelPaintRequest: {open: PATH} for a picture it wrote
// into the program's file system, {save: true} for Ctrl+S or its Download
// button. The program takes it here, between passes, and answers a save by
// calling Module.easelPaintDownload(PATH); Module.easelPaintUnsaved says
// whether the picture holds unsaved work, Module.easelPaintFile names its
// file.
#include <emscripten.h>

#include "paint/detail/page.h"

namespace paint::detail {

namespace {

// What takePageRequest returns besides 0, no request.
constexpr int openRequest = 1, saveRequest = 2;

// Takes the page's request, if any; an open request's path goes to path.
EM_JS(int, takePageRequest, (char* path, int capacity), {
    const request = Module['easelPaintRequest'];
    if (!request) return 0;
    Module['easelPaintRequest'] = null;
    if (request.open) {
        stringToUTF8(request.open, path, capacity);
        return 1;
    }
    return request.save ? 2 : 0;
});

EM_JS(void, offerDownload, (const char* path), { Module['easelPaintDownload'](UTF8ToString(path)); });

EM_JS(void, tellUnsaved, (int unsaved), { Module['easelPaintUnsaved'] = unsaved !== 0; });

// The picture's file in the program's file system, once one is opened or saved.
EM_JS(void, tellFile, (const char* path), { Module['easelPaintFile'] = UTF8ToString(path); });

int toldUnsaved = -1;

}  // namespace

void servePage(Document& document) {
    char path[1024] = {};
    const int request = takePageRequest(path, static_cast<int>(sizeof path));
    if (request == openRequest && document.openPicture(path)) tellFile(document.file().c_str());
    if (request == saveRequest && document.save()) {
        tellFile(document.file().c_str());
        offerDownload(document.file().c_str());
    }
    const int unsaved = document.unsaved() ? 1 : 0;
    if (unsaved != toldUnsaved) {
        tellUnsaved(unsaved);
        toldUnsaved = unsaved;
    }
}

bool hasThreads() { return false; }

}  // namespace paint::detail
