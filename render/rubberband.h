#pragma once
// The window-zoom rectangle: outlines inverted over the picture on screen, so that the same
// outline drawn again restores every pixel it touched.

#include <cstdint>

class DrawTarget;

struct PixelRect {
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // two opposite corners, surface pixels
};

// Inverts the outline of `erase` and then that of `draw` (either may be the same) and shows
// the result at once. The picture underneath is the last frame shown; a new frame replaces it.
void invertoutlines(DrawTarget& surface, const PixelRect& erase, const PixelRect& draw);
