#include "app/stroke.h"

namespace paint {

void strokePass(ToolId tool, int x, int y, bool left) {
    (void)tool;
    (void)x;
    (void)y;
    (void)left;
}

}  // namespace paint
