// What a save does with what is already at the name: links, files that are
// not regular, files the user may not write, permission bits, long names,
// and new files taken under a free name by programs saving at once.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "easel/image/load.h"
#include "easel/image/save.h"
#include "support/child_process.h"
#include "support/temp_directory.h"

namespace {

using easel::Image;

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::size_t entryCount(const std::string& folder) {
    std::size_t n = 0;
    for (auto it = std::filesystem::directory_iterator(folder);
         it != std::filesystem::directory_iterator(); ++it)
        ++n;
    return n;
}

const Image picture(7, 5, easel::RgbColor(200, 10, 30));

TEST(SaveRules, ALinkIsSavedThroughAndStays) {
    easel_test::TempDirectory dir;
    std::filesystem::create_directory(dir.file("real"));
    writeBytes(dir.file("real/target.png"), "old");
    ASSERT_EQ(symlink("real/target.png", dir.file("link.png").c_str()), 0);
    ASSERT_EQ(symlink("link.png", dir.file("chain.png").c_str()), 0);
    std::string why;
    ASSERT_TRUE(easel::saveImage(picture, dir.file("chain.png").c_str(), &why)) << why;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("chain.png")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.png")));
    EXPECT_TRUE(*easel::loadImage(dir.file("real/target.png").c_str()) == picture);
    // A link to a file not yet made: the file is made where it points.
    ASSERT_EQ(symlink("real/later.png", dir.file("ahead.png").c_str()), 0);
    ASSERT_TRUE(easel::saveImage(picture, dir.file("ahead.png").c_str(), &why)) << why;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("ahead.png")));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.file("real/later.png")));
}

TEST(SaveRules, WhatIsNotARegularFileIsRefusedAndNothingIsMade) {
    easel_test::TempDirectory dir;
    ASSERT_EQ(mkfifo(dir.file("pipe.png").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.file("folder.png"));
    ASSERT_EQ(symlink("/dev/null", dir.file("device.png").c_str()), 0);
    const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketName = dir.file("socket.png");
    ASSERT_LT(socketName.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketName.c_str());
    ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const struct {
        const char* name;
        const char* reason;
    } cases[] = {{"pipe.png", "FIFO"},
                 {"folder.png", "folder"},
                 {"device.png", "device"},
                 {"socket.png", "socket"}};
    for (const auto& c : cases) {
        std::string why;
        EXPECT_FALSE(easel::saveImage(picture, dir.file(c.name).c_str(), &why)) << c.name;
        EXPECT_NE(why.find(c.reason), std::string::npos) << c.name << ": " << why;
    }
    close(sock);
    EXPECT_TRUE(std::filesystem::is_fifo(dir.file("pipe.png")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("device.png")));
    EXPECT_EQ(entryCount(dir.path()), 4u) << "nothing is created";
}

// The rule is the one open() applies, for the user who runs the program:
// run as root (which may write any file), the check runs as nobody.
TEST(SaveRules, AFileTheUserMayNotWriteIsRefused) {
    easel_test::TempDirectory dir;
    const bool root = geteuid() == 0;
    const uid_t user = root ? 65534 : geteuid();
    ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
    const struct {
        const char* name;
        mode_t mode;
        bool ownedByUser;
        bool saves;
    } cases[] = {{"read_only.png", 0444, true, false},
                 {"no_access.png", 0000, true, false},
                 {"others.png", 0644, false, false},
                 {"mine.png", 0644, true, true}};
    for (const auto& c : cases) {
        writeBytes(dir.file(c.name), "old");
        ASSERT_EQ(chmod(dir.file(c.name).c_str(), c.mode), 0);
        if (root && c.ownedByUser) {
            ASSERT_EQ(chown(dir.file(c.name).c_str(), user, user), 0);
        }
    }
    if (!root) GTEST_SKIP() << "a file of another user needs root to be made";
    const easel_test::ChildOutcome outcome = easel_test::runInChild(
        [&] {
            if (setgid(user) != 0 || setuid(user) != 0) return false;
            bool ok = true;
            for (const auto& c : cases) {
                std::string why;
                const bool saved = easel::saveImage(picture, dir.file(c.name).c_str(), &why);
                if (saved != c.saves) std::fprintf(stderr, "%s: %s\n", c.name, why.c_str());
                ok = ok && saved == c.saves;
                ok = ok && (saved || why.find("may not write") != std::string::npos);
            }
            return ok;
        },
        30);
    EXPECT_TRUE(outcome.passed);
    for (const auto& c : cases) {
        EXPECT_EQ(readBytes(dir.file(c.name)) == "old", !c.saves) << c.name;
    }
    EXPECT_EQ(entryCount(dir.path()), 4u) << "no temporary file is left";
}

TEST(SaveRules, PermissionsAreKeptExceptSetIdAndSticky) {
    easel_test::TempDirectory dir;
    const struct {
        mode_t before, after;
    } cases[] = {{0640, 0640}, {0604, 0604}, {06755, 0755}, {01666, 0666}};
    for (const auto& c : cases) {
        const std::string name = dir.file("kept.bmp");
        writeBytes(name, "old");
        ASSERT_EQ(chmod(name.c_str(), c.before), 0);
        std::string why;
        ASSERT_TRUE(easel::saveImage(picture, name.c_str(), &why)) << why;
        struct stat status {};
        ASSERT_EQ(stat(name.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, c.after) << std::oct << c.before;
    }
}

TEST(SaveRules, AnyNameTheFolderAcceptsCanBeSaved) {
    easel_test::TempDirectory dir;
    for (const std::size_t length : {241u, 250u, 255u}) {
        const std::string name = dir.file(std::string(length - 4, 'n') + ".png");
        std::string why;
        EXPECT_TRUE(easel::saveImage(picture, name.c_str(), &why)) << length << ": " << why;
        EXPECT_TRUE(easel::saveImage(picture, name.c_str(), &why)) << length << " again: " << why;
    }
}

// Four programs saving a new picture under one name at once each get a
// name of their own, and each file holds that program's picture.
TEST(SaveRules, NewFilesTakeTheNextFreeNameExclusively) {
    easel_test::TempDirectory dir;
    const std::string name = dir.file("painting-1.png");
    writeBytes(name, "taken");
    std::string why;
    EXPECT_EQ(easel::saveNewImage(picture, name.c_str(), &why), dir.file("painting-1-2.png"))
        << why;
    EXPECT_EQ(readBytes(name), "taken");
    const std::string fresh = dir.file("fresh.png");
    int pipes[4][2] = {};
    pid_t children[4] = {};
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(pipe(pipes[i]), 0);
        children[i] = fork();
        if (children[i] == 0) {
            const std::string used =
                easel::saveNewImage(Image(3 + i, 2, easel::RgbColor(i, 0, 0)), fresh.c_str());
            (void)!write(pipes[i][1], used.c_str(), used.size());
            _exit(used.empty() ? 1 : 0);
        }
        close(pipes[i][1]);
    }
    std::set<std::string> names;
    for (int i = 0; i < 4; ++i) {
        int status = 0;
        waitpid(children[i], &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        char used[4096] = {};
        const ssize_t n = read(pipes[i][0], used, sizeof used - 1);
        close(pipes[i][0]);
        ASSERT_GT(n, 0);
        names.insert(used);
        const std::optional<Image> back = easel::loadImage(used);
        ASSERT_TRUE(back.has_value()) << used;
        EXPECT_EQ(back->width(), 3 + i) << used << " holds another program's picture";
    }
    EXPECT_EQ(names.size(), 4u);
    EXPECT_EQ(names.count(fresh), 1u);
}

}  // namespace
