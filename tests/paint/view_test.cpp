#include "paint/view.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "paint/document.h"
#include "paint/pass.h"
#include "paint/state.h"
#include "paint/stroke.h"
#include "paint/undo.h"
#include "easel/display/screen.h"
#include "easel/image/load.h"
#include "easel/image/save.h"
#include "paint_fixture.h"
#include "support/temp_directory.h"

namespace {

using easel::RgbColor;

// A picture whose every pixel tells where it is, opaque.
easel::Image patterned(int width, int height) {
    easel::Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, RgbColor(x & 255, y & 255, (x >> 8) * 16 + (y >> 8)));
    return image;
}

// The canvas pixel (x, y), as the screen shows it.
RgbColor shownAt(int x, int y) { return easel::getPixel(x, paint::panelHeight + y); }

class ViewTest : public paint_test::PaintTest {
  protected:
    void SetUp() override {
        paint_test::PaintTest::SetUp();
        setenv("XDG_STATE_HOME", dir.path().c_str(), 1);  // recovery files stay here
    }
    void TearDown() override {
        unsetenv("XDG_STATE_HOME");
        paint_test::PaintTest::TearDown();
    }
    // One pass of the main loop, as main runs it.
    void pass(paint::Document& doc, paint::Pointer p) {
        doc.beforePass(p);
        if (paint::runPass(p) == paint::PassResult::clearCanvas) {
            paint::startCanvas();
            doc.canvasCleared();
        }
        doc.afterPass(p);
    }
    void drag(paint::Document& doc, int x0, int y0, int x1, int y1) {
        pass(doc, paint::Pointer{x0, y0, true, false});
        pass(doc, paint::Pointer{x1, y1, true, false});
        pass(doc, paint::Pointer{x1, y1, false, false});
    }
    void press(paint::Document& doc, std::initializer_list<SDLKey> keys) {
        Uint8* state = SDL_GetKeyState(nullptr);
        for (SDLKey k : keys) state[k] = 1;
        pass(doc, paint::Pointer{250, 60, false, false});
        for (SDLKey k : keys) state[k] = 0;
        pass(doc, paint::Pointer{250, 60, false, false});
    }
    // A document opened from a PNG of the image, shown.
    bool open(paint::Document& doc, const easel::Image& image, const std::string& name = "pic.png") {
        const std::string path = dir.file(name);
        if (!easel::saveImage(image, path.c_str())) return false;
        char* argv[] = {const_cast<char*>("paint"), const_cast<char*>(path.c_str())};
        if (!doc.open(2, argv)) return false;
        paint::startCanvas();
        doc.show();
        pass(doc, paint::Pointer{250, 60, false, false});  // the keys seen up once
        return true;
    }
    easel_test::TempDirectory dir;
};

TEST_F(ViewTest, ArrowsShiftHomeAndTheWheelScrollALargePictureWithinItsEdges) {
    const easel::Image image = patterned(1000, 800);
    paint::Document doc;
    ASSERT_TRUE(open(doc, image));
    const paint::View& view = doc.view();
    EXPECT_EQ(shownAt(499, 371), image.pixel(499, 371));
    press(doc, {SDLK_RIGHT});
    EXPECT_EQ(view.viewX(), 500 / 8);
    press(doc, {SDLK_LSHIFT, SDLK_DOWN});
    EXPECT_EQ(view.viewY(), 372);
    press(doc, {SDLK_LSHIFT, SDLK_DOWN});
    EXPECT_EQ(view.viewY(), 800 - 372) << "stops at the bottom edge";
    for (int i = 0; i < 12; ++i) press(doc, {SDLK_RIGHT});
    EXPECT_EQ(view.viewX(), 500) << "stops at the right edge";
    EXPECT_EQ(shownAt(0, 0), image.pixel(500, 428));
    EXPECT_EQ(shownAt(499, 371), image.pixel(999, 799));
    SDL_Event wheelUp{};
    wheelUp.type = SDL_MOUSEBUTTONDOWN;
    wheelUp.button.button = SDL_BUTTON_WHEELUP;
    ASSERT_EQ(SDL_PushEvent(&wheelUp), 0);
    doc.wheel(paint::peekWheel());
    SDL_PollEvent(nullptr);
    pass(doc, paint::Pointer{250, 60, false, false});
    EXPECT_EQ(view.viewY(), 800 - 372 - 372 / 8);
    press(doc, {SDLK_LCTRL, SDLK_LEFT});
    EXPECT_EQ(view.viewX(), 500) << "Ctrl+arrow does not scroll";
    press(doc, {SDLK_HOME});
    EXPECT_EQ(view.viewX() + view.viewY(), 0);
    EXPECT_EQ(shownAt(10, 10), image.pixel(10, 10));
}

