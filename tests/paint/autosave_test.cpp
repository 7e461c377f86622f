#include "paint/autosave.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "easel/image/load.h"
#include "support/temp_directory.h"

namespace {

using paint::Autosave;

// Written only once the delay has passed after an unsaved change, holding
// the picture as it was; a later change is not current until written again;
// discard removes the file.
TEST(Autosave, WritesTheUnsavedPictureAfterTheDelayAndDiscardsIt) {
    easel_test::TempDirectory dir;
    setenv("XDG_STATE_HOME", dir.path().c_str(), 1);
    easel::Image picture(300, 200, easel::RgbColor(10, 20, 30));
    Autosave autosave;
    autosave.poll(picture, true, 100000);
    autosave.finish();
    EXPECT_TRUE(autosave.file().empty()) << "nothing changed yet";
    {
        auto guard = autosave.guard();
        picture.setPixel(5, 5, easel::RgbColor(255, 0, 0));
        autosave.changed(1000);
    }
    autosave.poll(picture, false, 1000 + Autosave::delayMilliseconds);
    autosave.finish();
    EXPECT_TRUE(autosave.file().empty()) << "nothing unsaved";
    autosave.poll(picture, true, 1000 + Autosave::delayMilliseconds - 1);
    autosave.finish();
    EXPECT_TRUE(autosave.file().empty()) << "too early";
    autosave.poll(picture, true, 1000 + Autosave::delayMilliseconds);
    autosave.finish();
    ASSERT_FALSE(autosave.file().empty());
    EXPECT_EQ(autosave.file().rfind(dir.path() + "/easel/recovery-", 0), 0u) << autosave.file();
    EXPECT_TRUE(autosave.current());
    const std::optional<easel::Image> written = easel::loadImage(autosave.file().c_str());
    ASSERT_TRUE(written.has_value());
    EXPECT_TRUE(*written == picture);
    {
        auto guard = autosave.guard();
        autosave.changed(9000);
    }
    EXPECT_FALSE(autosave.current());
    const std::string file = autosave.file();
    autosave.discard();
    EXPECT_NE(access(file.c_str(), F_OK), 0) << "removed";
    EXPECT_TRUE(autosave.file().empty());
    unsetenv("XDG_STATE_HOME");
}

}  // namespace
