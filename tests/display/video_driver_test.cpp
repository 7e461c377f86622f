// Which video driver initScreen starts, in child processes whose environment
// decides SDL's choices: with no display and SDL_VIDEODRIVER unset, SDL 1.2.15
// would start its text-mode caca driver in a terminal; initScreen must fail
// as with no display. A driver named in SDL_VIDEODRIVER is started.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/temp_directory.h"

namespace {

struct Outcome {
    int status = -1;
    std::string out;
};

// Runs the child under `env -u DISPLAY -u SDL_VIDEODRIVER <assignments>`.
Outcome openScreenWith(const std::string& assignments) {
    easel_test::TempDirectory dir(false);
    const std::string out = dir.file("out");
    const std::string command = "env -u DISPLAY -u SDL_VIDEODRIVER " + assignments + " '" +
                                EASEL_OPEN_SCREEN_CHILD + "' </dev/null >'" + out + "' 2>/dev/null";
    const int status = std::system(command.c_str());
    Outcome o;
    if (WIFEXITED(status)) o.status = WEXITSTATUS(status);
    std::ifstream in(out);
    std::ostringstream text;
    text << in.rdbuf();
    o.out = text.str();
    return o;
}

TEST(VideoDriver, NoDisplayFailsInsteadOfStartingATextModeDriver) {
    // A terminal type that ncurses knows, so that caca would start.
    const Outcome o = openScreenWith("TERM=xterm");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out.rfind("Unable to init SDL: ", 0), 0u) << o.out;
    EXPECT_EQ(o.out.find('\x1b'), std::string::npos) << "escape codes in the output: " << o.out;
    // Without TERM, ncurses would end the process with its own message.
    const Outcome bare = openScreenWith("-u TERM");
    EXPECT_EQ(bare.status, 1);
    EXPECT_EQ(bare.out.rfind("Unable to init SDL: ", 0), 0u) << bare.out;
}

TEST(VideoDriver, ADriverTheUserNamesIsStarted) {
    const Outcome o = openScreenWith("SDL_VIDEODRIVER=dummy");
    EXPECT_EQ(o.status, 0) << o.out;
    EXPECT_EQ(o.out, "opened dummy\n");
}

}  // namespace
