#include "easel/text/keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "easel/display/input.h"
#include "support/screen_fixture.h"

namespace {

using easel_test::ScreenTest;

// One translated key: its symbol and the characters it gives.
struct CharKey {
    int key;
    int unshifted;
    int shifted;
};

// The US layout, in the order the keys are examined.
std::vector<CharKey> usLayout() {
    std::vector<CharKey> keys;
    for (int i = 0; i < 26; ++i) keys.push_back({SDLK_a + i, 'a' + i, 'A' + i});
    const std::string digitsShifted = ")!@#$%^&*(";
    for (int i = 0; i < 10; ++i) keys.push_back({SDLK_0 + i, '0' + i, digitsShifted[i]});
    const CharKey punctuation[] = {
        {SDLK_QUOTE, '\'', '"'},       {SDLK_COMMA, ',', '<'},       {SDLK_MINUS, '-', '_'},
        {SDLK_PERIOD, '.', '>'},       {SDLK_SLASH, '/', '?'},       {SDLK_SEMICOLON, ';', ':'},
        {SDLK_EQUALS, '=', '+'},       {SDLK_LEFTBRACKET, '[', '{'}, {SDLK_BACKSLASH, '\\', '|'},
        {SDLK_RIGHTBRACKET, ']', '}'}, {SDLK_BACKQUOTE, '`', '~'},
    };
    keys.insert(keys.end(), std::begin(punctuation), std::end(punctuation));
    for (int i = 0; i < 10; ++i) keys.push_back({SDLK_KP0 + i, '0' + i, '0' + i});
    const CharKey keypad[] = {
        {SDLK_KP_PERIOD, '.', '.'}, {SDLK_KP_DIVIDE, '/', '/'},   {SDLK_KP_PLUS, '+', '+'},
        {SDLK_KP_MINUS, '-', '-'},  {SDLK_KP_MULTIPLY, '*', '*'}, {SDLK_KP_EQUALS, '=', '='},
        {SDLK_SPACE, ' ', ' '},
    };
    keys.insert(keys.end(), std::begin(keypad), std::end(keypad));
    return keys;
}

class KeysTest : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        std::fill(std::begin(easel::keyLatch), std::end(easel::keyLatch), false);
        keys = SDL_GetKeyState(nullptr);
    }
    void press(int key) { keys[key] = 1; }
    void release(int key) { keys[key] = 0; }
    // One call with every key up, so that every latch is armed.
    void armAll() {
        easel_test::releaseAllKeys();
        easel::readCharKey();
        easel::readDigitKey();
    }

    Uint8* keys = nullptr;
};

TEST_F(KeysTest, EveryKeyGivesItsCharacterInEachShiftState) {
    struct ShiftState {
        const char* name;
        std::vector<int> held;
        bool shifted;
    };
    const ShiftState states[] = {
        {"none", {}, false},
        {"left shift", {SDLK_LSHIFT}, true},
        {"right shift", {SDLK_RSHIFT}, true},
        {"caps lock", {SDLK_CAPSLOCK}, true},
        {"shift and caps lock", {SDLK_LSHIFT, SDLK_CAPSLOCK}, true},
    };
    for (const ShiftState& state : states) {
        for (const CharKey& k : usLayout()) {
            SCOPED_TRACE(std::string(state.name) + ", key " + std::to_string(k.key));
            armAll();
            for (int modifier : state.held) press(modifier);
            EXPECT_EQ(easel::readCharKey(), 0) << "a modifier alone gives nothing";
            press(k.key);
            EXPECT_EQ(easel::readCharKey(), state.shifted ? k.shifted : k.unshifted);
            EXPECT_EQ(easel::readCharKey(), 0) << "held keys do not repeat";
        }
    }
}

TEST_F(KeysTest, UntranslatedKeysGiveNothing) {
    const int untranslated[] = {SDLK_RETURN, SDLK_KP_ENTER, SDLK_BACKSPACE, SDLK_TAB,
                                SDLK_ESCAPE, SDLK_DELETE,   SDLK_UP,        SDLK_LEFT,
                                SDLK_F1,     SDLK_LCTRL,    SDLK_RALT,      SDLK_LSHIFT};
    for (int key : untranslated) {
        armAll();
        press(key);
        EXPECT_EQ(easel::readCharKey(), 0) << "key " << key;
        EXPECT_EQ(easel::readDigitKey(), -1) << "key " << key;
    }
}

TEST_F(KeysTest, HeldKeyCountsOncePerPress) {
    armAll();
    press(SDLK_a);
    std::string seen;
    for (int i = 0; i < 10; ++i) seen += static_cast<char>(easel::readCharKey());
    EXPECT_EQ(seen, std::string("a") + std::string(9, '\0'));
    release(SDLK_a);
    EXPECT_EQ(easel::readCharKey(), 0);
    press(SDLK_a);
    EXPECT_EQ(easel::readCharKey(), 'a');
}

TEST_F(KeysTest, KeyHeldAtTheFirstCallWaitsForARelease) {
    press(SDLK_q);
    press(SDLK_4);
    EXPECT_EQ(easel::readCharKey(), 0);
    EXPECT_EQ(easel::readDigitKey(), -1);
    release(SDLK_q);
    release(SDLK_4);
    EXPECT_EQ(easel::readCharKey(), 0);
    press(SDLK_q);
    EXPECT_EQ(easel::readCharKey(), 'q');
    press(SDLK_4);
    EXPECT_EQ(easel::readDigitKey(), 4);
}

