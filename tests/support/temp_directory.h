// A fresh directory for one test's files.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace easel_test {

// Makes a new directory under the temporary folder and, when asked, makes it
// the working directory for the object's lifetime. At the end the previous
// working directory comes back and the directory goes, with all it holds.
class TempDirectory {
  public:
    explicit TempDirectory(bool enter = true) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "easel_test_XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) return;
        path_ = pattern;
        ready_ = true;
        if (!enter) return;
        std::error_code error;
        previous_ = std::filesystem::current_path(error).string();
        ready_ = !error && chdir(path_.c_str()) == 0;
    }
    ~TempDirectory() {
        if (!previous_.empty()) (void)chdir(previous_.c_str());
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    // Whether the directory was made, and entered when that was asked.
    bool ready() const { return ready_; }
    const std::string& path() const { return path_; }
    // The path of a file of the given name in the directory.
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
    std::string previous_;
    bool ready_ = false;
};

}  // namespace easel_test
