#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "easel/image/detail/encode.h"

namespace easel::detail {

namespace {

// How many symbolic links a name may pass through, as the kernel allows.
constexpr int maxLinks = 40;
// How many numbered names a new file may try: -2 up to -1000.
constexpr int maxNumberedNames = 1000;

bool fail(std::string* why, const std::string& message) {
    if (why != nullptr) *why = message;
    return false;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file that a save to name writes: name itself, or the file its chain of
// symbolic links ends at (which may not exist yet), so that the links stay.
// False when the chain is too long or a link cannot be read.
bool resolveLinks(const std::string& name, std::string* file, std::string* reason) {
    std::string path = name;
    for (int i = 0; i < maxLinks; ++i) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            *file = path;
            return true;
        }
        char target[PATH_MAX] = {};
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
        if (n < 0)
            return fail(reason, std::string("cannot read the link: ") + std::strerror(errno));
        const std::string to(target, static_cast<std::size_t>(n));
        path = to[0] == '/' ? to : folderOf(path) + "/" + to;
    }
    return fail(reason, "too many levels of symbolic links");
}

const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "it is a folder";
    if (S_ISFIFO(mode)) return "it is a FIFO, not a regular file";
    if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file";
    return "it is not a regular file";
}

// Whether a file may be saved over the existing one: a regular file that the
// user may write (by the effective user's permissions, as open would judge).
// *existing says whether there is one, with its status.
bool mayReplace(const std::string& file, struct stat* status, bool* existing, std::string* reason) {
    *existing = ::stat(file.c_str(), status) == 0;
    if (!*existing) return true;
    if (!S_ISREG(status->st_mode)) return fail(reason, kindOf(status->st_mode));
    if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) {
        return fail(reason, std::string("you may not write it: ") + std::strerror(errno));
    }
    return true;
}

// The permissions of a new file (0666 less the umask).
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A temporary file of a short, fixed-length name in folder, so that any name
// the folder accepts can be saved; -1 with the reason on failure.
int makeTemporary(const std::string& folder, std::string* temporary, std::string* reason) {
    *temporary = folder + "/.easel-XXXXXX";
    const int fd = ::mkostemp(temporary->data(), O_CLOEXEC);
    if (fd < 0) {
        fail(reason, "cannot create a file in '" + folder + "': " + std::strerror(errno));
    }
    return fd;
}

// Syncs the folder, so that the rename itself survives a crash.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Writes, flushes, syncs and closes the open temporary file.
bool fillTemporary(int fd, const std::function<bool(std::FILE*, std::string*)>& write,
                   std::string* why) {
    std::FILE* out = ::fdopen(fd, "wb");
    if (out == nullptr) {
        ::close(fd);
        return fail(why, std::string("cannot write: ") + std::strerror(errno));
    }
    bool ok = write(out, why);
    int error = 0;
    if (ok && std::fflush(out) != 0) error = errno;
    if (ok && error == 0 && ::fsync(::fileno(out)) != 0) error = errno;
    if (std::fclose(out) != 0 && ok && error == 0) error = errno;
    if (ok && error != 0) return fail(why, std::string("cannot write: ") + std::strerror(error));
    if (!ok && why != nullptr && why->empty()) *why = "cannot write";
    return ok;
}

// Makes and fills a temporary file in folder with the given permissions
// (and, when owner is given, its owner and group where the user may set
// them); its name in *temporary, or false with the reason.
bool writeTemporary(const std::string& folder, mode_t mode, const struct stat* owner,
                    const std::function<bool(std::FILE*, std::string*)>& write,
                    std::string* temporary, std::string* reason) {
    const int fd = makeTemporary(folder, temporary, reason);
    if (fd < 0) return false;
    if (owner != nullptr && ::fchown(fd, owner->st_uid, owner->st_gid) != 0) {
        (void)!::fchown(fd, static_cast<uid_t>(-1), owner->st_gid);
    }
    ::fchmod(fd, mode);
    if (fillTemporary(fd, write, reason)) return true;
    ::unlink(temporary->c_str());
    return false;
}

// name with "-n" before its ending: "a/b.png" -> "a/b-2.png".
std::string numbered(const std::string& name, int n) {
    const std::size_t slash = name.rfind('/');
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = name.size();
    return name.substr(0, dot) + "-" + std::to_string(n) + name.substr(dot);
}

// Gives the temporary file the name target only if no file has it; EEXIST
// when one does. Where the file system cannot rename without replacing, a
// hard link does the same.
int publishExclusively(const std::string& temporary, const std::string& target) {
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) return errno;
    if (::link(temporary.c_str(), target.c_str()) != 0) return errno;
    ::unlink(temporary.c_str());
    return 0;
}

}  // namespace

bool writeAtomically(const std::string& target,
                     const std::function<bool(std::FILE*, std::string*)>& write, std::string* why) {
    const std::string quoted = "'" + target + "'";
    std::string file;
    std::string reason;
    struct stat status {};
    bool existing = false;
    if (!resolveLinks(target, &file, &reason) || !mayReplace(file, &status, &existing, &reason)) {
        return fail(why, "cannot save to " + quoted + ": " + reason);
    }
    // The new file keeps the old one's permissions, less set-user-ID,
    // set-group-ID and sticky, which a picture has no use for.
    const mode_t mode = existing ? (status.st_mode & 0777) : newFileMode();
    const std::string folder = folderOf(file);
    std::string temporary;
    if (!writeTemporary(folder, mode, existing ? &status : nullptr, write, &temporary, &reason)) {
        return fail(why, "cannot save to " + quoted + ": " + reason);
    }
    if (::rename(temporary.c_str(), file.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return fail(why, "cannot save to " + quoted + ": " + std::strerror(error));
    }
    syncFolder(folder);
    return true;
}

std::string writeNewFile(const std::string& target,
                         const std::function<bool(std::FILE*, std::string*)>& write,
                         std::string* why) {
    const std::string quoted = "'" + target + "'";
    const std::string folder = folderOf(target);
    std::string temporary;
    std::string reason;
    if (!writeTemporary(folder, newFileMode(), nullptr, write, &temporary, &reason)) {
        fail(why, "cannot save to " + quoted + ": " + reason);
        return "";
    }
    int error = EEXIST;
    for (int n = 1; n <= maxNumberedNames && error == EEXIST; ++n) {
        const std::string name = n == 1 ? target : numbered(target, n);
        error = publishExclusively(temporary, name);
        if (error == 0) {
            syncFolder(folder);
            return name;
        }
    }
    ::unlink(temporary.c_str());
    fail(why, "cannot save to " + quoted + ": " + std::strerror(error));
    return "";
}

}  // namespace easel::detail
