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

// Whether text[at, at + count) are all digits.
bool digitsAt(const std::string& text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) return false;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    return true;
}

// The length of the run of digits at text[at]; 0 when none.
std::size_t digitRun(const std::string& text, std::size_t at) {
    std::size_t n = 0;
    while (at + n < text.size() && text[at + n] >= '0' && text[at + n] <= '9') ++n;
    return n;
}

// The private per-user folder under the temporary folder must be a folder
// of the user's own, not a link and open to nobody else.
bool privateFolder(const std::string& path, std::string* why) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != ::getuid() || (status.st_mode & 077) != 0) {
        *why = path + " is not a private folder of this user";
        return false;
    }
    return true;
}

std::string userTempFolder(const std::string& base) {
    return base + "/easel-" + std::to_string(static_cast<unsigned long>(::getuid()));
}

struct RecoveryFile {
    std::string path;
    struct timespec modified {};
};

bool newer(const RecoveryFile& a, const RecoveryFile& b) {
    if (a.modified.tv_sec != b.modified.tv_sec) return a.modified.tv_sec > b.modified.tv_sec;
    if (a.modified.tv_nsec != b.modified.tv_nsec) return a.modified.tv_nsec > b.modified.tv_nsec;
    return a.path > b.path;
}

// The recovery files of folder, regular files only, newest first.
std::vector<RecoveryFile> recoveryFiles(const std::string& folder) {
    std::vector<RecoveryFile> files;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return files;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!isRecoveryName(name)) continue;
        RecoveryFile file;
        file.path = folder + "/" + name;
        struct stat status {};
        if (::lstat(file.path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) continue;
        file.modified = status.st_mtim;
        files.push_back(file);
    }
    ::closedir(dir);
    std::sort(files.begin(), files.end(), newer);
    return files;
}

}  // namespace

StartRequest readCommandLine(int argc, char** argv) {
    StartRequest request;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg == "--recover") {
            request.recover = true;
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
    if (request.recover && !request.file.empty()) request.error = "--recover opens no FILE";
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

std::vector<std::string> recoveryFolderCandidates() {
    std::vector<std::string> folders;
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') folders.push_back(std::string(state) + "/easel");
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        folders.push_back(std::string(home) + "/.local/state/easel");
    }
    const char* temp = std::getenv("TMPDIR");
    if (temp != nullptr && temp[0] == '/') folders.push_back(userTempFolder(temp));
    if (folders.empty() || folders.back() != userTempFolder("/tmp")) {
        folders.push_back(userTempFolder("/tmp"));
    }
    return folders;
}

bool usableRecoveryFolder(const std::string& folder, std::string* why) {
    if (!makeFolders(folder)) {
        *why = "cannot make the folder " + folder + ": " + std::strerror(errno);
        return false;
    }
    const bool underTemp = folder.compare(folder.rfind('/') + 1, 6, "easel-") == 0;
    if (underTemp && !privateFolder(folder, why)) return false;
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        *why = "cannot write in " + folder + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

std::string recoveryFolder(std::string* why) {
    std::string reasons;
    for (const std::string& folder : recoveryFolderCandidates()) {
        std::string reason;
        if (usableRecoveryFolder(folder, &reason)) {
            *why = reasons;
            return folder;
        }
        reasons += (reasons.empty() ? "" : "; ") + reason;
    }
    *why = reasons;
    return "";
}

std::string newRecoveryName(const std::string& folder) {
    const std::string stem =
        folder + "/recovery-" + timeStamp() + "-" + std::to_string(static_cast<long>(::getpid()));
    std::string name = stem + ".png";
    for (int n = 2; exists(name); ++n) name = stem + "-" + std::to_string(n) + ".png";
    return name;
}

bool isRecoveryName(const std::string& name) {
    // recovery-YYYYMMDD-HHMMSS-PID[-N].png
    if (name.size() < 30 || name.rfind("recovery-", 0) != 0 || !digitsAt(name, 9, 8)) return false;
    if (name[17] != '-' || !digitsAt(name, 18, 6) || name[24] != '-') return false;
    std::size_t at = 25;
    std::size_t run = digitRun(name, at);
    if (run == 0) return false;
    at += run;
    if (at < name.size() && name[at] == '-') {
        run = digitRun(name, at + 1);
        if (run == 0) return false;
        at += 1 + run;
    }
    return name.compare(at, std::string::npos, ".png") == 0;
}

void pruneRecoveryFiles(const std::string& folder, const std::string& keep) {
    const std::vector<RecoveryFile> files = recoveryFiles(folder);
    int kept = 0;
    for (const RecoveryFile& file : files) kept += file.path == keep ? 1 : 0;
    for (const RecoveryFile& file : files) {
        if (file.path == keep) continue;
        if (kept < recoveryFilesKept) {
            ++kept;
            continue;
        }
        ::unlink(file.path.c_str());
    }
}

std::string newestRecoveryFile() {
    RecoveryFile newest;
    for (const std::string& folder : recoveryFolderCandidates()) {
        const std::vector<RecoveryFile> files = recoveryFiles(folder);
        if (!files.empty() && (newest.path.empty() || newer(files.front(), newest))) {
            newest = files.front();
        }
        // The folders after the first usable one are not written to now.
        struct stat status {};
        if (::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
            ::access(folder.c_str(), W_OK | X_OK) == 0) {
            break;
        }
    }
    return newest.path;
}

}  // namespace paint
