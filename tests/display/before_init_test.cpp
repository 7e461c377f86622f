// Calls before initScreen, in a fresh process that never opened the screen
// (this binary opens it before any test): before_init_child calls every
// drawing, pixel and entry operation, checks each answer, and must end
// normally with exactly one line on standard error naming initScreen.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/temp_directory.h"

namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(BeforeInitScreen, EveryCallDoesNothingAndTheFirstSaysSoOnce) {
    easel_test::TempDirectory dir(false);
    ASSERT_TRUE(dir.ready());
    const std::string out = dir.file("out");
    const std::string err = dir.file("err");
    const std::string command =
        std::string("'") + EASEL_BEFORE_INIT_CHILD + "' >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "the child died (signal " << WTERMSIG(status) << ")";
    EXPECT_EQ(WEXITSTATUS(status), 0) << contents(out);
    const std::string said = contents(err);
    EXPECT_NE(said.find("putPixel was called before initScreen"), std::string::npos) << said;
    ASSERT_FALSE(said.empty());
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line only:\n" << said;
}

}  // namespace
