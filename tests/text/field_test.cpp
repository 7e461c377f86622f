#include "easel/text/field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "easel/display/input.h"
#include "easel/display/screen.h"
#include "easel/text/detail/field_steps.h"
#include "easel/text/keys.h"
#include "easel/text/text.h"
#include "support/screen_fixture.h"
#include "support/sdl_seams.h"

namespace {

using easel::RgbColor;
using easel_test::Picture;
using easel_test::ScreenTest;

const RgbColor base(10, 20, 30);
const RgbColor ink(250, 240, 230);
const RgbColor paper(0, 0, 128);
constexpr int promptX = 16;
constexpr int promptY = 40;
constexpr const char* prompt = "Value: ";
// Where reference cells are drawn, well away from every field.
constexpr int scratchX = 0;
constexpr int scratchY = 488;

// The key that types a character in these tests: '<' stands for Backspace
// and '\n' for Return; capitals are typed with left Shift.
std::vector<int> keysFor(char ch) {
    if (ch >= 'a' && ch <= 'z') return {SDLK_a + (ch - 'a')};
    if (ch >= 'A' && ch <= 'Z') return {SDLK_LSHIFT, SDLK_a + (ch - 'A')};
    if (ch >= '0' && ch <= '9') return {SDLK_0 + (ch - '0')};
    switch (ch) {
        case '.':
            return {SDLK_PERIOD};
        case '-':
            return {SDLK_MINUS};
        case ' ':
            return {SDLK_SPACE};
        case '<':
            return {SDLK_BACKSPACE};
        case '\n':
            return {SDLK_RETURN};
        default:
            break;
    }
    ADD_FAILURE() << "no key for " << ch;
    return {};
}

class FieldTest : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        std::fill(std::begin(easel::keyLatch), std::end(easel::keyLatch), false);
        keys = SDL_GetKeyState(nullptr);
        easel::clearScreen(base.r, base.g, base.b);
    }

    // One pass of the field with exactly the given keys held.
    template <class Field>
    bool pass(Field& field, const std::vector<int>& held) {
        easel_test::releaseAllKeys();
        for (int key : held) keys[key] = 1;
        return field.step();
    }

    // Each character as one press pass and one release pass; true as soon as
    // the field finishes.
    template <class Field>
    bool type(Field& field, const std::string& text) {
        for (char ch : text) {
            if (pass(field, keysFor(ch))) return true;
            if (pass(field, {})) return true;
        }
        return false;
    }

    void startNumber(easel::detail::NumberField& field) {
        field.start(prompt, promptX, promptY, ink.r, ink.g, ink.b, false, paper.r, paper.g,
                    paper.b);
        pass(field, {});
    }

    void startText(easel::detail::TextField& field, char* buffer, int length) {
        field.start(buffer, length, prompt, promptX, promptY, ink.r, ink.g, ink.b, false, paper.r,
                    paper.g, paper.b);
        pass(field, {});
    }

    void startChar(easel::detail::CharField& field) {
        field.start(prompt, promptX, promptY, ink.r, ink.g, ink.b, false, paper.r, paper.g,
                    paper.b);
        pass(field, {});
    }

    // The cells of a field on one line show `shown`, then `blanks` opaque
    // blank cells, and the cell after them is untouched. Each cell is
    // compared with the same glyph drawn by drawChar at a scratch place.
    void expectCells(const easel::detail::FieldArea& area, const std::string& shown, int blanks) {
        const Picture screen = easel_test::capture();
        const int cells = static_cast<int>(shown.size()) + blanks;
        for (int i = 0; i < cells; ++i) {
            const int ch = i < static_cast<int>(shown.size())
                               ? static_cast<unsigned char>(shown[static_cast<size_t>(i)])
                               : 0;
            easel::drawChar(ch, scratchX, scratchY, ink.r, ink.g, ink.b, true, paper.r, paper.g,
                            paper.b);
            int differing = 0;
            for (int r = 0; r < 8; ++r)
                for (int c = 0; c < 8; ++c)
                    if (screen.at(area.x + 8 * i + c, area.y + r) !=
                        easel::getPixel(scratchX + c, scratchY + r))
                        ++differing;
            EXPECT_EQ(differing, 0) << "cell " << i << " should show glyph " << ch;
        }
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 8; ++c)
                ASSERT_EQ(screen.at(area.x + 8 * cells + c, area.y + r), base)
                    << "cell " << cells << " should be untouched";
    }

    Uint8* keys = nullptr;
};

