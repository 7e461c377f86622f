// Internal: the format and size of an image read from its first bytes, so
// that a loader can refuse an over-large image before a decoder allocates it.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace easel::detail {

// The formats easel decodes; anything else is refused unread.
enum class ImageFormat { unknown, png, bmp, gif, jpeg, pnm, tga };

// What the header says. sizeKnown is false when the header is cut short or
// damaged before the size fields; complete is false when the data that the
// decoder would read is known to be damaged in a way it does not survive (a
// GIF frame whose data blocks run off the end of the file, or whose code size
// is beyond 8 bits).
struct ImageHeader {
    ImageFormat format = ImageFormat::unknown;
    bool sizeKnown = false;
    bool complete = true;
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// Reads the format and the size the decoder will allocate for, from the
// stream's current position, and puts the stream back there. The signature
// decides the format; a file without one is taken as TGA (which has none)
// when tgaByName is true. For GIF the size is that of the first frame, which
// is what is decoded; for JPEG that of the first frame header.
ImageHeader readImageHeader(SDL_RWops* stream, bool tgaByName);

// The format's name for messages: "PNG", "JPEG", ...
const char* formatName(ImageFormat format);

}  // namespace easel::detail
