#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "easel/image/detail/encode.h"
#include "easel/image/detail/file_mode.h"

namespace easel::detail {

namespace {

bool fail(std::string* why, const std::string& message) {
    if (why != nullptr) *why = message;
    return false;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The permissions a new file would get (0666 less the umask), or those of
// the file being replaced, so that a save does not change who may read it.
mode_t modeFor(const std::string& target) {
    struct stat status {};
    if (::stat(target.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
        return status.st_mode & 07777;
    }
    return newFileMode();
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

}  // namespace

bool writeAtomically(const std::string& target,
                     const std::function<bool(std::FILE*, std::string*)>& write, std::string* why) {
    const std::string quoted = "'" + target + "'";
    struct stat status {};
    if (::stat(target.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
        return fail(why, "cannot save to " + quoted + ": it is a folder");
    }
    const std::string folder = folderOf(target);
    std::string temporary = folder + "/." + baseOf(target) + ".saving-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return fail(why, "cannot save to " + quoted + ": cannot create a file in '" + folder +
                             "': " + std::strerror(errno));
    }
    ::fchmod(fd, modeFor(target));
    std::string reason;
    if (!fillTemporary(fd, write, &reason)) {
        ::unlink(temporary.c_str());
        return fail(why, "cannot save to " + quoted + ": " + reason);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return fail(why, "cannot save to " + quoted + ": " + std::strerror(error));
    }
    syncFolder(folder);
    return true;
}

}  // namespace easel::detail