// The number a field's text stands for, read independently with strtod.
double decimalOf(const std::string& text) {
    if (text.empty() || text == "-" || text == "." || text == "-.") return 0.0;
    return std::strtod(text.c_str(), nullptr);
}

// --- the field's position -------------------------------------------------

TEST_F(FieldTest, FieldStartsWhereThePromptEnds) {
    easel::detail::NumberField field;
    field.start(prompt, promptX, promptY, 1, 2, 3, false, 4, 5, 6);
    EXPECT_EQ(field.area().x, promptX + 8 * 7);
    EXPECT_EQ(field.area().y, promptY);

    easel::detail::TextField wrapped;
    char buffer[4] = {};
    wrapped.start(buffer, 4, "abc", 480, 100, 1, 2, 3, false, 4, 5, 6);
    EXPECT_EQ(wrapped.area().x, 8) << "the prompt's third cell wrapped to the next line";
    EXPECT_EQ(wrapped.area().y, 108) << "and the field follows it";
}

// --- the number field -----------------------------------------------------

TEST_F(FieldTest, NumberFieldExamples) {
    struct Case {
        const char* keys;
        const char* shown;
        double value;
        bool finished;
    };
    const Case cases[] = {
        {"12.5\n", "12.5", 12.5, true},
        {"-3\n", "-3", -3.0, true},
        {"4-", "4", 4.0, false},
        {"..", ".", 0.0, false},
        {"1.5<<2\n", "12", 12.0, true},
        {"-<7\n", "7", 7.0, true},
        {"\n", "", 0.0, true},
        {"0.12\n", "0.12", 0.12, true},
        {"2.37<<<2\n", "22", 22.0, true},
        {"-.\n", "-.", 0.0, true},
        {"-.5\n", "-.5", -0.5, true},
        {"007\n", "007", 7.0, true},
        {"3.14159265358979323846\n", "3.14159265358979323846", 3.14159265358979323846, true},
        {"9007199254740993\n", "9007199254740993", 9007199254740993.0, true},
        {"-0.000001<<\n", "-0.0000", 0.0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        easel::clearScreen(base.r, base.g, base.b);
        easel::detail::NumberField field;
        startNumber(field);
        EXPECT_EQ(type(field, c.keys), c.finished);
        EXPECT_STREQ(field.text(), c.shown);
        EXPECT_EQ(field.value(), c.value);
        if (c.value == 0.0) {
            EXPECT_FALSE(std::signbit(field.value())) << "zero is +0.0";
        }
        const int widest = std::max(field.line().extent(), 0);
        expectCells(field.area(), c.shown, widest - static_cast<int>(std::strlen(c.shown)));
    }
}

TEST_F(FieldTest, NegativeZeroIsPlusZero) {
    easel::detail::NumberField field;
    startNumber(field);
    type(field, "-0.0\n");
    EXPECT_EQ(field.value(), 0.0);
    EXPECT_FALSE(std::signbit(field.value()));
}

TEST_F(FieldTest, NumberTextStepByStep) {
    easel::detail::NumberField field;
    startNumber(field);
    const char* steps[][2] = {{"1", "1"},  {".", "1."}, {"5", "1.5"},
                              {"<", "1."}, {"<", "1"},  {"2", "12"}};
    for (const auto& s : steps) {
        type(field, s[0]);
        EXPECT_STREQ(field.text(), s[1]);
        EXPECT_EQ(field.value(), decimalOf(s[1]));
    }
    expectCells(field.area(), "12", 1);
}

TEST_F(FieldTest, DeletedMinusIsWipedFromTheScreen) {
    easel::detail::NumberField field;
    startNumber(field);
    type(field, "-");
    expectCells(field.area(), "-", 0);
    type(field, "<");
    EXPECT_STREQ(field.text(), "");
    expectCells(field.area(), "", 1);
    EXPECT_TRUE(type(field, "7\n"));
    EXPECT_EQ(field.value(), 7.0);
}

TEST_F(FieldTest, NumberValueFollowsTheTextOverRandomEdits) {
    std::mt19937 rng(99);
    const std::string alphabet = "0123456789.-<<";
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> lengths(1, 40);
    for (int trial = 0; trial < 150; ++trial) {
        easel::detail::NumberField field;
        startNumber(field);
        std::string model;
        std::string typed;
        const int n = lengths(rng);
        for (int i = 0; i < n; ++i) {
            const char ch = alphabet[pick(rng)];
            typed += ch;
            if (ch == '<') {
                if (!model.empty()) model.pop_back();
            } else if (ch == '.') {
                if (model.find('.') == std::string::npos) model += ch;
            } else if (ch == '-') {
                if (model.empty()) model += ch;
            } else {
                model += ch;
            }
            type(field, std::string(1, ch));
            ASSERT_EQ(field.text(), model) << "after " << typed;
        }
        EXPECT_TRUE(type(field, "\n"));
        EXPECT_EQ(field.value(), decimalOf(model)) << "after " << typed;
    }
}

TEST_F(FieldTest, NumberLastSlotKeepsValueAndTextTogether) {
    easel::detail::NumberField field;
    startNumber(field);
    std::string model(255, '1');
    type(field, model);
    EXPECT_EQ(field.line().slot(), 255);
    const struct {
        const char* keys;
        const char* last;  // what slot 255 holds afterwards ("" for nothing)
    } steps[] = {
        {"2", "2"}, {"3", "3"}, {".", "."}, {".", "."}, {"4", "4"},
        {"-", "4"}, {"<", ""},  {".", "."}, {"<", ""},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.keys);
        type(field, s.keys);
        const std::string expected = model + s.last;
        ASSERT_EQ(field.text(), expected);
        EXPECT_EQ(field.line().slot(), 255) << "the insertion slot stays on the last slot";
        EXPECT_EQ(field.value(), decimalOf(expected));
    }
    type(field, "<");
    EXPECT_EQ(field.text(), std::string(254, '1'));
    EXPECT_EQ(field.line().slot(), 254);
    EXPECT_EQ(field.line().extent(), 256);

    // With a point earlier in the text, a point can no longer take the last slot.
    easel::detail::NumberField withPoint;
    startNumber(withPoint);
    const std::string fraction = "0." + std::string(253, '7');
    type(withPoint, fraction);
    type(withPoint, "9.");
    EXPECT_EQ(withPoint.text(), fraction + "9");
    EXPECT_EQ(withPoint.value(), decimalOf(fraction + "9"));
}

