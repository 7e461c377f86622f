// SDL_image 1.2's decoders, one per format, each given only a stream whose
// header said that format.
#include <SDL_image.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "easel/image/detail/decode.h"

namespace easel::detail {

namespace {

// The GIF decoder of SDL_image 1.2 reads on for ever when its stream ends in
// the middle of a frame's data: at the end it is told "no block" and asks
// again. It is given the file's bytes followed by zeros instead, which it
// reads as empty blocks, the end of the frame; a bounded run of them, so
// that nothing can read for ever.
constexpr int gifPadding = 64 * 1024;
constexpr std::size_t largestGifFile = std::size_t{256} * 1024 * 1024;

struct PaddedBytes {
    std::vector<std::uint8_t> bytes;
    int at = 0;
};

int paddedSeek(SDL_RWops* context, int offset, int whence) {
    auto* p = static_cast<PaddedBytes*>(context->hidden.unknown.data1);
    const std::int64_t end = static_cast<std::int64_t>(p->bytes.size()) + gifPadding;
    std::int64_t to = offset;
    if (whence == RW_SEEK_CUR) to += p->at;
    if (whence == RW_SEEK_END) to += end;
    if (to < 0 || to > end) return -1;
    p->at = static_cast<int>(to);
    return p->at;
}

int paddedRead(SDL_RWops* context, void* out, int size, int count) {
    auto* p = static_cast<PaddedBytes*>(context->hidden.unknown.data1);
    if (size <= 0 || count <= 0) return 0;
    const std::int64_t end = static_cast<std::int64_t>(p->bytes.size()) + gifPadding;
    const std::int64_t whole = std::min<std::int64_t>(count, (end - p->at) / size);
    auto* to = static_cast<std::uint8_t*>(out);
    for (std::int64_t i = 0; i < whole * size; ++i, ++p->at) {
        to[i] = p->at < static_cast<int>(p->bytes.size()) ? p->bytes[p->at] : 0;
    }
    return static_cast<int>(whole);
}

int noWrite(SDL_RWops*, const void*, int, int) { return 0; }
int noClose(SDL_RWops*) { return 0; }

// Reads the rest of the stream; false when it is larger than a GIF may be.
bool readAll(SDL_RWops* stream, std::vector<std::uint8_t>* bytes) {
    std::uint8_t chunk[16384];
    for (;;) {
        const int got = SDL_RWread(stream, chunk, 1, sizeof chunk);
        if (got <= 0) return true;
        if (bytes->size() + got > largestGifFile) return false;
        bytes->insert(bytes->end(), chunk, chunk + got);
    }
}

SDL_Surface* decodeGif(SDL_RWops* stream) {
    PaddedBytes padded;
    if (!readAll(stream, &padded.bytes)) {
        SDL_SetError("more than 256 MiB");
        return nullptr;
    }
    SDL_RWops* reader = SDL_AllocRW();
    if (reader == nullptr) return nullptr;
    reader->seek = paddedSeek;
    reader->read = paddedRead;
    reader->write = noWrite;
    reader->close = noClose;
    reader->hidden.unknown.data1 = &padded;
    SDL_Surface* surface = IMG_LoadGIF_RW(reader);
    SDL_FreeRW(reader);
    return surface;
}

// The decoder of the one format whose header was checked: the stream is
// never handed to a decoder of another format.
SDL_Surface* decodeAs(ImageFormat format, SDL_RWops* stream) {
    switch (format) {
        case ImageFormat::png:
            return IMG_LoadPNG_RW(stream);
        case ImageFormat::bmp:
            return IMG_LoadBMP_RW(stream);
        case ImageFormat::gif:
            return decodeGif(stream);
        case ImageFormat::jpeg:
            return IMG_LoadJPG_RW(stream);
        case ImageFormat::pnm:
            return IMG_LoadPNM_RW(stream);
        case ImageFormat::tga:
            return IMG_LoadTGA_RW(stream);
        case ImageFormat::unknown:
            break;
    }
    return nullptr;
}

}  // namespace

SDL_Surface* decodePicture(ImageFormat format, SDL_RWops* stream, std::string* why) {
    SDL_Surface* surface = decodeAs(format, stream);
    if (surface == nullptr && why != nullptr) *why = IMG_GetError();
    if (surface != nullptr && SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
    return surface;
}

void releaseDecoded(SDL_Surface* surface) {
    if (surface == nullptr) return;
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    SDL_FreeSurface(surface);
}

}  // namespace easel::detail
