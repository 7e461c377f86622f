// Pixel memory in the browser: the page's memory is one array the browser
// grows; there are no pages to advise about.
#include "easel/image/detail/pixel_memory.h"

namespace easel::detail {

void adviseLargePages(void*, std::size_t) {}

}  // namespace easel::detail
