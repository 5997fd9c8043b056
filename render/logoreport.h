#pragma once
// What the information panel shows for a moment after the logo fly-in: how many of its frames
// this machine managed to draw.

#include <QImage>

// Silver, with "GL: shown/steps" in black bold Courier New (17-pixel cell), centred, its cell
// resting on the bottom edge.
QImage paintlogoreport(int width, int height, int shown, int steps);
// The panel's plain silver.
QImage paintsilver(int width, int height);
