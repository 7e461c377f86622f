#include "paint/picture_file.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace paint {

namespace {

std::string workingFolder() {
    std::vector<char> buffer(4096);
    if (::getcwd(buffer.data(), buffer.size()) == nullptr) return ".";
    return buffer.data();
}

std::string timeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32] = {};
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

bool exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

// Makes the folder and its parents, each private to the user when new.
bool makeFolders(const std::string& path) {
    for (std::size_t at = 1; at <= path.size(); ++at) {
        if (at != path.size() && path[at] != '/') continue;
        const std::string part = path.substr(0, at);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool isRecoveryName(const std::string& name) {
    return name.rfind("recovery-", 0) == 0 && name.size() > 13 &&
           name.compare(name.size() - 4, 4, ".png") == 0;
}

}  // namespace

StartRequest readCommandLine(int argc, char** argv) {
    StartRequest request;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg == "--start-dir" && i + 1 < argc) {
            request.startFolder = argv[++i];
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            request.error = "unknown option " + arg;
        } else if (request.file.empty()) {
            request.file = arg;
        } else {
            request.error = "only one FILE can be opened";
        }
    }
    if (request.startFolder.empty() || request.startFolder[0] != '/') {
        const std::string here = workingFolder();
        request.startFolder = request.startFolder.empty() ? here : here + "/" + request.startFolder;
    }
    if (!request.file.empty() && request.file[0] != '/') {
        request.file = request.startFolder + "/" + request.file;
    }
    return request;
}

std::string newPictureName(const std::string& folder) {
    const std::string stem = folder + "/painting-" + timeStamp();
    std::string name = stem + ".png";
    for (int n = 2; exists(name); ++n) name = stem + "-" + std::to_string(n) + ".png";
    return name;
}

bool isSavedOver(const std::string& name) {
    if (name.size() < 4) return false;
    std::string ending = name.substr(name.size() - 4);
    for (char& c : ending) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return ending == ".png" || ending == ".bmp";
}

std::string withoutEnding(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0 || (slash != std::string::npos && dot <= slash + 1)) {
        return name;
    }
    return name.substr(0, dot);
}

std::string freePictureName(const std::string& stem, int firstNumber) {
    for (int n = firstNumber < 1 ? 1 : firstNumber;; ++n) {
        const std::string name = n == 1 ? stem + ".png" : stem + "-" + std::to_string(n) + ".png";
        if (!exists(name)) return name;
    }
}

std::string recoveryFolder(std::string* why) {
    std::string base;
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') {
        base = state;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/') {
            *why = "neither XDG_STATE_HOME nor HOME names a folder";
            return "";
        }
        base = std::string(home) + "/.local/state";
    }
    const std::string folder = base + "/easel";
    if (!makeFolders(folder)) {
        *why = "cannot make the folder " + folder + ": " + std::strerror(errno);
        return "";
    }
    return folder;
}

std::string newRecoveryName(const std::string& folder) {
    const std::string stem =
        folder + "/recovery-" + timeStamp() + "-" + std::to_string(static_cast<long>(::getpid()));
    std::string name = stem + ".png";
    for (int n = 2; exists(name); ++n) name = stem + "-" + std::to_string(n) + ".png";
    return name;
}

void pruneRecoveryFiles(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    std::vector<std::pair<std::string, std::string>> files;  // (time stamp, name)
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!isRecoveryName(name)) continue;
        struct stat status {};
        if (::lstat((folder + "/" + name).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
            continue;
        }
        files.emplace_back(name.substr(9, 15), name);
    }
    ::closedir(dir);
    if (static_cast<int>(files.size()) <= recoveryFilesKept) return;
    std::sort(files.begin(), files.end());
    for (std::size_t i = 0; i + recoveryFilesKept < files.size(); ++i) {
        ::unlink((folder + "/" + files[i].second).c_str());
    }
}

}  // namespace paint
