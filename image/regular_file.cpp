#include "easel/image/detail/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace easel::detail {

namespace {

int fail(std::string* why, const std::string& message) {
    if (why != nullptr) *why = message;
    return -1;
}

}  // namespace

int openRegularFile(const char* fileName, std::string* why) {
    if (fileName == nullptr || *fileName == '\0') return fail(why, "no file name given");
    const std::string quoted = std::string("'") + fileName + "'";
    int fd = -1;
    do {
        fd = ::open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT) return fail(why, quoted + " does not exist");
        return fail(why, quoted + " cannot be opened: " + std::strerror(error));
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const bool folder = S_ISDIR(status.st_mode);
        ::close(fd);
        return fail(why, quoted + (folder ? " is a folder, not a file" : " is not a regular file"));
    }
    // Reads of a regular file never wait; clear the flag anyway for stdio.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

}  // namespace easel::detail
