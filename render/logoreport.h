#pragma once
// What the information panel shows for a moment after the logo fly-in: how many of its frames
// this machine managed to draw.

#include <QImage>

// Silver, with "GL: shown/steps" in black bold Courier New (17-pixel cell), centred, its cell
// resting on the bottom edge. Sizes are logical pixels; the picture holds ratio times as many
// device pixels, so that a scaled desktop shows it sharp.
QImage paintlogoreport(int width, int height, int shown, int steps, double ratio = 1.0);
// The panel's plain silver.
QImage paintsilver(int width, int height, double ratio = 1.0);