// Painted in one place, scrolled away and back, saved: the file is the whole
// picture, changed only where the stroke went; undo far from the stroke puts
// the picture back there and brings the view to it.
TEST_F(ViewTest, PaintingScrollingSavingAndUndoingAreInPictureCoordinates) {
    const easel::Image image = patterned(1000, 800);
    paint::Document doc;
    ASSERT_TRUE(open(doc, image));
    for (int i = 0; i < 8; ++i) press(doc, {SDLK_LSHIFT, SDLK_RIGHT});
    for (int i = 0; i < 8; ++i) press(doc, {SDLK_LSHIFT, SDLK_DOWN});
    drag(doc, 100, 200, 400, 200);  // picture row 428 + 200 - 128 = 500, columns 600-900
    press(doc, {SDLK_HOME});
    press(doc, {SDLK_LCTRL, SDLK_s});
    const std::optional<easel::Image> saved = easel::loadImage(doc.file().c_str());
    ASSERT_TRUE(saved.has_value());
    ASSERT_EQ(saved->width(), 1000);
    ASSERT_EQ(saved->height(), 800);
    int differ = 0;
    for (int y = 0; y < 800; ++y)
        for (int x = 0; x < 1000; ++x)
            if (saved->pixel(x, y) != image.pixel(x, y)) {
                ++differ;
                EXPECT_EQ(y, 500) << x;
                EXPECT_EQ(saved->pixel(x, y), RgbColor(0, 0, 0));
            }
    EXPECT_EQ(differ, 301);
    EXPECT_TRUE(doc.undo());
    EXPECT_TRUE(doc.view().picture() == image) << "the stroke is taken back where it was";
    EXPECT_GT(doc.view().viewX(), 250) << "and the view went to show it";
    EXPECT_EQ(shownAt(600 - doc.view().viewX(), 500 - doc.view().viewY()), image.pixel(600, 500));
    EXPECT_TRUE(doc.redo());
    EXPECT_EQ(shownAt(600 - doc.view().viewX(), 500 - doc.view().viewY()), RgbColor(0, 0, 0));
}

// A small picture: the canvas outside it is grey, which no picture pixel
// shows; the tools do not act there, a fill stops at its edge, and the save
// is the picture's size.
TEST_F(ViewTest, OutsideASmallPictureNothingIsPaintedOrSaved) {
    easel::Image image(200, 150, RgbColor(255, 255, 255));
    image.setPixel(5, 5, paint::outsideColor);
    paint::Document doc;
    ASSERT_TRUE(open(doc, image));
    EXPECT_EQ(shownAt(300, 100), paint::outsideColor);
    EXPECT_EQ(shownAt(100, 200), paint::outsideColor);
    EXPECT_EQ(shownAt(5, 5), RgbColor(128, 128, 129));
    drag(doc, 150, 128 + 50, 350, 128 + 50);  // across the right edge
    EXPECT_EQ(shownAt(199, 50), RgbColor(0, 0, 0));
    EXPECT_EQ(shownAt(200, 50), paint::outsideColor);
    pass(doc, paint::Pointer{412, 62, true, false});  // Ink
    pass(doc, paint::Pointer{412, 62, false, false});
    paint::selectedColor = RgbColor(0, 0, 255);
    pass(doc, paint::Pointer{300, 400, true, false});  // a fill outside
    pass(doc, paint::Pointer{300, 400, false, false});
    EXPECT_EQ(shownAt(300, 272), paint::outsideColor);
    EXPECT_EQ(shownAt(50, 100), RgbColor(255, 255, 255)) << "the fill did not get in";
    EXPECT_EQ(doc.history().undoSteps(), 1) << "the fill outside changed nothing";
    pass(doc, paint::Pointer{50, 228, true, false});  // a fill inside
    pass(doc, paint::Pointer{50, 228, false, false});
    EXPECT_EQ(shownAt(250, 100), paint::outsideColor) << "the fill did not get out";
    EXPECT_EQ(shownAt(5, 5), RgbColor(128, 128, 129)) << "nor through the grey pixel";
    press(doc, {SDLK_LCTRL, SDLK_s});
    const std::optional<easel::Image> saved = easel::loadImage(doc.file().c_str());
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->width(), 200);
    EXPECT_EQ(saved->height(), 150);
    EXPECT_EQ(saved->pixel(5, 5), paint::outsideColor) << "the file keeps its own value";
    EXPECT_EQ(saved->pixel(199, 50), RgbColor(0, 0, 0));
    EXPECT_EQ(saved->pixel(50, 100), RgbColor(0, 0, 255));
}

// Untouched pixels keep their alpha; painted ones become opaque; the view
// shows them laid over white.
TEST_F(ViewTest, TheComposedPictureKeepsTheAlphaOfUntouchedPixels) {
    paint::View view;
    easel::Image image(600, 400, RgbColor(200, 0, 0));
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 600; ++x) image.setPixel(x, y, RgbColor(200, 0, 0), (x + y) & 255);
    view.setPicture(image);
    paint::UndoHistory history(&view);
    view.draw();
    EXPECT_EQ(shownAt(0, 0), RgbColor(255, 255, 255));
    EXPECT_EQ(shownAt(255, 0), RgbColor(200, 0, 0));
    EXPECT_EQ(shownAt(100, 27), RgbColor(228, 128, 128));
    history.begin(paint::pencilTool);
    paint::strokePass(paint::pencilTool, 10, 200, true);
    paint::strokePass(paint::pencilTool, 90, 200, true);
    paint::strokePass(paint::pencilTool, 90, 200, false);
    history.end();
    int changed = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 600; ++x) {
            const std::uint32_t word = view.picture().row(y)[x];
            if (word == image.row(y)[x]) continue;
            ++changed;
            EXPECT_EQ(word, 0xFF000000u) << x << "," << y;
        }
    EXPECT_EQ(changed, 81);
    ASSERT_TRUE(history.undo());
    EXPECT_TRUE(view.picture() == image) << "undo gives the alpha back";
}

}  // namespace
