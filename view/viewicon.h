#pragma once
// The axis-tripod glyph of the preset and rotate buttons: the three world axes and their
// letters, seen under given view angles, one icon unit per pixel. The painter only writes
// pixels, so the window hands it whatever bitmap its toolkit uses.

#include <cstdint>

#include "view/transform.h"

constexpr int kViewIconSize = 32;

struct IconPixel {
    int col = 0;
    int row = 0;
};

// Pixel of an icon-space point: the forward view rotation without translation or scale,
// column 16 + x', row 16 - y', each taken to the nearest integer with halves to even.
IconPixel projecticon(const ViewAngles& angles, double x, double y, double z);

// Fills the 32 x 32 pixels at `pixels` (row by row, `stride` values from one row to the next)
// with `facecolor`, then paints the letters X, Y, Z and the three axis lines in `iconcolor`.
// Colour values are stored as given.
void drawviewicon(const ViewAngles& angles, std::uint32_t iconcolor, std::uint32_t facecolor,
                  std::uint32_t* pixels, int stride = kViewIconSize);
