// The entry fields' single passes: the editing of a fixed buffer and the
// three field types behind inputChar, inputText and inputNumber.
//
// Each field type does one pass per step(): it takes one key, applies
// Backspace (text and number), redraws the typed text after the prompt,
// presents the screen and finishes on the pass in which Enter goes down.
// Quit requests are left to the loop that calls step().
#pragma once

namespace easel::detail {

// Where a field's typed text starts (the cell after the prompt) and its
// foreground and background colours.
struct FieldArea {
    // The top left of the field's first cell.
    int x = 0;
    int y = 0;
    // The text colour.
    int fr = 0, fg = 0, fb = 0;
    // The colour of the cells behind the text.
    int br = 0, bg = 0, bb = 0;
};

// The editing of a fixed buffer of `length` bytes shared by the text and
// number fields: insertion slot c (0 ... length - 1) and drawn extent m (the
// most cells the field has covered). A character typed into the last slot
// overwrites it and c stays there.
class EditLine {
  public:
    // Takes over the buffer and zeroes all of its `length` bytes (length >= 1).
    void reset(char* buffer, int length);
    // Stores ch at slot c and advances c, or overwrites the last slot.
    void type(char ch);
    // Removes the character before c, or the one in the last slot when c is
    // there and holds one; nothing at c = 0. True when something was removed.
    bool erase();
    // Draws the text (never reading past the buffer) and blank cells up to m.
    void draw(const FieldArea& area) const;
    // The number of characters before the first zero, at most length.
    int textLength() const;
    // The insertion slot c.
    int slot() const { return c; }
    // The drawn extent m.
    int extent() const { return m; }

  private:
    char* buffer = nullptr;
    int length = 0;
    int c = 0;
    int m = 0;
};

// A field asking for one character; a later character replaces an earlier.
class CharField {
  public:
    // Draws the prompt (without presenting it) and empties the field.
    void start(const char* prompt, int x, int y, int fr, int fg, int fb, bool background, int br,
               int bg, int bb);
    // One pass: key, draw the field's cell, present, Enter. True once finished
    // (or before start); further calls do nothing and return true.
    bool step();
    // The last character typed, 0 when none.
    unsigned char result() const { return ch; }
    // Where the field's cell is and its colours.
    const FieldArea& area() const { return where; }

  private:
    FieldArea where;
    unsigned char ch = 0;
    bool finished = true;  // until started
};

// A field asking for a line of text in a caller's buffer of `length` bytes.
class TextField {
  public:
    // Draws the prompt, zeroes the buffer and presents the screen. A null
    // buffer or a length below 1 is refused: nothing is drawn or written and
    // the field is finished at once.
    void start(char* buffer, int length, const char* prompt, int x, int y, int fr, int fg, int fb,
               bool background, int br, int bg, int bb);
    // One pass: key, Backspace, draw, present, Enter. True once finished
    // (or before start); further calls do nothing and return true.
    bool step();
    // The editing state: insertion slot and drawn extent.
    const EditLine& line() const { return edit; }
    // Where the field's cells start and their colours.
    const FieldArea& area() const { return where; }

  private:
    EditLine edit;
    FieldArea where;
    bool finished = true;  // until started
};

// A field asking for a decimal number: digits, at most one point, and a
// minus only as the first character. Its value is always exactly the
// decimal number its text shows, rounded once to the nearest double; an
// empty text, a lone minus or a lone point count as 0, and zero is +0.0.
class NumberField {
  public:
    // The number of characters the field holds.
    static constexpr int capacity = 256;

    NumberField() = default;
    // The editing refers to the field's own text, so a field is not copied.
    NumberField(const NumberField&) = delete;
    NumberField& operator=(const NumberField&) = delete;

    // Draws the prompt, empties the field and presents the screen.
    void start(const char* prompt, int x, int y, int fr, int fg, int fb, bool background, int br,
               int bg, int bb);
    // One pass: key, Backspace, draw, present, Enter. True once finished
    // (or before start); further calls do nothing and return true.
    bool step();
    // The number the text shows. When all 256 slots are filled a digit or
    // point typed overwrites the last one and the value follows the text.
    double value() const;
    // The text typed so far, zero-terminated.
    const char* text() const { return chars; }
    // The editing state: insertion slot and drawn extent.
    const EditLine& line() const { return edit; }
    // Where the field's cells start and their colours.
    const FieldArea& area() const { return where; }

  private:
    char chars[capacity + 1] = {};  // one more than capacity: always a zero at the end
    EditLine edit;
    FieldArea where;
    bool finished = true;  // until started
};

}  // namespace easel::detail