// --- the text field -------------------------------------------------------

TEST_F(FieldTest, FullTextBufferOverwritesItsLastSlot) {
    char memory[8] = {'Z', 'Z', 'Z', 'Z', 'Z', 'Z', 'Z', 'Z'};
    char* buffer = memory + 2;
    easel::detail::TextField field;
    startText(field, buffer, 4);
    EXPECT_EQ(std::string(memory, 8), std::string("ZZ\0\0\0\0ZZ", 8));
    type(field, "abcde");
    EXPECT_EQ(std::string(memory, 8), "ZZabceZZ") << "no zero, nothing written outside";
    EXPECT_EQ(field.line().slot(), 3);
    expectCells(field.area(), "abce", 0);

    type(field, "<");
    EXPECT_EQ(std::string(memory, 8), std::string("ZZabc\0ZZ", 8));
    EXPECT_EQ(field.line().slot(), 3) << "the last slot's character went, the slot stays";
    expectCells(field.area(), "abc", 1);

    type(field, "<");
    EXPECT_EQ(std::string(memory, 8), std::string("ZZab\0\0ZZ", 8));
    expectCells(field.area(), "ab", 2);

    EXPECT_TRUE(type(field, "Q\n"));
    EXPECT_EQ(std::string(buffer, 4), std::string("abQ\0", 4));
}

