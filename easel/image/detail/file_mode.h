// Internal: the permissions a newly saved file gets, one file per platform.
// On the desktop they are 0666 less the process's umask; in the browser the
// C library starts with a umask of 0777 (every new file would get mode 0,
// unreadable), and files there belong to the page alone, so they get 0644.
#pragma once

#include <sys/types.h>

namespace easel::detail {

// The mode bits for a new file that replaces nothing.
mode_t newFileMode();

}  // namespace easel::detail
