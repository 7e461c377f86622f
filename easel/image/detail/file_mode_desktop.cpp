// New files on the desktop: 0666 less the umask, as open(2) would give.
#include <sys/stat.h>

#include "easel/image/detail/file_mode.h"

namespace easel::detail {

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace easel::detail
