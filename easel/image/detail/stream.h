// Internal: the SDL streams that the image and icon loaders read, over an
// open file or over bytes in memory. On the desktop they are SDL's own; in
// the browser, where SDL's streams live in JavaScript and cannot be read
// from C++, they are the library's own (stream_web.cpp). Either kind is
// read with SDL_RWread and SDL_RWseek and closed with SDL_RWclose.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdio>

namespace easel::detail {

// A stream over an open file, which it closes when it is closed; null (the
// file then still open) when no stream can be made.
SDL_RWops* fileStream(std::FILE* file);

// A stream over size bytes at data, which must outlive it; null when there
// is no data or more than 2 GiB.
SDL_RWops* memoryStream(const void* data, std::size_t size);

}  // namespace easel::detail
