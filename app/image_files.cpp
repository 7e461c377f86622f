#include "app/image_files.h"

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace paint {

namespace {

// Every change that can make a name in the directory mean another file, or
// make opening it fail where it succeeded: the entry created, removed or
// renamed, an entry's or the directory's attributes (permissions) changed,
// the directory removed. Writes need no event: a kept file is read afresh.
constexpr std::uint32_t directoryEvents =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB | IN_DELETE_SELF | IN_ONLYDIR;

// A kept file's attributes can also change through a hard link elsewhere,
// which the directory's watch does not see.
constexpr std::uint32_t fileEvents = IN_ATTRIB;

// Reads from the start of an open file into bytes, asking for one byte more
// than capacity: a regular file returns less than asked only at its end.
long readFrom(int fd, unsigned char* bytes, std::size_t capacity) {
    ssize_t n = -1;
    do {
        n = ::pread(fd, bytes, capacity + 1, 0);
    } while (n < 0 && errno == EINTR);
    if (n < 0 || static_cast<std::size_t>(n) > capacity) return -1;
    return static_cast<long>(n);
}

// Opens name for reading if it is a regular file: the descriptor, or -1 with
// errno from the open (0 for a name that is not a regular file). The open
// does not wait: opening a FIFO for reading would block until a writer came.
int openRegular(const char* name, int flags) {
    const int fd = ::open(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK | flags);
    if (fd < 0) return -1;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        errno = 0;
        return -1;
    }
    return fd;
}

// Opens, reads and closes name.
long readOnce(const char* name, unsigned char* bytes, std::size_t capacity) {
    const int fd = openRegular(name, 0);
    if (fd < 0) return -1;
    const long n = readFrom(fd, bytes, capacity);
    ::close(fd);
    return n;
}

}  // namespace

ImageFiles::~ImageFiles() {
    closeAll();
    if (inotify_ >= 0) ::close(inotify_);
}

long ImageFiles::read(const char* name, unsigned char* bytes, std::size_t capacity) {
    if (watch_) catchUpWithDirectory();
    if (!watching()) return readOnce(name, bytes, capacity);
    Kept* file = find(name);
    if (file == nullptr) {
        switch (keep(name, &file)) {
            case Keeping::kept:
                break;
            case Keeping::unreadable:
                return -1;
            case Keeping::notKept:
                return readOnce(name, bytes, capacity);
        }
    }
    return readFrom(file->fd, bytes, capacity);
}

// Takes in every event since the last call, so that no kept file is read
// once its name may mean another, and follows the working directory when the
// program has moved to another one.
void ImageFiles::catchUpWithDirectory() {
    struct stat here {};
    if (::stat(".", &here) != 0) {
        stopWatching();
        return;
    }
    if (!watching() || here.st_dev != directoryDevice_ || here.st_ino != directoryInode_) {
        stopWatching();
        directoryDevice_ = here.st_dev;
        directoryInode_ = here.st_ino;
        watchWorkingDirectory();
        return;  // nothing is kept yet, so no event can matter
    }
    alignas(inotify_event) char events[4096];
    for (;;) {
        const ssize_t n = ::read(inotify_, events, sizeof events);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) return;  // every event is in
        if (n <= 0) {
            stopWatching();  // the events cannot be read: keep nothing
            return;
        }
        for (ssize_t at = 0; at < n;) {
            inotify_event event{};
            std::memcpy(&event, events + at, sizeof event);
            const char* name = events + at + sizeof event;
            at += static_cast<ssize_t>(sizeof event + event.len);
            if ((event.mask & IN_Q_OVERFLOW) != 0) {
                closeAll();
            } else if (event.wd == directoryWatch_) {
                if ((event.mask & (IN_DELETE_SELF | IN_IGNORED)) != 0) {
                    stopWatching();
                    return;
                }
                // An event on the directory itself changes every name.
                if (event.len == 0 || find(name) != nullptr) closeAll();
            } else if ((event.mask & IN_ATTRIB) != 0) {
                closeAll();
            }
        }
    }
}

void ImageFiles::watchWorkingDirectory() {
    if (inotify_ < 0) inotify_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotify_ < 0) {
        watch_ = false;  // no inotify here: open every file on every call
        return;
    }
    directoryWatch_ = ::inotify_add_watch(inotify_, ".", directoryEvents);
}

void ImageFiles::stopWatching() {
    closeAll();
    if (directoryWatch_ >= 0) ::inotify_rm_watch(inotify_, directoryWatch_);
    directoryWatch_ = -1;
}

void ImageFiles::closeAll() {
    for (Kept& file : kept_) {
        if (file.fd < 0) continue;
        // Two names may be links to one file and share its watch; removing
        // it twice is refused harmlessly.
        if (file.watch >= 0) ::inotify_rm_watch(inotify_, file.watch);
        ::close(file.fd);
        file = Kept{};
    }
}

ImageFiles::Kept* ImageFiles::find(const char* name) {
    for (Kept& file : kept_) {
        if (file.fd >= 0 && std::strncmp(file.name, name, nameBytes) == 0) return &file;
    }
    return nullptr;
}

// Opens name and keeps it open. A symbolic link is not kept, since what it
// leads to can change in another directory; nor is a name too long for a
// slot, or any name once every slot is taken. The file's own watch is placed
// through the open descriptor, so that it is on the very file kept.
ImageFiles::Keeping ImageFiles::keep(const char* name, Kept** kept) {
    Kept* slot = nullptr;
    for (Kept& file : kept_) {
        if (file.fd < 0) {
            slot = &file;
            break;
        }
    }
    if (slot == nullptr || std::strlen(name) >= nameBytes) return Keeping::notKept;
    const int fd = openRegular(name, O_NOFOLLOW);
    if (fd < 0) return errno == ELOOP ? Keeping::notKept : Keeping::unreadable;
    char path[64];
    std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
    const int watch = ::inotify_add_watch(inotify_, path, fileEvents);
    if (watch < 0) {
        ::close(fd);
        return Keeping::notKept;
    }
    slot->fd = fd;
    slot->watch = watch;
    std::memcpy(slot->name, name, std::strlen(name) + 1);
    *kept = slot;
    return Keeping::kept;
}

}  // namespace paint
