#include "easel/text/detail/kept_icon_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "easel/image/detail/regular_file.h"

namespace easel::detail {

KeptIconFile::~KeptIconFile() {
    close();
}

long KeptIconFile::read(const char* fileName, void* bytes, std::size_t capacity) {
    if (bytes == nullptr && capacity > 0) return -1;
    if (fd_ >= 0 && !stillNames(fileName)) close();
    if (fd_ < 0) {
        const int fd = openRegularFile(fileName, nullptr);
        if (fd < 0) return -1;
        struct stat status {};
        if (::fstat(fd, &status) != 0) {
            ::close(fd);
            return -1;
        }
        fd_ = fd;
        device_ = status.st_dev;
        inode_ = status.st_ino;
        mode_ = status.st_mode;
        owner_ = status.st_uid;
        group_ = status.st_gid;
    }
    return readFromStart(fd_, bytes, capacity);
}

// Whether the name still leads to the open file, with what decided that it
// could be opened unchanged. While the file is open its inode number cannot
// pass to another file.
bool KeptIconFile::stillNames(const char* fileName) const {
    if (fileName == nullptr) return false;
    struct stat status {};
    if (::stat(fileName, &status) != 0) return false;
    return status.st_dev == device_ && status.st_ino == inode_ && status.st_mode == mode_ &&
           status.st_uid == owner_ && status.st_gid == group_;
}

void KeptIconFile::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

long readFromStart(int fd, void* bytes, std::size_t capacity) {
    auto* into = static_cast<unsigned char*>(bytes);
    std::size_t size = 0;
    for (;;) {
        unsigned char probe = 0;  // one byte past capacity tells a file that does not fit
        const bool room = size < capacity;
        const std::size_t wanted = room ? capacity - size : 1;
        const ssize_t n =
            ::pread(fd, room ? into + size : &probe, wanted, static_cast<off_t>(size));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 || (n > 0 && !room)) return -1;
        size += static_cast<std::size_t>(n);
        // A regular file reads short only at its end, so a small file takes
        // one read.
        if (static_cast<std::size_t>(n) < wanted) return static_cast<long>(size);
    }
}

}  // namespace easel::detail