TEST_F(FieldTest, OneSlotBufferKeepsTheLastCharacter) {
    char buffer[1] = {'Z'};
    easel::detail::TextField field;
    startText(field, buffer, 1);
    type(field, "xyz");
    EXPECT_EQ(buffer[0], 'z');
    type(field, "<<");
    EXPECT_EQ(buffer[0], 'z') << "with c at 0 Backspace removes nothing";
    expectCells(field.area(), "z", 0);
}

TEST_F(FieldTest, BufferWithoutRoomIsRefused) {
    for (int length : {0, -1, -1000}) {
        char buffer[2] = {'Z', 'Z'};
        easel::clearScreen(base.r, base.g, base.b);
        easel::detail::TextField field;
        field.start(buffer, length, prompt, promptX, promptY, 1, 2, 3, true, 4, 5, 6);
        EXPECT_TRUE(field.step());
        EXPECT_EQ(std::string(buffer, 2), "ZZ");
        EXPECT_TRUE(easel_test::screenMatches(Picture(base))) << "nothing drawn";
        easel::inputText(buffer, length, prompt, promptX, promptY, 1, 2, 3, true, 4, 5, 6);
        EXPECT_EQ(std::string(buffer, 2), "ZZ");
    }
    easel::inputText(nullptr, 10, prompt, promptX, promptY, 1, 2, 3, true, 4, 5, 6);
    EXPECT_TRUE(easel_test::screenMatches(Picture(base)));
}

TEST_F(FieldTest, FieldsNotStartedAreFinished) {
    easel::detail::CharField c;
    easel::detail::TextField t;
    easel::detail::NumberField n;
    keys[SDLK_a] = 1;
    EXPECT_TRUE(c.step());
    EXPECT_TRUE(t.step());
    EXPECT_TRUE(n.step());
    EXPECT_TRUE(easel_test::screenMatches(Picture(base))) << "nothing drawn";
}

TEST_F(FieldTest, BackspaceHeldAtTheStartEatsWhatIsTyped) {
    char buffer[8] = {};
    easel::detail::TextField field;
    startText(field, buffer, 8);
    pass(field, {SDLK_BACKSPACE});
    EXPECT_TRUE(easel::keyLatch[easel::backspaceLatch]) << "nothing to remove keeps it armed";
    pass(field, {SDLK_BACKSPACE, SDLK_a});
    EXPECT_EQ(std::string(buffer, 8), std::string(8, '\0'));
    expectCells(field.area(), "", 1);
    pass(field, {SDLK_BACKSPACE, SDLK_b});
    EXPECT_EQ(buffer[0], 'b') << "the latch was spent on the a";
    type(field, "c");
    EXPECT_STREQ(buffer, "bc");
}

TEST_F(FieldTest, ShiftedLettersAndSymbols) {
    char buffer[16] = {};
    easel::detail::TextField field;
    startText(field, buffer, 16);
    type(field, "Hi ");
    pass(field, {SDLK_RSHIFT, SDLK_1});
    pass(field, {});
    EXPECT_STREQ(buffer, "Hi !");
    expectCells(field.area(), "Hi !", 0);
}

