// New files in the browser's file system: readable by all, writable by the
// owner, whatever the C library's umask says.
#include "easel/image/detail/file_mode.h"

namespace easel::detail {

mode_t newFileMode() { return 0644; }

}  // namespace easel::detail
