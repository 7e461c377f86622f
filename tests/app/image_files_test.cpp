// A read through ImageFiles always gives what opening the file by name and
// reading it at that moment gives, however the file or its name changed
// since the last read: written in place, through a memory mapping or a hard
// link elsewhere, truncated, grown too large, replaced by a rename, removed,
// turned into a link, a FIFO or a directory, or the program moved to another
// directory. Each case runs with the directory watched and without.
#include "app/image_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "support/temp_directory.h"

namespace {

using easel_test::TempDirectory;

constexpr std::size_t capacity = 64;

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << text;
}

// Replaces path's file with a new one of the given text, as editors and
// installers do: written beside it, then renamed over it.
void replaceFile(const std::string& path, const std::string& text) {
    writeFile(path + ".new", text);
    ASSERT_EQ(std::rename((path + ".new").c_str(), path.c_str()), 0);
}

class ImageFilesTest : public testing::TestWithParam<bool> {
  protected:
    // The file's text as read now, or "<unreadable>".
    std::string read(const char* name) {
        unsigned char bytes[capacity + 1] = {};
        const long n = files_.read(name, bytes, capacity);
        if (n < 0) return "<unreadable>";
        return std::string(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(n));
    }

    const paint::ImageFiles& files() const { return files_; }

  private:
    paint::ImageFiles files_{GetParam()};
};

TEST_P(ImageFilesTest, ChangesToAFilesBytesShowOnTheNextRead) {
    TempDirectory dir;
    ASSERT_TRUE(dir.ready());
    writeFile("a.bmp", "first");
    EXPECT_EQ(read("a.bmp"), "first");
    EXPECT_EQ(files().watching(), GetParam());

    writeFile("a.bmp", "other");  // same size, in place
    EXPECT_EQ(read("a.bmp"), "other");
    writeFile("a.bmp", "");
    EXPECT_EQ(read("a.bmp"), "");
    writeFile("a.bmp", std::string(capacity, 'x'));
    EXPECT_EQ(read("a.bmp"), std::string(capacity, 'x'));
    writeFile("a.bmp", std::string(capacity + 1, 'x'));  // too large to read whole
    EXPECT_EQ(read("a.bmp"), "<unreadable>");
    ASSERT_EQ(truncate("a.bmp", 3), 0);
    EXPECT_EQ(read("a.bmp"), "xxx");

    // Through a shared mapping: no write call, no event.
    const int fd = open("a.bmp", O_RDWR);
    ASSERT_GE(fd, 0);
    void* map = mmap(nullptr, 3, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ASSERT_NE(map, MAP_FAILED);
    static_cast<char*>(map)[1] = 'y';
    EXPECT_EQ(read("a.bmp"), "xyx");
    munmap(map, 3);
    close(fd);

    // Through a hard link in another directory.
    const TempDirectory elsewhere(false);
    ASSERT_TRUE(elsewhere.ready());
    const std::string link = elsewhere.file("link.bmp");
    ASSERT_EQ(::link("a.bmp", link.c_str()), 0);
    writeFile(link, "through a link");
    EXPECT_EQ(read("a.bmp"), "through a link");
}

TEST_P(ImageFilesTest, ANameThatComesToMeanAnotherFileShowsThatFile) {
    TempDirectory dir;
    ASSERT_TRUE(dir.ready());
    EXPECT_EQ(read("a.bmp"), "<unreadable>");  // not there yet
    writeFile("a.bmp", "created");
    EXPECT_EQ(read("a.bmp"), "created");
    replaceFile("a.bmp", "renamed over");
    EXPECT_EQ(read("a.bmp"), "renamed over");
    ASSERT_EQ(std::rename("a.bmp", "b.bmp"), 0);
    EXPECT_EQ(read("a.bmp"), "<unreadable>");
    EXPECT_EQ(read("b.bmp"), "renamed over");
    ASSERT_EQ(std::rename("b.bmp", "a.bmp"), 0);
    EXPECT_EQ(read("a.bmp"), "renamed over");
    EXPECT_EQ(read("b.bmp"), "<unreadable>");
    ASSERT_EQ(std::remove("a.bmp"), 0);
    EXPECT_EQ(read("a.bmp"), "<unreadable>");

    // A link is followed, and what it leads to may change anywhere.
    writeFile("target1", "one");
    writeFile("target2", "two");
    ASSERT_EQ(symlink("target1", "a.bmp"), 0);
    EXPECT_EQ(read("a.bmp"), "one");
    writeFile("target1", "one again");
    EXPECT_EQ(read("a.bmp"), "one again");
    ASSERT_EQ(std::remove("a.bmp"), 0);
    ASSERT_EQ(symlink("target2", "a.bmp"), 0);
    EXPECT_EQ(read("a.bmp"), "two");
    ASSERT_EQ(std::remove("target2"), 0);
    EXPECT_EQ(read("a.bmp"), "<unreadable>");  // dangling
    ASSERT_EQ(std::remove("a.bmp"), 0);

    // Neither a FIFO nor a directory is read, and the FIFO is not waited on.
    ASSERT_EQ(mkfifo("a.bmp", 0600), 0);
    EXPECT_EQ(read("a.bmp"), "<unreadable>");
    ASSERT_EQ(std::remove("a.bmp"), 0);
    ASSERT_EQ(mkdir("a.bmp", 0700), 0);
    EXPECT_EQ(read("a.bmp"), "<unreadable>");
    ASSERT_EQ(rmdir("a.bmp"), 0);
    writeFile("a.bmp", "back");
    EXPECT_EQ(read("a.bmp"), "back");
}

TEST_P(ImageFilesTest, NamesAreReadInTheDirectoryTheProgramIsIn) {
    TempDirectory first;
    ASSERT_TRUE(first.ready());
    writeFile("a.bmp", "in the first");
    EXPECT_EQ(read("a.bmp"), "in the first");
    {
        TempDirectory second;
        ASSERT_TRUE(second.ready());
        EXPECT_EQ(read("a.bmp"), "<unreadable>");
        writeFile("a.bmp", "in the second");
        EXPECT_EQ(read("a.bmp"), "in the second");
    }
    EXPECT_EQ(read("a.bmp"), "in the first");

    // The directory removed from under the program: nothing is left to read.
    ASSERT_EQ(std::remove("a.bmp"), 0);
    ASSERT_EQ(rmdir(first.path().c_str()), 0);
    EXPECT_EQ(read("a.bmp"), "<unreadable>");
    EXPECT_EQ(read("a.bmp"), "<unreadable>");
}

TEST_P(ImageFilesTest, MoreNamesThanSlotsAndLongNamesAreAllRead) {
    TempDirectory dir;
    ASSERT_TRUE(dir.ready());
    const std::string longName = std::string(40, 'n') + ".bmp";
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 12; ++i) {
            const std::string name = "icon" + std::to_string(i) + ".bmp";
            writeFile(name, name + " round " + std::to_string(round));
            EXPECT_EQ(read(name.c_str()), name + " round " + std::to_string(round));
        }
        writeFile(longName, "long " + std::to_string(round));
        EXPECT_EQ(read(longName.c_str()), "long " + std::to_string(round));
    }
}

INSTANTIATE_TEST_SUITE_P(WatchedAndNot, ImageFilesTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& param) {
                             return param.param ? "Watched" : "OpenedEveryTime";
                         });

}  // namespace
