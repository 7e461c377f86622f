// The icon loaders' stream forms, behind loadIcon, loadIconRaw and
// loadIconFromMemory: the same placeholder, formats and refusals as the
// public loaders (text/icon.h), reading from an SDL stream or from memory;
// and the loaders' file check, for reading an image file's bytes.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>

#include "easel/colour/color.h"

namespace easel::detail {

// As loadIcon, reading the BMP from an SDL stream, which the call always
// closes (a null stream leaves the placeholder and returns false).
bool loadIconFrom(SDL_RWops* stream, RgbColor* dest, int destWidth, int destHeight);

// As loadIconRaw, reading from an SDL stream, which the call always closes.
bool loadIconRawFrom(SDL_RWops* stream, std::uint32_t* dest, int destWidth, int destHeight);

// As loadIconRaw, reading the BMP from size bytes at data.
bool loadIconRawFromMemory(const void* data, std::size_t size, std::uint32_t* dest, int destWidth,
                           int destHeight);

// Reads the file whole into bytes (room for capacity bytes), through the
// loaders' own check: opened once without waiting, read only if a regular
// file. Returns its size, or -1 when it is missing, not a regular file,
// unreadable or larger than capacity (bytes then holds no meaning).
long readIconFile(const char* fileName, void* bytes, std::size_t capacity);

}  // namespace easel::detail
