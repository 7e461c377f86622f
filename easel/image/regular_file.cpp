#include "easel/image/detail/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace easel::detail {

namespace {

// The reason is put into words only on failure and only when asked for, so
// that a check that passes allocates nothing (the panel checks its icon files
// on every pass).
int fail(std::string* why, const char* fileName, const char* reason) {
    if (why != nullptr) *why = std::string("'") + fileName + "' " + reason;
    return -1;
}

}  // namespace

int openRegularFile(const char* fileName, std::string* why) {
    if (fileName == nullptr || *fileName == '\0') {
        if (why != nullptr) *why = "no file name given";
        return -1;
    }
    int fd = -1;
    do {
        fd = ::open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT) return fail(why, fileName, "does not exist");
        if (why == nullptr) return -1;
        return fail(why, fileName, (std::string("cannot be opened: ") + std::strerror(error)).c_str());
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const bool folder = S_ISDIR(status.st_mode);
        ::close(fd);
        return fail(why, fileName, folder ? "is a folder, not a file" : "is not a regular file");
    }
    // The non-blocking flag stays: reads of a regular file never wait, so it
    // changes nothing for the caller and costs no further system calls.
    return fd;
}

}  // namespace easel::detail
