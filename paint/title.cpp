#include "paint/title.h"

namespace paint {

namespace {

constexpr const char* programName = "Paint Program";
// A hyphen, not a dash: SDL 1.2 in the C locale, and sdl12-compat too,
// leave a caption beyond ASCII out of one of the window's two names.
constexpr const char* separator = " - ";

std::string lastComponent(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string titleFor(const std::string& file, bool unsaved) {
    if (file.empty()) return programName;
    return (unsaved ? "*" : "") + lastComponent(file) + separator + programName;
}

std::string titleForMessage(const std::string& message) {
    return message + separator + programName;
}

void WindowTitle::say(const std::string& message, Uint32 now) {
    if (message.empty()) return;
    message_ = message;
    messageStart_ = now;
    messageFresh_ = true;
}

void WindowTitle::update(const std::string& file, bool unsaved, Uint32 now) {
    // Unsigned difference: right across the clock's wrap as well.
    if (!message_.empty() && now - messageStart_ >= messageMilliseconds) message_.clear();
    const bool showMessage = !message_.empty();
    if (haveShown_ && !messageFresh_ && showMessage == showingMessage_ && unsaved == unsaved_ &&
        file == file_) {
        return;
    }
    haveShown_ = true;
    messageFresh_ = false;
    showingMessage_ = showMessage;
    unsaved_ = unsaved;
    if (file != file_) file_ = file;
    const std::string title = showMessage ? titleForMessage(message_) : titleFor(file, unsaved);
    if (title == shown_) return;
    shown_ = title;
    SDL_WM_SetCaption(shown_.c_str(), nullptr);
}

}  // namespace paint
