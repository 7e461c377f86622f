#include "easel/image/load.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <new>

#include "easel/image/detail/decode.h"
#include "easel/image/detail/regular_file.h"

namespace easel {

namespace {

std::optional<Image> refuse(std::string* why, const std::string& message) {
    if (why != nullptr) *why = message;
    return std::nullopt;
}

std::string quoted(const char* name) {
    return std::string("'") + (name ? name : "") + "'";
}

bool endsWithTga(const char* name) {
    if (name == nullptr) return false;
    const std::string s(name);
    if (s.size() < 4) return false;
    std::string end = s.substr(s.size() - 4);
    for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return end == ".tga";
}

// Decodes the open file, which is closed in every case. Running out of
// memory anywhere in a load is a refusal like any other.
std::optional<Image> decodeFile(std::FILE* file, const char* name, std::string* why,
                                const ImageLimits& limits) {
    detail::Decoded decoded;
    try {
        decoded = detail::decodePicture(file, endsWithTga(name), limits);
    } catch (const std::bad_alloc&) {
        decoded.image.reset();
        decoded.problem = "cannot be loaded: not enough memory for its pixels";
    }
    std::fclose(file);
    if (!decoded.image) return refuse(why, quoted(name) + " " + decoded.problem);
    return std::move(decoded.image);
}

}  // namespace

std::optional<Image> loadImage(const char* fileName, std::string* why, const ImageLimits& limits) {
    const int fd = detail::openRegularFile(fileName, why);
    if (fd < 0) return std::nullopt;
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr) {
        ::close(fd);
        return refuse(why, quoted(fileName) + " cannot be read");
    }
    return decodeFile(file, fileName, why, limits);
}

std::optional<Image> loadImageFromMemory(const void* data, std::size_t size, const char* name,
                                         std::string* why, const ImageLimits& limits) {
    if (data == nullptr) return refuse(why, quoted(name) + " cannot be read: no data");
    if (size == 0) return refuse(why, quoted(name) + " is empty, not an image");
    // A read-only stream over the caller's bytes: nothing is copied.
    std::FILE* file = ::fmemopen(const_cast<void*>(data), size, "rb");
    if (file == nullptr) return refuse(why, quoted(name) + " cannot be read: not enough memory");
    return decodeFile(file, name, why, limits);
}

}  // namespace easel
