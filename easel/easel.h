/// @file
/// easel: a small multimedia library over SDL 1.2.
///
/// One include gives the whole library: the screen and its pixels, input and
/// timing, raster primitives, colour records and conversions, the 8x8 bitmap
/// font with text, numbers, icons and entry fields, images loaded from files,
/// drawn and saved, and the geometry library with its projecting camera.
/// Everything is in namespace easel.
#pragma once

// display: the screen and its pixels, input and timing
#include "easel/display/input.h"
#include "easel/display/key_events.h"
#include "easel/display/screen.h"

// colour: records, named colours, arithmetic and conversions
#include "easel/colour/color.h"
#include "easel/colour/colors.h"
#include "easel/colour/convert.h"

// raster: lines, spans, shapes, clipping and shapes cut to the screen
#include "easel/raster/blend.h"
#include "easel/raster/clip.h"
#include "easel/raster/clipped.h"
#include "easel/raster/line.h"
#include "easel/raster/shapes.h"

// text: font, text, numbers, icons, keys and entry fields
#include "easel/text/field.h"
#include "easel/text/font.h"
#include "easel/text/icon.h"
#include "easel/text/keys.h"
#include "easel/text/number.h"
#include "easel/text/text.h"

// image: pictures of any size, loaded, drawn and saved
#include "easel/image/draw.h"
#include "easel/image/image.h"
#include "easel/image/load.h"
#include "easel/image/save.h"

// geometry: vectors, matrices and the camera
#include "easel/geometry/camera.h"
#include "easel/geometry/matrix3.h"
#include "easel/geometry/vector3.h"
