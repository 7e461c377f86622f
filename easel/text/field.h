/// @file
/// Modal text entry fields: one character, a line of text, a number.
///
/// A field draws its prompt, then pass by pass takes one key, applies
/// Backspace (text and number), redraws the typed text opaque after the prompt
/// (blank cells wipe deleted characters), presents the screen and finishes on
/// the pass in which Enter goes down. Enter and Backspace count once per press
/// (keyLatch), so an Enter still held from an earlier field does not finish the
/// next. A quit request (window close, or Escape held) before any pass ends the
/// process with status 1. There is no cancel.
#pragma once

#include <string>

namespace easel {

/// Asks for one character after the prompt and returns the last one typed
/// before Enter, 0 if none was typed (or before initScreen, asking nothing).
unsigned char inputChar(const char* prompt, int x, int y, int fr, int fg, int fb, bool background,
                        int br, int bg, int bb);

/// Asks for a line of text into buffer[0 ... length - 1]. On return the typed
/// text is followed by zero bytes, or fills all `length` bytes with no zero:
/// pass sizeof buffer - 1 to keep room for the zero. A null buffer or a
/// length below 1 returns at once, touching nothing; before initScreen the
/// buffer is zeroed (an empty text) and nothing is asked.
void inputText(char* buffer, int length, const char* prompt, int x, int y, int fr, int fg, int fb,
               bool background, int br, int bg, int bb);

/// Asks for a line of at most maxChars characters, like the buffer form, and
/// returns what was typed when Enter was pressed. Empty, asking nothing, when
/// maxChars is below 1 or before initScreen.
std::string inputText(int maxChars, const char* prompt, int x, int y, int fr, int fg, int fb,
                      bool background, int br, int bg, int bb);

/// Asks for a decimal number and returns exactly the number shown when Enter
/// was pressed (0 for an empty field, a lone minus or a lone point; 0 before
/// initScreen, asking nothing).
double inputNumber(const char* prompt, int x, int y, int fr, int fg, int fb, bool background,
                   int br, int bg, int bb);

}  // namespace easel
