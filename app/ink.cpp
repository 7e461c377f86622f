#include "app/ink.h"

namespace paint {

void inkPass(int x, int y, bool left) {
    (void)x;
    (void)y;
    (void)left;
}

}  // namespace paint
