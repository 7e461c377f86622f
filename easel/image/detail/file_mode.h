// Internal: where saving files differs between the platforms, one file per
// platform (file_mode_desktop.cpp, file_mode_web.cpp).
//
// The permissions a newly saved file gets.
// On the desktop they are 0666 less the process's umask; in the browser the
// C library starts with a umask of 0777 (every new file would get mode 0,
// unreadable), and files there belong to the page alone, so they get 0644.
#pragma once

#include <sys/types.h>

#include <string>

namespace easel::detail {

// The mode bits for a new file that replaces nothing.
mode_t newFileMode();

// Gives the file from the name to only if no file has that name: 0, or the
// errno (EEXIST when one does).
int renameExclusively(const std::string& from, const std::string& to);

}  // namespace easel::detail
