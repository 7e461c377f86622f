// Internal: how a large picture's memory is taken, one file per platform
// (pixel_memory_desktop.cpp, pixel_memory_web.cpp).
//
// A 64 Mpx picture is 256 MiB of fresh pages; on Linux touching them one
// 4 KiB page at a time costs about a quarter of a second in the kernel, as
// much as decoding a large JPEG. Asking for huge pages first makes the same
// memory about five times cheaper to touch; the words are the same.
#pragma once

#include <cstddef>

namespace easel::detail {

// Asks the system to back the bytes from start with huge pages where it can,
// before they are first written. Only advice: nothing is read or written,
// and a system or a range that cannot use them is left as it is.
void adviseLargePages(void* start, std::size_t bytes);

}  // namespace easel::detail
