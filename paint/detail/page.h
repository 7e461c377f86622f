// Where the Paint Program meets the page it runs in, in the browser build:
// the page's buttons, file chooser, drop target and Ctrl+S ask, the program
// acts between passes (page_web.cpp). On the desktop there is no page and
// nothing to do (page_desktop.cpp).
#pragma once

#include "paint/document.h"

namespace paint::detail {

// Once a pass, after the quit check: opens the picture the page handed
// over, or saves the picture and hands the file to the page to download;
// tells the page whether the picture holds unsaved work.
void servePage(Document& document);

// Whether the program may start threads (the autosave writes in one). The
// browser build has none: there the autosave writes within the pass.
bool hasThreads();

}  // namespace paint::detail
