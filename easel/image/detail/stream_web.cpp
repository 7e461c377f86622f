// The library's own streams for the browser build: Emscripten's SDL keeps
// its streams in JavaScript (an SDL_RWops there is a number, not a record),
// so the loaders read these instead. A file stream reads the whole file into
// memory when it is made; both kinds then read from memory.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

#include "easel/image/detail/stream.h"

namespace easel::detail {

namespace {

struct MemoryStream {
    SDL_RWops ops{};
    std::vector<std::uint8_t> owned;  // a file's bytes; empty for a memory stream
    const std::uint8_t* data = nullptr;
    long size = 0;
    long at = 0;
};

MemoryStream* of(SDL_RWops* context) { return reinterpret_cast<MemoryStream*>(context); }

long seekStream(SDL_RWops* context, long offset, int whence) {
    MemoryStream* s = of(context);
    long to = offset;
    if (whence == RW_SEEK_CUR) to += s->at;
    if (whence == RW_SEEK_END) to += s->size;
    if (to < 0 || to > s->size) return -1;
    s->at = to;
    return to;
}

size_t readStream(SDL_RWops* context, void* out, size_t size, size_t count) {
    MemoryStream* s = of(context);
    if (size == 0 || count == 0) return 0;
    const size_t whole = std::min(count, static_cast<size_t>(s->size - s->at) / size);
    std::memcpy(out, s->data + s->at, whole * size);
    s->at += static_cast<long>(whole * size);
    return whole;
}

size_t writeNothing(SDL_RWops*, const void*, size_t, size_t) { return 0; }

int closeStream(SDL_RWops* context) {
    delete of(context);
    return 0;
}

SDL_RWops* makeStream(MemoryStream* s) {
    s->ops.seek = seekStream;
    s->ops.read = readStream;
    s->ops.write = writeNothing;
    s->ops.close = closeStream;
    return &s->ops;
}

}  // namespace

SDL_RWops* fileStream(std::FILE* file) {
    auto* s = new MemoryStream();
    std::uint8_t chunk[16384];
    for (std::size_t got = 0; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        if (s->owned.size() + got > static_cast<std::size_t>(INT_MAX)) {
            delete s;
            return nullptr;
        }
        s->owned.insert(s->owned.end(), chunk, chunk + got);
    }
    std::fclose(file);
    s->data = s->owned.data();
    s->size = static_cast<long>(s->owned.size());
    return makeStream(s);
}

SDL_RWops* memoryStream(const void* data, std::size_t size) {
    if (data == nullptr || size > static_cast<std::size_t>(INT_MAX)) return nullptr;
    auto* s = new MemoryStream();
    s->data = static_cast<const std::uint8_t*>(data);
    s->size = static_cast<long>(size);
    return makeStream(s);
}

}  // namespace easel::detail
