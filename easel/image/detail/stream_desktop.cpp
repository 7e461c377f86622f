// SDL 1.2's own streams.
#include <climits>

#include "easel/image/detail/stream.h"

namespace easel::detail {

SDL_RWops* fileStream(std::FILE* file) {
    // SDL 1.2.15 takes the autoclose flag as an int, SDL 2's headers as an
    // SDL_bool; SDL_TRUE is right for both.
    return SDL_RWFromFP(file, SDL_TRUE);
}

SDL_RWops* memoryStream(const void* data, std::size_t size) {
    if (data == nullptr || size > static_cast<std::size_t>(INT_MAX)) return nullptr;
    return SDL_RWFromConstMem(data, static_cast<int>(size));
}

}  // namespace easel::detail
