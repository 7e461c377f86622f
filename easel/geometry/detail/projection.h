// The screen projection behind Camera::project: camera coordinates to pixels,
// with the Screen size read at every call. Inline, so that loops over many
// points pay no call per point.
#pragma once

#include <climits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "easel/display/screen.h"

namespace easel::detail {

// Truncates towards zero; INT_MIN for anything not finite or whose truncation
// does not fit in an int. The range test comes first, since converting such
// a double to int is undefined; both bounds are exact doubles.
inline int toPixel(double v) {
    const bool fits = v > -2147483649.0 && v < 2147483648.0;
    const int truncated = static_cast<int>(fits ? v : 0.0);
    return fits ? truncated : INT_MIN;
}

// px = W/2 + (W*cx)/cz, py = H/2 - (H*cy)/cz with the Screen size read now,
// truncated towards zero (INT_MIN when not finite or out of the int range);
// true when 0 <= x < W, 0 <= y < H (the onScreen test) and cz >= nearClip.
// A NaN depth fails the comparison and is not visible.
inline bool toScreen(double cx, double cy, double cz, double nearClip, int& x, int& y) {
    const int width = Screen.width;
    const int height = Screen.height;
    const double w = static_cast<double>(width);
    const double h = static_cast<double>(height);
#if defined(__SSE2__)
    // One packed division and one packed truncation for both coordinates,
    // lane by lane the same IEEE results as the scalar code. The packed
    // truncation answers INT_MIN for NaN, infinities and values out of the
    // int range, which is exactly the rule above, without undefined casts.
    const __m128d quotients = _mm_div_pd(_mm_set_pd(h * cy, w * cx), _mm_set1_pd(cz));
    const __m128d negateY = _mm_set_pd(-0.0, 0.0);
    const __m128d screen = _mm_add_pd(_mm_set_pd(h * 0.5, w * 0.5), _mm_xor_pd(quotients, negateY));
    const __m128i pixels = _mm_cvttpd_epi32(screen);
    const int px = _mm_cvtsi128_si32(pixels);
    const int py = _mm_cvtsi128_si32(_mm_shuffle_epi32(pixels, 1));
#else
    const int px = toPixel(w * 0.5 + (w * cx) / cz);
    const int py = toPixel(h * 0.5 - (h * cy) / cz);
#endif
    x = px;
    y = py;
    // Unsigned compares test 0 <= p < size in one step each.
    return (static_cast<unsigned>(px) < static_cast<unsigned>(width)) &
           (static_cast<unsigned>(py) < static_cast<unsigned>(height)) & (cz >= nearClip);
}

}  // namespace easel::detail
