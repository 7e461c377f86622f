#include "easel/display/key_events.h"

#include <bitset>
#include <cstddef>

#include "easel/display/detail/key_record.h"

namespace easel {

namespace {

constexpr std::size_t keptPresses = 256;

// The presses not yet read by readKeyPresses, as a ring of the latest ones.
struct PressRing {
    KeyPress presses[keptPresses] = {};
    std::size_t first = 0;
    std::size_t count = 0;

    void add(const KeyPress& p) {
        presses[(first + count) % keptPresses] = p;
        if (count < keptPresses) {
            ++count;
        } else {
            first = (first + 1) % keptPresses;  // the oldest makes room
        }
    }
};

// Keys that went down since their last report, and the set that this frame
// reports. The frame's set is taken at its first question, so presses taken
// later in the frame (or by a wait before updateScreen) go to the next one.
struct KeyRecord {
    PressRing unread;
    std::bitset<SDLK_LAST> pending;
    std::bitset<SDLK_LAST> thisFrame;
    bool frameTaken = false;
};

KeyRecord record;

}  // namespace

namespace detail {

void recordEvent(const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN) return;
    const SDL_keysym& k = event.key.keysym;
    if (k.sym >= 0 && k.sym < SDLK_LAST) record.pending.set(static_cast<std::size_t>(k.sym));
    KeyPress p;
    p.key = k.sym;
    p.modifiers = static_cast<decltype(p.modifiers)>(k.mod);
    p.character = k.unicode;
    record.unread.add(p);
}

void recordFrameEnd() {
    record.frameTaken = false;
}

}  // namespace detail

bool keyWentDown(SDLKey key) {
    if (!record.frameTaken) {
        record.thisFrame = record.pending;
        record.pending.reset();
        record.frameTaken = true;
    }
    return key >= 0 && key < SDLK_LAST && record.thisFrame.test(static_cast<std::size_t>(key));
}

std::vector<KeyPress> readKeyPresses() {
    std::vector<KeyPress> out;
    out.reserve(record.unread.count);
    for (std::size_t i = 0; i < record.unread.count; ++i) {
        out.push_back(record.unread.presses[(record.unread.first + i) % keptPresses]);
    }
    record.unread.count = 0;
    record.unread.first = 0;
    return out;
}

}  // namespace easel
