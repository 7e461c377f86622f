#include "paint/document.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "paint/pass.h"
#include "paint/picture_file.h"
#include "paint/shortcuts.h"
#include "paint/state.h"
#include "easel/display/screen.h"
#include "easel/image/draw.h"
#include "easel/image/load.h"
#include "easel/image/save.h"
#include "support/screen_fixture.h"
#include "support/temp_directory.h"

namespace {

using easel::RgbColor;
using paint::Pointer;

constexpr Pointer clearButton{412, 87, true, false};
constexpr Pointer pencilButton{312, 62, true, false};
constexpr Pointer brushButton{312, 87, true, false};
constexpr Pointer inkButton{412, 62, true, false};

// The canvas rows of the screen, compared whole.
std::vector<RgbColor> canvas() {
    std::vector<RgbColor> pixels;
    for (int y = paint::panelHeight; y < paint::windowHeight; ++y)
        for (int x = 0; x < paint::windowWidth; ++x) pixels.push_back(easel::getPixel(x, y));
    return pixels;
}

class DocumentTest : public easel_test::ScreenTest {
  protected:
    void SetUp() override {
        easel_test::ScreenTest::SetUp();
        paint::startCanvas();
        setenv("XDG_STATE_HOME", stateDir.path().c_str(), 1);  // recovery files stay here
    }
    void TearDown() override {
        unsetenv("XDG_STATE_HOME");
        easel_test::ScreenTest::TearDown();
    }
    easel_test::TempDirectory stateDir{false};
    // One pass of the main loop, as main runs it.
    void pass(paint::Document& doc, const Pointer& p) {
        doc.beforePass(p);
        const paint::PassResult result = paint::runPass(p);
        doc.afterPass(p);
        if (result == paint::PassResult::clearCanvas) paint::startCanvas();
    }
    void click(paint::Document& doc, Pointer p) {
        pass(doc, p);
        p.left = false;
        pass(doc, p);
    }
    void drag(paint::Document& doc, std::vector<Pointer> path) {
        for (Pointer& p : path) {
            p.left = true;
            pass(doc, p);
        }
        Pointer up = path.back();
        up.left = false;
        pass(doc, up);
    }
    // Holds the keys for one pass, then releases them for one pass.
    void press(paint::Document& doc, std::vector<SDLKey> keys) {
        Uint8* state = SDL_GetKeyState(nullptr);
        for (SDLKey k : keys) state[k] = 1;
        pass(doc, Pointer{250, 300, false, false});
        for (SDLKey k : keys) state[k] = 0;
        pass(doc, Pointer{250, 300, false, false});
    }
};

// Strokes, a fill, a clearing and a stroke after it, then every step undone
// and redone against the canvas as it was after each.
TEST_F(DocumentTest, UndoAndRedoWalkTheScriptedChangesBackAndForth) {
    paint::Document doc;
    std::vector<std::vector<RgbColor>> after{canvas()};
    drag(doc, {{100, 200}, {300, 220}, {200, 400}});
    after.push_back(canvas());
    click(doc, brushButton);
    drag(doc, {{50, 300}, {90, 310}, {130, 300}});
    after.push_back(canvas());
    paint::selectedColor = RgbColor(200, 40, 40);
    click(doc, inkButton);
    click(doc, Pointer{450, 450, true, false});
    after.push_back(canvas());
    click(doc, clearButton);
    after.push_back(canvas());
    click(doc, pencilButton);
    drag(doc, {{10, 140}, {490, 490}});
    after.push_back(canvas());
    ASSERT_EQ(doc.history().undoSteps(), 5) << "panel clicks change nothing on the canvas";
    for (std::size_t i = after.size() - 1; i > 0; --i) {
        press(doc, {SDLK_LCTRL, SDLK_z});
        EXPECT_TRUE(canvas() == after[i - 1]) << "after undoing step " << i;
    }
    EXPECT_FALSE(doc.undo()) << "nothing left to undo";
    for (std::size_t i = 1; i < after.size(); ++i) {
        press(doc, i % 2 ? std::vector<SDLKey>{SDLK_RCTRL, SDLK_y}
                         : std::vector<SDLKey>{SDLK_LCTRL, SDLK_LSHIFT, SDLK_z});
        EXPECT_TRUE(canvas() == after[i]) << "after redoing step " << i;
    }
    EXPECT_FALSE(doc.redo());
    // A new change after an undo forgets what was undone.
    press(doc, {SDLK_LCTRL, SDLK_z});
    drag(doc, {{20, 200}, {40, 200}});
    EXPECT_EQ(doc.history().redoSteps(), 0);
}

TEST_F(DocumentTest, UndoingAClearingWhileClearIsCurrentGoesBackToTheToolBefore) {
    paint::Document doc;
    click(doc, brushButton);
    drag(doc, {{100, 300}, {200, 300}});
    const std::vector<RgbColor> painted = canvas();
    click(doc, clearButton);
    ASSERT_EQ(paint::currentTool, paint::clearTool);
    press(doc, {SDLK_LCTRL, SDLK_z});
    EXPECT_EQ(paint::currentTool, paint::brushTool);
    pass(doc, Pointer{250, 300, false, false});
    EXPECT_TRUE(canvas() == painted) << "the next pass does not empty the canvas again";
    press(doc, {SDLK_LCTRL, SDLK_y});
    EXPECT_EQ(canvas(), std::vector<RgbColor>(painted.size(), RgbColor(255, 255, 255)));
    EXPECT_EQ(paint::currentTool, paint::brushTool) << "redo leaves the tool alone";
}

TEST_F(DocumentTest, AHeldShortcutActsOnceAndOnlyWithCtrl) {
    paint::Document doc;
    for (int i = 0; i < 3; ++i) drag(doc, {{100, 200 + 40 * i}, {300, 200 + 40 * i}});
    Uint8* keys = SDL_GetKeyState(nullptr);
    keys[SDLK_z] = 1;
    pass(doc, Pointer{});
    EXPECT_EQ(doc.history().undoSteps(), 3) << "Z without Ctrl does nothing";
    keys[SDLK_z] = 0;
    keys[SDLK_LCTRL] = 1;
    pass(doc, Pointer{});
    keys[SDLK_z] = 1;
    for (int i = 0; i < 20; ++i) pass(doc, Pointer{});
    EXPECT_EQ(doc.history().undoSteps(), 2) << "held for 20 passes: one undo";
    keys[SDLK_z] = 0;
    pass(doc, Pointer{});
    keys[SDLK_z] = 1;
    pass(doc, Pointer{});
    EXPECT_EQ(doc.history().undoSteps(), 1) << "released and pressed again: one more";
    easel_test::releaseAllKeys();
}

TEST_F(DocumentTest, TheHistoryKeepsTheLastHundredStrokesInLittleMemory) {
    paint::Document doc;
    click(doc, brushButton);
    for (int i = 0; i < 120; ++i) {
        const int y = 140 + (i * 7) % 350;
        drag(doc, {{20 + i, y}, {120 + i, y + 10}, {220 + i, y}});
    }
    EXPECT_EQ(doc.history().undoSteps(), paint::UndoHistory::maxSteps);
    // A 200-pixel brush stroke touches about 15 tiles of 1 KB.
    EXPECT_LT(doc.history().stepBytes(), std::size_t{100} * 32 * 1024);
    EXPECT_TRUE(doc.unsaved());
    while (doc.undo()) {
    }
    EXPECT_TRUE(doc.unsaved()) << "the first 20 strokes cannot be undone any more";
}

// Changes that each cover the whole canvas are kept only up to the byte
// bound, newest first, and still undo to exactly what was there.
TEST_F(DocumentTest, WholeCanvasChangesAreKeptWithinTheByteBound) {
    paint::View view;
    paint::UndoHistory history(&view);
    std::vector<std::vector<RgbColor>> after;
    for (int i = 0; i < 30; ++i) {
        history.begin(paint::pencilTool);
        easel::clearScreen(i * 8, 255 - i * 8, 100);
        history.end();
        after.push_back(canvas());
    }
    EXPECT_LE(history.stepBytes(), paint::UndoHistory::maxStepBytes);
    const int kept = history.undoSteps();
    EXPECT_EQ(kept, static_cast<int>(paint::UndoHistory::maxStepBytes /
                                     (500 * 372 * 4 + 32 * 24 * sizeof(paint::PictureRect))));
    for (int i = 0; i < kept; ++i) {
        ASSERT_TRUE(history.undo());
        EXPECT_TRUE(canvas() == after[after.size() - 2 - static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_FALSE(history.undo());
}

TEST_F(DocumentTest, SavingOpeningAndTheUnsavedMark) {
    easel_test::TempDirectory dir;
    ASSERT_TRUE(dir.ready());
    const std::string folder = dir.path();
    {
        char* argv[] = {const_cast<char*>("paint"), const_cast<char*>("--start-dir"),
                        const_cast<char*>(folder.c_str())};
        paint::Document doc;
        ASSERT_TRUE(doc.open(3, argv));
        EXPECT_FALSE(doc.unsaved());
        drag(doc, {{100, 200}, {300, 220}});
        EXPECT_TRUE(doc.unsaved());
        testing::internal::CaptureStdout();
        press(doc, {SDLK_LCTRL, SDLK_s});
        const std::string said = testing::internal::GetCapturedStdout();
        EXPECT_EQ(said.rfind("Saved " + folder + "/painting-", 0), 0u) << said;
        EXPECT_FALSE(doc.unsaved());
        ASSERT_FALSE(doc.file().empty());
        const std::optional<easel::Image> saved = easel::loadImage(doc.file().c_str());
        ASSERT_TRUE(saved.has_value());
        EXPECT_EQ(saved->width(), 500);
        EXPECT_EQ(saved->height(), 372);
        EXPECT_EQ(saved->pixel(200, 210 - 128), easel::getPixel(200, 210));
        doc.undo();
        EXPECT_TRUE(doc.unsaved());
        doc.redo();
        EXPECT_FALSE(doc.unsaved());
        std::filesystem::rename(doc.file(), dir.file("mine.png"));
    }
    paint::startCanvas();
    char* argv[] = {const_cast<char*>("paint"), const_cast<char*>("--start-dir"),
                    const_cast<char*>(folder.c_str()), const_cast<char*>("mine.png")};
    paint::Document doc;
    ASSERT_TRUE(doc.open(4, argv));
    EXPECT_EQ(doc.file(), folder + "/mine.png");
    doc.show();
    const std::optional<easel::Image> mine = easel::loadImage(dir.file("mine.png").c_str());
    EXPECT_TRUE(easel::grabScreen(0, 128, 500, 372) == *mine);
}

TEST_F(DocumentTest, KeptWorkOpensUnsavedUnderItsNameAndSavesThere) {
    easel_test::TempDirectory dir;
    ASSERT_TRUE(dir.ready());
    const easel::Image kept(120, 80, RgbColor(30, 160, 90));
    ASSERT_TRUE(easel::saveImage(kept, dir.file("kept.png").c_str()));
    paint::Document doc;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(doc.openKeptWork(dir.file("missing.png"), dir.file("mine.png")));
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(doc.file().empty()) << "a failed open keeps the document";
    ASSERT_TRUE(doc.openKeptWork(dir.file("kept.png"), dir.file("mine.png")));
    EXPECT_TRUE(doc.unsaved());
    EXPECT_EQ(doc.file(), dir.file("mine.png"));
    EXPECT_EQ(doc.history().undoSteps(), 0);
    EXPECT_TRUE(easel::grabScreen(0, paint::panelHeight, 120, 80) == kept);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(doc.save());
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(doc.unsaved());
    const std::optional<easel::Image> saved = easel::loadImage(dir.file("mine.png").c_str());
    ASSERT_TRUE(saved.has_value());
    EXPECT_TRUE(*saved == kept);

    paint::Document unnamed;
    ASSERT_TRUE(unnamed.openKeptWork(dir.file("kept.png"), ""));
    EXPECT_TRUE(unnamed.unsaved());
    EXPECT_TRUE(unnamed.file().empty());
}

TEST_F(DocumentTest, FilesThatCannotBeOpenedAreRefused) {
    easel_test::TempDirectory dir;
    const std::string text = dir.file("notes.png");
    std::FILE* f = std::fopen(text.c_str(), "w");
    std::fputs("not a picture", f);
    std::fclose(f);
    std::filesystem::create_directory(dir.file("folder.png"));
    for (const std::string& name : {text, dir.file("folder.png"), dir.file("new.jpg")}) {
        char* argv[] = {const_cast<char*>("paint"), const_cast<char*>(name.c_str())};
        paint::Document doc;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(doc.open(2, argv)) << name;
        EXPECT_NE(testing::internal::GetCapturedStderr().find(name), std::string::npos);
    }
    const std::string fresh = dir.file("new.png");
    char* argv[] = {const_cast<char*>("paint"), const_cast<char*>(fresh.c_str())};
    paint::Document doc;
    EXPECT_TRUE(doc.open(2, argv)) << "a file that does not exist yet is made by the first save";
}

TEST(PictureFile, CommandLinesAndNames) {
    const struct {
        std::vector<const char*> args;
        const char* file;
        bool error;
    } cases[] = {{{"paint"}, "", false},
                 {{"paint", "a.png"}, "/start/a.png", false},
                 {{"paint", "/abs/b.bmp"}, "/abs/b.bmp", false},
                 {{"paint", "--", "-odd.png"}, "/start/-odd.png", false},
                 {{"paint", "--bogus"}, "", true},
                 {{"paint", "a.png", "b.png"}, "/start/a.png", true}};
    for (const auto& c : cases) {
        std::vector<char*> argv{const_cast<char*>(c.args[0]), const_cast<char*>("--start-dir"),
                                const_cast<char*>("/start")};
        for (std::size_t i = 1; i < c.args.size(); ++i) argv.push_back(const_cast<char*>(c.args[i]));
        const paint::StartRequest r =
            paint::readCommandLine(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(r.file, c.file);
        EXPECT_EQ(!r.error.empty(), c.error) << r.error;
        EXPECT_EQ(r.startFolder, "/start");
    }
    easel_test::TempDirectory dir;
    const std::string first = paint::newPictureName(dir.path());
    std::fclose(std::fopen(first.c_str(), "w"));
    const std::string second = paint::newPictureName(dir.path());
    EXPECT_NE(first, second);
    EXPECT_EQ(second.substr(second.size() - 6), "-2.png");
}

// Pruning goes by modification time, not by the local time in the name, and
// touches no name but the program's own; the named file is always kept.
TEST(PictureFile, RecoveryFilesGoToTheStateFolderAndTheNewestTenAreKept) {
    easel_test::TempDirectory dir;
    setenv("XDG_STATE_HOME", dir.path().c_str(), 1);
    std::string why;
    const std::string folder = paint::recoveryFolder(&why);
    EXPECT_EQ(folder, dir.path() + "/easel") << why;
    for (int i = 0; i < 14; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "/recovery-202601%02d-120000-1.png", i + 1);
        const std::string path = folder + name;
        std::fclose(std::fopen(path.c_str(), "w"));
        const struct timespec times[2] = {{1000000000L - i * 60L, 0}, {1000000000L - i * 60L, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);  // the later name is older
    }
    for (const char* other : {"/notes.txt", "/recovery-1.png", "/recovery-20260101-120000-1.png~",
                              "/recovery-2026010-120000-1.png"}) {
        std::fclose(std::fopen((folder + other).c_str(), "w"));
    }
    paint::pruneRecoveryFiles(folder, folder + "/recovery-20260114-120000-1.png");
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{
                        "notes.txt", "recovery-1.png", "recovery-2026010-120000-1.png",
                        "recovery-20260101-120000-1.png", "recovery-20260101-120000-1.png~",
                        "recovery-20260102-120000-1.png", "recovery-20260103-120000-1.png",
                        "recovery-20260104-120000-1.png", "recovery-20260105-120000-1.png",
                        "recovery-20260106-120000-1.png", "recovery-20260107-120000-1.png",
                        "recovery-20260108-120000-1.png", "recovery-20260109-120000-1.png",
                        "recovery-20260114-120000-1.png"}));
    EXPECT_EQ(paint::newestRecoveryFile(), folder + "/recovery-20260101-120000-1.png");
}

// The folders in order, each passed over when it cannot be used: a file in
// the way, no HOME, then a private folder under TMPDIR.
TEST(PictureFile, RecoveryFallsBackInTheDocumentedOrder) {
    easel_test::TempDirectory dir;
    const char* home = std::getenv("HOME");
    const std::string oldHome = home != nullptr ? home : "";
    const std::string blocked = dir.file("blocked");
    std::fclose(std::fopen(blocked.c_str(), "w"));
    setenv("XDG_STATE_HOME", blocked.c_str(), 1);
    setenv("HOME", dir.path().c_str(), 1);
    setenv("TMPDIR", dir.path().c_str(), 1);
    const std::string user = "/easel-" + std::to_string(getuid());
    EXPECT_EQ(paint::recoveryFolderCandidates(),
              (std::vector<std::string>{blocked + "/easel", dir.path() + "/.local/state/easel",
                                        dir.path() + user, "/tmp" + user}));
    std::string why;
    EXPECT_EQ(paint::recoveryFolder(&why), dir.path() + "/.local/state/easel");
    EXPECT_NE(why.find(blocked), std::string::npos) << why;
    unsetenv("HOME");
    EXPECT_EQ(paint::recoveryFolder(&why), dir.path() + user);
    struct stat status {};
    ASSERT_EQ(stat((dir.path() + user).c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    ASSERT_EQ(chmod((dir.path() + user).c_str(), 0755), 0);
    EXPECT_NE(paint::recoveryFolder(&why), dir.path() + user) << "not private any more";
    unsetenv("XDG_STATE_HOME");
    unsetenv("TMPDIR");
    setenv("HOME", oldHome.c_str(), 1);
}

}  // namespace