TEST_F(KeysTest, LaterKeyInTheOrderWinsAndTheOtherIsSpent) {
    armAll();
    press(SDLK_a);
    press(SDLK_b);
    EXPECT_EQ(easel::readCharKey(), 'b');
    release(SDLK_b);
    EXPECT_EQ(easel::readCharKey(), 0) << "A was spent by the same call";

    armAll();
    press(SDLK_5);
    press(SDLK_SPACE);
    EXPECT_EQ(easel::readCharKey(), ' ');
}

// Every pair of keys going down together, in both shift states: the one
// later in the examination order wins, and the other's press is spent.
TEST_F(KeysTest, EveryPairYieldsTheKeyExaminedLast) {
    const std::vector<CharKey> layout = usLayout();
    for (const bool shifted : {false, true}) {
        for (size_t i = 0; i < layout.size(); ++i) {
            for (size_t j = i + 1; j < layout.size(); ++j) {
                armAll();
                if (shifted) press(SDLK_LSHIFT);
                press(layout[j].key);
                press(layout[i].key);
                const CharKey& later = layout[j];
                ASSERT_EQ(easel::readCharKey(), shifted ? later.shifted : later.unshifted)
                    << "keys " << layout[i].key << " and " << later.key << ", shift " << shifted;
                release(later.key);
                ASSERT_EQ(easel::readCharKey(), 0)
                    << "key " << layout[i].key << " was spent with " << later.key;
            }
        }
    }
}

TEST_F(KeysTest, DigitKeysGiveTheirCodes) {
    struct DigitCase {
        int key;
        int code;
    };
    std::vector<DigitCase> cases;
    for (int d = 0; d < 10; ++d) {
        cases.push_back({SDLK_0 + d, d});
        cases.push_back({SDLK_KP0 + d, d});
    }
    cases.push_back({SDLK_PERIOD, 10});
    cases.push_back({SDLK_KP_PERIOD, 10});
    cases.push_back({SDLK_MINUS, 11});
    cases.push_back({SDLK_KP_MINUS, 11});
    cases.push_back({SDLK_a, -1});
    cases.push_back({SDLK_KP_PLUS, -1});
    cases.push_back({SDLK_SPACE, -1});
    for (const DigitCase& c : cases) {
        for (bool shifted : {false, true}) {
            armAll();
            if (shifted) press(SDLK_LSHIFT);
            press(c.key);
            EXPECT_EQ(easel::readDigitKey(), c.code) << "key " << c.key << " shift " << shifted;
            EXPECT_EQ(easel::readDigitKey(), -1) << "held keys do not repeat";
        }
    }
    armAll();
    EXPECT_EQ(easel::readDigitKey(), -1) << "nothing pressed";
}

TEST_F(KeysTest, DigitOrderPutsKeypadFirstAndMinusLast) {
    armAll();
    press(SDLK_KP5);
    press(SDLK_3);
    EXPECT_EQ(easel::readDigitKey(), 3);
    armAll();
    press(SDLK_9);
    press(SDLK_PERIOD);
    EXPECT_EQ(easel::readDigitKey(), 10);
    armAll();
    press(SDLK_KP_PERIOD);
    press(SDLK_KP_MINUS);
    EXPECT_EQ(easel::readDigitKey(), 11);
}

// readDigitKey over every pair of its keys, from a table in examination
// order: keypad digits, digits, full stop, keypad full stop, minus, keypad minus.
TEST_F(KeysTest, EveryDigitKeyPairYieldsTheKeyExaminedLast) {
    std::vector<std::pair<int, int>> order;  // key, code
    for (int d = 0; d < 10; ++d) order.emplace_back(SDLK_KP0 + d, d);
    for (int d = 0; d < 10; ++d) order.emplace_back(SDLK_0 + d, d);
    order.emplace_back(SDLK_PERIOD, 10);
    order.emplace_back(SDLK_KP_PERIOD, 10);
    order.emplace_back(SDLK_MINUS, 11);
    order.emplace_back(SDLK_KP_MINUS, 11);
    for (size_t i = 0; i < order.size(); ++i) {
        for (size_t j = i + 1; j < order.size(); ++j) {
            armAll();
            press(order[j].first);
            press(order[i].first);
            ASSERT_EQ(easel::readDigitKey(), order[j].second)
                << "keys " << order[i].first << " and " << order[j].first;
            release(order[j].first);
            ASSERT_EQ(easel::readDigitKey(), -1) << "key " << order[i].first << " was spent";
        }
    }
}

TEST_F(KeysTest, BothOperationsShareTheKeysLatch) {
    armAll();
    press(SDLK_3);
    EXPECT_EQ(easel::readCharKey(), '3');
    EXPECT_EQ(easel::readDigitKey(), -1);

    armAll();
    press(SDLK_KP_PERIOD);
    EXPECT_EQ(easel::readDigitKey(), 10);
    EXPECT_EQ(easel::readCharKey(), 0);

    // A letter is not examined by readDigitKey, so its press stays pending.
    armAll();
    press(SDLK_a);
    EXPECT_EQ(easel::readDigitKey(), -1);
    EXPECT_EQ(easel::readCharKey(), 'a');
}

TEST_F(KeysTest, CallsRefreshTheKeyStatePointer) {
    easel::keyState = nullptr;
    easel::readCharKey();
    EXPECT_EQ(easel::keyState, SDL_GetKeyState(nullptr));
    easel::keyState = nullptr;
    easel::readDigitKey();
    EXPECT_EQ(easel::keyState, SDL_GetKeyState(nullptr));
}

}  // namespace