TEST_F(FieldTest, LongFieldIsDrawnLikeOneText) {
    constexpr int length = 150;
    char memory[length + 1] = {};
    memory[length] = 'Z';
    easel::detail::TextField field;
    field.start(memory, length, "> ", 400, 0, ink.r, ink.g, ink.b, false, paper.r, paper.g,
                paper.b);
    pass(field, {});
    std::string typed;
    for (int i = 0; i < length + 3; ++i) typed += static_cast<char>('a' + i % 26);
    type(field, typed);
    std::string shown = typed.substr(0, length - 1) + typed.back();
    ASSERT_EQ(std::string(memory, length), shown);
    EXPECT_EQ(memory[length], 'Z');
    const Picture fieldPicture = easel_test::capture();

    easel::clearScreen(base.r, base.g, base.b);
    easel::drawText("> ", 400, 0, ink.r, ink.g, ink.b, false, paper.r, paper.g, paper.b, 0);
    easel::drawText(shown.c_str(), field.area().x, field.area().y, ink.r, ink.g, ink.b, true,
                    paper.r, paper.g, paper.b, length);
    EXPECT_TRUE(easel_test::screenMatches(fieldPicture));
}

TEST_F(FieldTest, EnterHeldFromTheLastFieldDoesNotFinishTheNext) {
    char first[8] = {};
    easel::detail::TextField a;
    startText(a, first, 8);
    type(a, "o");
    EXPECT_TRUE(pass(a, {SDLK_RETURN}));

    char second[8] = {};
    easel::detail::TextField b;
    b.start(second, 8, prompt, promptX, 100, 1, 2, 3, false, 4, 5, 6);
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(pass(b, {SDLK_RETURN}));
    EXPECT_FALSE(pass(b, {SDLK_RETURN, SDLK_k})) << "keys still count while Enter is held";
    EXPECT_FALSE(pass(b, {SDLK_KP_ENTER})) << "keypad Enter shares the one latch";
    EXPECT_FALSE(pass(b, {}));
    EXPECT_TRUE(pass(b, {SDLK_KP_ENTER, SDLK_q})) << "a key in the Enter pass is taken";
    EXPECT_STREQ(second, "kq");
    EXPECT_TRUE(b.step()) << "a finished field stays finished";
}

// A key typed in the same pass as Enter is taken, and the field is drawn with
// it before that pass finishes the field.
TEST_F(FieldTest, KeyInTheEnterPassIsDrawnBeforeTheFieldFinishes) {
    easel::detail::CharField c;
    startChar(c);
    EXPECT_TRUE(pass(c, {SDLK_z, SDLK_RETURN}));
    EXPECT_EQ(c.result(), 'z');
    expectCells(c.area(), "z", 0);

    easel::clearScreen(base.r, base.g, base.b);
    char buffer[8] = {};
    easel::detail::TextField t;
    startText(t, buffer, 8);
    type(t, "o");
    EXPECT_TRUE(pass(t, {SDLK_k, SDLK_RETURN}));
    EXPECT_STREQ(buffer, "ok");
    expectCells(t.area(), "ok", 0);

    easel::clearScreen(base.r, base.g, base.b);
    easel::detail::NumberField n;
    startNumber(n);
    type(n, "1.");
    EXPECT_TRUE(pass(n, {SDLK_KP5, SDLK_KP_ENTER}));
    EXPECT_EQ(n.value(), 1.5);
    expectCells(n.area(), "1.5", 0);
}

// --- the character field --------------------------------------------------

TEST_F(FieldTest, CharFieldKeepsTheLastCharacter) {
    easel::detail::CharField field;
    startChar(field);
    expectCells(field.area(), "", 1);
    EXPECT_TRUE(type(field, "xy\n"));
    EXPECT_EQ(field.result(), 'y');
    expectCells(field.area(), "y", 0);

    easel::detail::CharField none;
    startChar(none);
    EXPECT_TRUE(type(none, "\n"));
    EXPECT_EQ(none.result(), 0);

    easel::detail::CharField shifted;
    startChar(shifted);
    EXPECT_TRUE(type(shifted, "K\n"));
    EXPECT_EQ(shifted.result(), 'K');
}

