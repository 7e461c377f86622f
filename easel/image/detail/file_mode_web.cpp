// Saving in the browser's file system: new files readable by all and
// writable by the owner, whatever the C library's umask says.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "easel/image/detail/file_mode.h"

namespace easel::detail {

mode_t newFileMode() { return 0644; }

// The page runs one program on one thread: nothing can take the name
// between the check and the rename.
int renameExclusively(const std::string& from, const std::string& to) {
    struct stat status {};
    if (::lstat(to.c_str(), &status) == 0) return EEXIST;
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

}  // namespace easel::detail
