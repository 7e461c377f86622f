// The desktop has no page.
#include "paint/detail/page.h"

namespace paint::detail {

void servePage(Document&) {}

bool hasThreads() { return true; }

}  // namespace paint::detail