// --- the modal operations -------------------------------------------------

TEST_F(FieldTest, ModalOperationsReturnOnEnter) {
    // With every latch armed and the keys already held, one pass finishes.
    std::fill(std::begin(easel::keyLatch), std::end(easel::keyLatch), true);
    keys[SDLK_RETURN] = 1;
    keys[SDLK_5] = 1;
    EXPECT_EQ(easel::inputNumber(prompt, 0, 0, 1, 2, 3, false, 4, 5, 6), 5.0);

    std::fill(std::begin(easel::keyLatch), std::end(easel::keyLatch), true);
    EXPECT_EQ(easel::inputChar(prompt, 0, 10, 1, 2, 3, false, 4, 5, 6), '5');

    std::fill(std::begin(easel::keyLatch), std::end(easel::keyLatch), true);
    char buffer[3] = {'Z', 'Z', 'Z'};
    easel::inputText(buffer, 3, prompt, 0, 20, 1, 2, 3, false, 4, 5, 6);
    EXPECT_EQ(std::string(buffer, 3), std::string("5\0\0", 3));
}

// The string form, modal from start to Enter: each time it presents the
// screen (once for the prompt, then once a pass) the next keys of the
// script are held: none for the prompt and the first pass (which arms the
// Enter latch), then each character pressed for one pass and released for
// one. Past the script Return goes up and down, so that a field that missed
// its Enter still ends.
TEST_F(FieldTest, StringFormReturnsWhatWasTypedAtMostMaxChars) {
    const struct {
        int maxChars;
        std::string typed;
        std::string result;
    } cases[] = {
        {20, "Ada Lovelace\n", "Ada Lovelace"},
        {4, "abcde\n", "abce"},  // e overwrites the last slot
        {4, "abcde<<x\n", "abx"},
        {1, "xyz<\n", "z"},  // Backspace at slot 0 removes nothing
        {8, "\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        std::vector<std::vector<int>> script = {{}, {}};
        for (char ch : c.typed) {
            script.push_back(keysFor(ch));
            script.push_back({});
        }
        size_t next = 0;
        easel_test::OnScreenUpdate stepKeys([&] {
            easel_test::releaseAllKeys();
            if (next < script.size()) {
                for (int key : script[next]) keys[key] = 1;
            } else {
                keys[SDLK_RETURN] = static_cast<Uint8>(next % 2);
            }
            ++next;
        });
        easel_test::releaseAllKeys();
        const std::string text =
            easel::inputText(c.maxChars, prompt, promptX, promptY, 1, 2, 3, false, 4, 5, 6);
        EXPECT_EQ(text, c.result);
        EXPECT_EQ(next, script.size() - 1) << "passes until Enter";
    }
    EXPECT_EQ(easel::inputText(0, prompt, 0, 0, 1, 2, 3, false, 4, 5, 6), "");
    EXPECT_EQ(easel::inputText(-5, prompt, 0, 0, 1, 2, 3, false, 4, 5, 6), "");
}

TEST_F(FieldTest, QuitRequestEndsTheProgramFromAField) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_EXIT(
        {
            SDL_PushEvent(&quit);
            easel::inputNumber(prompt, 0, 0, 1, 2, 3, false, 4, 5, 6);
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_EXIT(
        {
            SDL_Event motion{};
            motion.type = SDL_MOUSEMOTION;
            SDL_PushEvent(&motion);
            keys[SDLK_ESCAPE] = 1;
            char buffer[4] = {};
            easel::inputText(buffer, 4, prompt, 0, 0, 1, 2, 3, false, 4, 5, 6);
        },
        ::testing::ExitedWithCode(1), "");
}

}  // namespace
