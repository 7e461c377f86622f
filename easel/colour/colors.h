/// @file
/// Named colours: the plain colours a program reaches for first, as RgbColor
/// constants in namespace easel::colors, usable wherever an RgbColor is taken
/// (easel::drawDisc(x, y, r, easel::colors::red)) and in constant
/// expressions. Each channel is 0, 128, 165 or 255, as in the usual web
/// colour names of the same spelling.
#pragma once

#include "easel/colour/color.h"

namespace easel {

/// The named colours.
namespace colors {

/// (0, 0, 0).
constexpr RgbColor black{0, 0, 0};
/// (255, 255, 255).
constexpr RgbColor white{255, 255, 255};
/// (128, 128, 128).
constexpr RgbColor gray{128, 128, 128};
/// (255, 0, 0).
constexpr RgbColor red{255, 0, 0};
/// (0, 255, 0), at full strength (the web's "lime").
constexpr RgbColor green{0, 255, 0};
/// (0, 0, 255).
constexpr RgbColor blue{0, 0, 255};
/// (255, 255, 0).
constexpr RgbColor yellow{255, 255, 0};
/// (0, 255, 255).
constexpr RgbColor cyan{0, 255, 255};
/// (255, 0, 255).
constexpr RgbColor magenta{255, 0, 255};
/// (255, 165, 0).
constexpr RgbColor orange{255, 165, 0};
/// (128, 0, 128).
constexpr RgbColor purple{128, 0, 128};

}  // namespace colors

}  // namespace easel
