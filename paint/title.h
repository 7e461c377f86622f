// The window's title: the picture's file name with a mark for unsaved
// changes, or a short message for a few seconds.
//
// With no file the title is "Paint Program"; with one, "NAME - Paint
// Program", "*NAME - Paint Program" while there are unsaved changes (NAME is
// the file's last path component). A message shows as "MESSAGE - Paint
// Program" for messageMilliseconds, then the title returns.
#pragma once

#include <SDL.h>

#include <string>

namespace paint {

constexpr Uint32 messageMilliseconds = 3000;

// The title for a picture file (empty when the picture has none).
std::string titleFor(const std::string& file, bool unsaved);

// The title for a message.
std::string titleForMessage(const std::string& message);

// Keeps the window's caption up to date, setting it only when it changes.
class WindowTitle {
  public:
    // Shows the message (when not empty) from now on for messageMilliseconds.
    void say(const std::string& message, Uint32 now);
    // Sets the caption for the file and mark, or the message while it lasts.
    // Builds the title only when one of them changed since the last call.
    void update(const std::string& file, bool unsaved, Uint32 now);
    // The caption last set; empty before the first update.
    const std::string& shown() const { return shown_; }

  private:
    std::string message_;
    Uint32 messageStart_ = 0;
    bool messageFresh_ = false;    // said since the last update
    bool showingMessage_ = false;  // the caption shows the message
    std::string file_;
    bool unsaved_ = false;
    bool haveShown_ = false;
    std::string shown_;
};

}  // namespace paint
