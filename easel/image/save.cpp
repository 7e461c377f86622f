#include "easel/image/save.h"

#include <cctype>
#include <functional>

#include "easel/display/screen.h"
#include "easel/image/detail/encode.h"
#include "easel/image/draw.h"

namespace easel {

namespace {

enum class FileKind { unknown, png, bmp };

FileKind kindOf(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return FileKind::unknown;
    }
    std::string ending = name.substr(dot);
    for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ending == ".png") return FileKind::png;
    if (ending == ".bmp") return FileKind::bmp;
    return FileKind::unknown;
}

bool fail(std::string* why, const std::string& message) {
    if (why != nullptr) *why = message;
    return false;
}

using Writer = std::function<bool(std::FILE*, std::string*)>;

// The encoder for the name's ending, or false with the reason.
bool writerFor(const Image& image, const char* fileName, Writer* writer, std::string* why) {
    if (fileName == nullptr || *fileName == '\0') return fail(why, "no file name given");
    const std::string name(fileName);
    const FileKind kind = kindOf(name);
    if (kind == FileKind::unknown) {
        return fail(why, "cannot save to '" + name + "': the name must end in .png or .bmp");
    }
    if (image.empty()) return fail(why, "cannot save to '" + name + "': the image is empty");
    *writer = [&image, kind](std::FILE* out, std::string* reason) {
        return kind == FileKind::png ? detail::encodePng(image, out, reason)
                                     : detail::encodeBmp(image, out, reason);
    };
    return true;
}

}  // namespace

bool saveImage(const Image& image, const char* fileName, std::string* why) {
    Writer writer;
    if (!writerFor(image, fileName, &writer, why)) return false;
    return detail::writeAtomically(fileName, writer, why);
}

std::string saveNewImage(const Image& image, const char* fileName, std::string* why) {
    Writer writer;
    if (!writerFor(image, fileName, &writer, why)) return "";
    return detail::writeNewFile(fileName, writer, why);
}

bool saveScreen(const char* fileName, std::string* why) {
    return saveScreenRect(fileName, 0, 0, Screen.width, Screen.height, why);
}

bool saveScreenRect(const char* fileName, int x, int y, int width, int height, std::string* why) {
    if (Screen.surface == nullptr) return fail(why, "no screen to save: initScreen has not run");
    const Image part = grabScreen(x, y, width, height);
    if (part.empty()) return fail(why, "nothing to save: the rectangle is off the screen");
    return saveImage(part, fileName, why);
}

std::string saveNewScreenRect(const char* fileName, int x, int y, int width, int height,
                              std::string* why) {
    if (Screen.surface == nullptr) {
        fail(why, "no screen to save: initScreen has not run");
        return "";
    }
    const Image part = grabScreen(x, y, width, height);
    if (part.empty()) {
        fail(why, "nothing to save: the rectangle is off the screen");
        return "";
    }
    return saveNewImage(part, fileName, why);
}

}  // namespace easel
