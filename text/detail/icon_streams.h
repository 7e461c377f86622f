// The icon loaders' stream forms, behind loadIcon, loadIconRaw and
// loadIconFromMemory: the same placeholder, formats and refusals as the
// public loaders (text/icon.h), reading from an SDL stream or from memory.
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

}  // namespace easel::detail
