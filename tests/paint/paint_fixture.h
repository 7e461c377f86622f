// The paint program's tests: the library's screen fixture, and the program's
// globals put back to start-up before each test.
#pragma once

#include "paint/state.h"
#include "support/screen_fixture.h"

namespace paint_test {

class PaintTest : public easel_test::ScreenTest {
  protected:
    void SetUp() override {
        easel_test::ScreenTest::SetUp();
        paint::resetState();
    }
};

}  // namespace paint_test
